#include "TCommandRunner.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Answer the environment of the parent with the locale forced to C, so that
// the output of the tools is not translated.
std::vector<std::string> ChildEnvironment()
{
  std::vector<std::string> Entries;
  for (char** Entry = environ; Entry != nullptr && *Entry != nullptr; ++Entry)
    if (std::strncmp(*Entry, "LC_ALL=", 7) != 0 && std::strncmp(*Entry, "LANGUAGE=", 9) != 0)
      Entries.emplace_back(*Entry);
  Entries.emplace_back("LC_ALL=C");
  return Entries;
}

// Build a null-terminated array of pointers into Texts.
std::vector<char*> PointersTo(std::vector<std::string>& Texts)
{
  std::vector<char*> Pointers;
  for (std::string& Text : Texts)
    Pointers.push_back(Text.data());
  Pointers.push_back(nullptr);
  return Pointers;
}

} // namespace

TCommandResult TSystemCommandRunner::Run(const std::vector<std::string>& Argv, TOutput Output)
{
  TCommandResult Result;
  if (Argv.empty())
    return Result;
  int Pipe[2];
  if (::pipe2(Pipe, O_CLOEXEC) != 0)
    return Result;

  std::vector<std::string> Arguments = Argv;
  std::vector<std::string> Environment = ChildEnvironment();
  std::vector<char*> ArgPointers = PointersTo(Arguments);
  std::vector<char*> EnvPointers = PointersTo(Environment);

  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_addopen(&Actions, 0, "/dev/null", O_RDONLY, 0);
  if (Output == TOutput::Keep)
    posix_spawn_file_actions_adddup2(&Actions, Pipe[1], 1);
  else
    posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&Actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t Pid = -1;
  const int SpawnError =
      ::posix_spawnp(&Pid, ArgPointers[0], &Actions, nullptr, ArgPointers.data(), EnvPointers.data());
  posix_spawn_file_actions_destroy(&Actions);
  ::close(Pipe[1]);
  if (SpawnError != 0) {
    ::close(Pipe[0]);
    Result.ExitCode = 127;
    return Result;
  }

  char Buffer[4096];
  for (;;) {
    const ssize_t n = ::read(Pipe[0], Buffer, sizeof Buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    const size_t Room = MaxOutputBytes - Result.Output.size();
    Result.Output.append(Buffer, std::min(static_cast<size_t>(n), Room));
  }
  ::close(Pipe[0]);

  int Status = 0;
  while (::waitpid(Pid, &Status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(Status))
    Result.ExitCode = WEXITSTATUS(Status);
  return Result;
}
