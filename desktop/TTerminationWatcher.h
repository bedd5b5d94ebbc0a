#pragma once
#include <QObject>
#include <functional>

class QSocketNotifier;
class QSessionManager;

// Turns SIGTERM, SIGINT, SIGHUP and the end of the desktop session into one
// call on the UI thread; nothing runs inside a signal handler.
class TTerminationWatcher : public QObject {
  Q_OBJECT
public:
  // Block the three signals in the calling thread; call before any other thread starts.
  static void BlockTerminationSignals();

  // Watch the blocked signals and the session, calling OnTerminate once for the first of them.
  explicit TTerminationWatcher(std::function<void()> OnTerminate, QObject* Parent = nullptr);
  // Close the signal descriptor.
  ~TTerminationWatcher() override;

  // Answer the signal number that was received, or 0.
  int ReceivedSignal() const { return FSignal; }

private:
  // Read the pending signal and terminate.
  void ReadSignal();
  // Terminate because the desktop session ends.
  void SessionEnds(QSessionManager& Manager);
  // Call OnTerminate the first time only.
  void Terminate();

  int FFd = -1;
  int FSignal = 0;
  bool FDone = false;
  QSocketNotifier* FNotifier = nullptr;
  std::function<void()> FOnTerminate;
};
