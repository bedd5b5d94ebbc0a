#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

#include "TDesktopRig.h"
#include "TTerminationWatcher.h"
#include "Unit1.h"

namespace {

// Run the event loop until Done or a few seconds have passed.
template <typename TDone>
void ProcessUntil(TDone Done)
{
  QElapsedTimer Clock;
  Clock.start();
  while (!Done() && Clock.elapsed() < 5000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

TEST(TerminationWatcher, TurnsEachSignalIntoOneCallOnTheEventLoop)
{
  for (int Signal : {SIGTERM, SIGINT, SIGHUP}) {
    int Calls = 0;
    TTerminationWatcher Watcher([&] { ++Calls; });
    ASSERT_EQ(kill(getpid(), Signal), 0);
    ASSERT_EQ(kill(getpid(), Signal), 0);
    EXPECT_EQ(Calls, 0);
    ProcessUntil([&] { return Calls > 0; });
    QCoreApplication::processEvents();
    EXPECT_EQ(Calls, 1) << Signal;
    EXPECT_EQ(Watcher.ReceivedSignal(), Signal);
  }
}

TEST(TerminationWatcher, FoldsTheRunningSessionInThenStopsEveryHandler)
{
  TDesktopRig Rig;
  TDesktopRig::WriteLines(ResetDayFileName, {"5"});
  TDesktopRig::WriteLines(CounterFileName, {"05/03/2026 21:07:45", "100", "20"});
  Rig.ConnectLink();
  Rig.Build();
  Form1->Timer1->stop();
  Form1->Timer2->stop();
  for (int Tick = 0; Tick < 5; ++Tick)
    Form1->Timer1Timer();
  ASSERT_EQ(Rig.State.PreviousLinkState, LinkConnected);

  TTerminationWatcher Watcher([&] { FoldInAndEnd(Rig.Boundary, Rig.Accounting, Rig.App); });
  ASSERT_EQ(kill(getpid(), SIGTERM), 0);
  ProcessUntil([&] { return Rig.App.Terminated > 0; });
  EXPECT_EQ(Rig.App.Terminated, 1);
  // Five connected ticks and the ten seconds of dead time reach the file, once.
  EXPECT_EQ(TDesktopRig::ReadLines(CounterFileName), (std::vector<std::string>{"05/03/2026 21:07:45", "115", "20"}));
  EXPECT_TRUE(Rig.Boundary.Ending());
  const int32_t Session = Rig.State.SessionSeconds;
  Form1->Timer1Timer();
  Form1->Rinitialiserlecompteur1->trigger();
  EXPECT_EQ(Rig.State.SessionSeconds, Session);
  EXPECT_EQ(TDesktopRig::ReadLines(CounterFileName)[1], "115");
  EXPECT_TRUE(Rig.Dialogs.Shown.empty());
  EXPECT_TRUE(Rig.Box.Texts.empty());
}

} // namespace
