#include "TTerminationWatcher.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// Answer the set of the signals that end the program.
sigset_t TerminationSignals()
{
  sigset_t Set;
  sigemptyset(&Set);
  sigaddset(&Set, SIGTERM);
  sigaddset(&Set, SIGINT);
  sigaddset(&Set, SIGHUP);
  return Set;
}

} // namespace

void TTerminationWatcher::BlockTerminationSignals()
{
  const sigset_t Set = TerminationSignals();
  pthread_sigmask(SIG_BLOCK, &Set, nullptr);
}

TTerminationWatcher::TTerminationWatcher(std::function<void()> OnTerminate, QObject* Parent)
    : QObject(Parent), FOnTerminate(std::move(OnTerminate))
{
  const sigset_t Set = TerminationSignals();
  FFd = signalfd(-1, &Set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (FFd >= 0) {
    FNotifier = new QSocketNotifier(FFd, QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &TTerminationWatcher::ReadSignal);
  }
  if (auto* App = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    connect(App, &QGuiApplication::commitDataRequest, this, &TTerminationWatcher::SessionEnds, Qt::DirectConnection);
}

TTerminationWatcher::~TTerminationWatcher()
{
  if (FFd >= 0)
    ::close(FFd);
}

void TTerminationWatcher::ReadSignal()
{
  signalfd_siginfo Info{};
  bool Got = false;
  while (::read(FFd, &Info, sizeof Info) == static_cast<ssize_t>(sizeof Info)) {
    if (!Got)
      FSignal = static_cast<int>(Info.ssi_signo);
    Got = true;
  }
  if (Got)
    Terminate();
}

void TTerminationWatcher::SessionEnds(QSessionManager&)
{
  Terminate();
}

void TTerminationWatcher::Terminate()
{
  if (FDone)
    return;
  FDone = true;
  if (FOnTerminate)
    FOnTerminate();
}
