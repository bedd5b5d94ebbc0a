#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <memory>

#include "TAccounting.h"
#include "TDisplay.h"
#include "TErrorBoundary.h"
#include "TLinuxConnectedState.h"
#include "TLinuxDialler.h"
#include "TLinuxIpHelper.h"
#include "TNetMonitor.h"
#include "TQtAppPort.h"
#include "TQtBeep.h"
#include "TQtDialogs.h"
#include "TQtTrayShell.h"
#include "TTerminationWatcher.h"
#include "TWindowSet.h"

int main(int argc, char** argv)
{
  // Before any thread exists, so that every thread leaves the signals to the watcher.
  TTerminationWatcher::BlockTerminationSignals();
  QApplication App(argc, argv);
  App.setQuitOnLastWindowClosed(false);

  TLinuxIpHelper IpHelper;
  TLinuxConnectedState ConnectedState;
  TNetMonitor Monitor(IpHelper, ConnectedState);
  TDisplay Display;
  TSystemClock Clock;
  TQtErrorBox ErrorBox;
  TErrorBoundary Boundary(ErrorBox);
  TQtDialogs Dialogs(Boundary);
  TQtBeep Beep;
  TLinuxDialler Dialler(std::make_shared<TSystemCommandRunner>());
  TQtAppPort AppPort;
  TAccounting Accounting(CounterState, Display, Monitor, Clock, Dialogs, Beep, Dialler, AppPort);
  TTerminationWatcher Watcher([&] { FoldInAndEnd(Boundary, Accounting, AppPort); });
  TQtTrayShell Shell;
  TDesktopServices Services{Display, Monitor, Accounting, Dialogs, Boundary, Shell, "/proc/self/exe", {}};

  std::unique_ptr<TWindowSet> Windows;
  try {
    Windows = std::make_unique<TWindowSet>(Services);
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "tavrelo: %s\n", Error.what());
    QMessageBox::critical(nullptr, QStringLiteral("Tavrelo"), QString::fromUtf8(ErrorBoxText(Error.what())));
    return 1;
  }
  // A termination during start-up has already folded the session in.
  if (Boundary.Ending())
    return 0;
  return App.exec();
}
