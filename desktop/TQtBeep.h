#pragma once
#include "TBeep.h"

// The beep port as the window system's bell.
class TQtBeep : public TBeep {
public:
  // Ring the bell.
  void Beep() override;
};
