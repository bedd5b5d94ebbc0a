#include "TFakePorts.h"

TDialogAnswer TFakeDialogs::Next()
{
  if (Script.empty())
    return TDialogAnswer{false, "", nullptr};
  TDialogAnswer Answer = std::move(Script.front());
  Script.pop_front();
  return Answer;
}

void TFakeDialogs::ShowMessage(const std::string& Text)
{
  Shown.push_back({"message", "Tavrelo", Text, ""});
  TDialogAnswer Answer = Next();
  if (Answer.While)
    Answer.While();
}

bool TFakeDialogs::Confirm(const std::string& Text)
{
  Shown.push_back({"confirm", "Confirmation", Text, ""});
  if (Script.empty())
    return true;
  TDialogAnswer Answer = Next();
  if (Answer.While)
    Answer.While();
  return Answer.Accept;
}

bool TFakeDialogs::InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value)
{
  Shown.push_back({"input", Caption, Prompt, Value});
  TDialogAnswer Answer = Next();
  if (Answer.While)
    Answer.While();
  if (Answer.Accept)
    Value = Answer.Text.substr(0, 255);
  return Answer.Accept;
}

namespace {

std::string JoinArgs(const std::vector<std::string>& Argv)
{
  std::string Line;
  for (const std::string& Arg : Argv)
    Line += (Line.empty() ? "" : " ") + Arg;
  return Line;
}

} // namespace

TCommandResult TFakeCommandRunner::Run(const std::vector<std::string>& Argv, TOutput)
{
  const std::string Line = JoinArgs(Argv);
  std::unique_lock<std::mutex> Lock(FMutex);
  FStarted.push_back(Line);
  FChanged.notify_all();
  FChanged.wait(Lock, [this] { return !FHeld; });
  const auto Found = Results.find(Line);
  const TCommandResult Result = Found != Results.end() ? Found->second : TCommandResult{127, ""};
  ++FFinished;
  FChanged.notify_all();
  return Result;
}

void TFakeCommandRunner::Hold()
{
  std::lock_guard<std::mutex> Lock(FMutex);
  FHeld = true;
}

void TFakeCommandRunner::Release()
{
  std::lock_guard<std::mutex> Lock(FMutex);
  FHeld = false;
  FChanged.notify_all();
}

std::vector<std::string> TFakeCommandRunner::WaitForRuns(size_t Count)
{
  std::unique_lock<std::mutex> Lock(FMutex);
  // The bound only keeps a broken worker from hanging the test run.
  FChanged.wait_for(Lock, std::chrono::seconds(30), [this, Count] { return FFinished >= Count; });
  return FStarted;
}

std::vector<std::string> TFakeCommandRunner::Started()
{
  std::lock_guard<std::mutex> Lock(FMutex);
  return FStarted;
}
