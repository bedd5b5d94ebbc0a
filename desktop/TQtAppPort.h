#pragma once
#include "TAppPort.h"

// The application port over the Qt windows, reached through their application-wide references.
class TQtAppPort : public TAppPort {
public:
  // Show the help window in front.
  void ShowHelpWindow() override;
  // Make the banner visible.
  void ShowBanner() override;
  // Leave the event loops once the current event has been handled.
  void Terminate() override;
};
