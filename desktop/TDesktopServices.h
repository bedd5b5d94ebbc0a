#pragma once
#include <functional>
#include <string>

#include "TAccounting.h"
#include "TErrorBoundary.h"
#include "TTrayShell.h"

// What the windows are built over: the core objects and the ports, made before any window.
struct TDesktopServices {
  TDisplay& Display;
  TNetMonitor& Monitor;
  TAccounting& Accounting;
  TDialogs& Dialogs;
  TErrorBoundary& Boundary;
  TTrayShell& Shell;
  // Executable file whose version information the about box shows.
  std::string ExePath = "/proc/self/exe";
  // Width of the primary screen in pixels; empty asks the screen.
  std::function<int()> ScreenWidth;
};
