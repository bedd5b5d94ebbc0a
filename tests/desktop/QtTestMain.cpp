#include <QApplication>
#include <gtest/gtest.h>
#include <cstdio>

#include "TTerminationWatcher.h"

namespace {

// Drop the offscreen platform's notes about what it cannot do; print the rest.
void FilterMessages(QtMsgType, const QMessageLogContext&, const QString& Message)
{
  if (!Message.startsWith(QStringLiteral("This plugin does not support")))
    std::fprintf(stderr, "%s\n", qPrintable(Message));
}

} // namespace

// Run every widget test inside one application object; the termination
// signals are blocked first, so that a test can raise them at itself.
int main(int argc, char** argv)
{
  TTerminationWatcher::BlockTerminationSignals();
  // Test discovery runs the executable without the tests' environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(FilterMessages);
  QApplication App(argc, argv);
  App.setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
