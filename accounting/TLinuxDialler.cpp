#include "TLinuxDialler.h"

#include <system_error>
#include <thread>

namespace {

// Split one terse nmcli line at its last unescaped ':' and undo the escapes of the name.
bool SplitTerseLine(const std::string& Line, std::string& Name, std::string& Type)
{
  Name.clear();
  size_t i = 0;
  for (; i < Line.size(); ++i) {
    if (Line[i] == '\\' && i + 1 < Line.size()) {
      Name += Line[++i];
    } else if (Line[i] == ':') {
      Type = Line.substr(i + 1);
      return true;
    } else {
      Name += Line[i];
    }
  }
  return false;
}

bool IsDialupType(const std::string& Type)
{
  for (const char* Dialup : DialupTypes)
    if (Type == Dialup)
      return true;
  return false;
}

bool NetworkManagerRuns(TCommandRunner& Runner)
{
  const TCommandResult Result = Runner.Run({"nmcli", "-t", "-f", "RUNNING", "general"}, TOutput::Keep);
  return Result.ExitCode == 0 && Result.Output.rfind("running", 0) == 0;
}

// Answer the first dial-up connection NetworkManager knows (only the active ones when Active).
std::string FindConnection(TCommandRunner& Runner, bool Active)
{
  if (!NetworkManagerRuns(Runner))
    return "";
  std::vector<std::string> Argv = {"nmcli", "-t", "-f", "NAME,TYPE", "connection", "show"};
  if (Active)
    Argv.push_back("--active");
  const TCommandResult Result = Runner.Run(Argv, TOutput::Keep);
  return Result.ExitCode == 0 ? PickDialupConnection(Result.Output) : "";
}

} // namespace

std::string PickDialupConnection(const std::string& Listing)
{
  size_t Start = 0;
  while (Start < Listing.size()) {
    size_t End = Listing.find('\n', Start);
    if (End == std::string::npos)
      End = Listing.size();
    std::string Name;
    std::string Type;
    if (SplitTerseLine(Listing.substr(Start, End - Start), Name, Type) && IsDialupType(Type) && !Name.empty())
      return Name;
    Start = End + 1;
  }
  return "";
}

void DialNow(TCommandRunner& Runner)
{
  const std::string Name = FindConnection(Runner, false);
  if (!Name.empty())
    Runner.Run({"nmcli", "connection", "up", "id", Name}, TOutput::Discard);
  else
    Runner.Run({"pon"}, TOutput::Discard);
}

void HangUpNow(TCommandRunner& Runner)
{
  const std::string Name = FindConnection(Runner, true);
  if (!Name.empty())
    Runner.Run({"nmcli", "connection", "down", "id", Name}, TOutput::Discard);
  else
    Runner.Run({"poff"}, TOutput::Discard);
}

TLinuxDialler::TLinuxDialler(std::shared_ptr<TCommandRunner> Runner) : FRunner(std::move(Runner)) {}

namespace {

// Run Work on a detached worker that keeps Runner alive; a worker that
// cannot be started drops the request, as a failed dial is not reported.
void StartWorker(std::shared_ptr<TCommandRunner> Runner, void (*Work)(TCommandRunner&))
{
  try {
    std::thread([Runner = std::move(Runner), Work] { Work(*Runner); }).detach();
  } catch (const std::system_error&) {
  }
}

} // namespace

void TLinuxDialler::InternetAutodial() { StartWorker(FRunner, DialNow); }

void TLinuxDialler::InternetAutodialHangup() { StartWorker(FRunner, HangUpNow); }
