#pragma once

// Port to what the core asks of the windows.
class TAppPort {
public:
  virtual ~TAppPort() = default;
  // Show the help window, without waiting for it.
  virtual void ShowHelpWindow() = 0;
  // Make the banner window visible.
  virtual void ShowBanner() = 0;
  // Ask the application to end once the current event has been handled.
  virtual void Terminate() = 0;
};
