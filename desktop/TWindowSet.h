#pragma once
#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "PiconeBarreTache.h"
#include "TDesktopServices.h"

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TVerAboutBox;

// The five windows of the program, built over the core in their start-up
// order: the about box shown at once as the splash, the connection-state
// and help windows hidden, the application title, the banner as the main
// window, the enlarged gauge hidden.
class TWindowSet : public QObject {
  Q_OBJECT
public:
  // Build and show the window set over Services.
  explicit TWindowSet(TDesktopServices& Services);
  // Destroy the windows, the banner (and its tray icon) first.
  ~TWindowSet() override;

  // Render every display record into the windows that exist.
  void RenderAll();
  // Answer the names of the start-up steps in the order they ran.
  const std::vector<std::string>& StartupSteps() const { return FSteps; }
  // Answer the application as the tray icon sees it.
  TTrayApplication& TrayApplication() { return FTrayApplication; }

private:
  TDesktopServices& FServices;
  TTrayApplication FTrayApplication;
  std::vector<std::string> FSteps;
  std::unique_ptr<TVerAboutBox> FVerAboutBox;
  std::unique_ptr<TForm2> FForm2;
  std::unique_ptr<TForm4> FForm4;
  std::unique_ptr<TForm1> FForm1;
  std::unique_ptr<TForm3> FForm3;
};

// Fold the running session in, reporting errors on stderr, stop every handler and end the program.
void FoldInAndEnd(TErrorBoundary& Boundary, TAccounting& Accounting, TAppPort& App);
