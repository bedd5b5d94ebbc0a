#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

#include "TProofRig.h"

namespace fs = std::filesystem;

namespace {

// Start the fold-in driver on Dir and wait until it has written the file.
pid_t StartDriver(const fs::path& Dir)
{
  int Pipe[2];
  if (::pipe(Pipe) != 0)
    return -1;
  const pid_t Child = ::fork();
  if (Child == 0) {
    ::dup2(Pipe[1], STDOUT_FILENO);
    ::close(Pipe[0]);
    ::execl(FOLDIN_DRIVER, FOLDIN_DRIVER, Dir.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(Pipe[1]);
  char Ready[6] = {};
  const ssize_t Got = ::read(Pipe[0], Ready, 5);
  ::close(Pipe[0]);
  return Got == 5 ? Child : -1;
}

} // namespace

// Kill a process that folds sessions in over and over at random moments: the
// counter file is always one whole version, old or new, and only grows by
// whole sessions.
TEST(CrashConsistency, KilledFoldInLeavesOldOrNewFile)
{
  const TScratchDirectory Scratch("crash", false);
  const fs::path& Dir = Scratch.Path();
  std::mt19937 Random(12345);
  int32_t Previous = 0;
  int Grew = 0;
  for (int Kill = 0; Kill < 300; ++Kill) {
    const pid_t Driver = StartDriver(Dir);
    ASSERT_GT(Driver, 0) << "driver did not start";
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 15000)(Random));
    ::kill(Driver, SIGKILL);
    int Status = 0;
    ::waitpid(Driver, &Status, 0);
    ASSERT_TRUE(WIFSIGNALED(Status));

    const std::string Bytes = ReadCounterBytes(Dir);
    ASSERT_TRUE(IsWholeCounterFile(Bytes)) << "after kill " << Kill << ": [" << Bytes << "]";
    const int32_t Total = CounterTotal(Bytes);
    ASSERT_EQ(Total % 16, 0) << "a session was split";
    ASSERT_GE(Total, Previous) << "a fold-in was lost";
    Grew += Total > Previous;
    Previous = Total;
    const auto Entries = std::distance(fs::directory_iterator(Dir), fs::directory_iterator());
    ASSERT_LE(Entries, 2) << "interrupted writes leave their temporaries behind";
  }
  EXPECT_GT(Grew, 30) << "the kills should land after many fold-ins";
}
