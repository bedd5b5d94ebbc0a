#pragma once

// Port to the system's default beep.
class TBeep {
public:
  virtual ~TBeep() = default;
  // Sound the default beep.
  virtual void Beep() = 0;
};
