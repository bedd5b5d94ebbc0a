#include <fcntl.h>
#include <functional>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "TAccountingFixture.h"

namespace {

const std::string Start = "01/02/2026 10:00:00";
const std::string Now = "05/03/2026 21:07:45";
const std::string Old = Start + "\r\n100\r\n5\r\n";

// Exit status of a child that could not set up its mount.
constexpr int CannotMount = 77;

// A fault laid on the file an operation writes, and how to lift it.
struct TFault {
  std::string Name;
  std::string Error;
  std::function<void(const std::string& Target)> Apply;
  std::function<void(const std::string& Target)> Lift;
};

// An operation that rewrites a file, with its setup, its run and its check.
struct TOperation {
  std::string Name;
  std::string Target;
  std::function<void()> Prepare;
  std::function<void()> Run;
  // Check the state after the failed run; Before is the target's bytes before it.
  std::function<void(const std::string& Before)> CheckKept;
  std::string After; // the target's bytes after the retry
};

class TCounterFaultTest : public TAccountingFixture {
protected:
  // Start every operation from empty files and a fresh state.
  void Restart()
  {
    for (const std::string& Name : Names())
      std::filesystem::remove_all(Name);
    State = TCounterState{};
    Accounting.PrepareState();
    Display = TDisplay{};
    Dialogs = TFakeDialogs{};
    App = TFakeAppPort{};
  }

  std::vector<TOperation> Operations()
  {
    return {
        {"fold-in", CounterFileName,
         [&] {
           Put(CounterFileName, Old);
           Accounting.FormClick();
           Tick(true, 4);
         },
         [&] { Tick(false); },
         [&](const std::string&) {
           EXPECT_EQ(State.SessionSeconds, 14);
           EXPECT_EQ(State.PreviousLinkState, LinkConnected);
           EXPECT_EQ(Display.Form1.Label1.Caption, "0h1m44s, depuis " + Start);
         },
         Start + "\r\n114\r\n5\r\n"},
        {"set the plan", CounterFileName, [&] { Put(CounterFileName, Old); },
         [&] {
           Dialogs.Then({true, "9", nullptr});
           Accounting.Fixerleforfait1Click();
         },
         [&](const std::string&) {}, Start + "\r\n100\r\n9\r\n"},
        {"reset", CounterFileName,
         [&] {
           Put(CounterFileName, Old);
           State.PlanHoursText = "5";
         },
         [&] {
           Dialogs.Then({true, "", nullptr});
           Accounting.Rinitialiserlecompteur1Click();
         },
         [&](const std::string&) { EXPECT_EQ(State.StartDateText, ""); }, Now + "\r\n0\r\n5\r\n"},
        {"creation by the reload", CounterFileName, [] {}, [&] { Accounting.FormClick(); },
         [&](const std::string&) {
           EXPECT_EQ(State.StartDateText, "");
           EXPECT_EQ(App.HelpShown, 0);
         },
         Now + "\r\n0\r\n1\r\n"},
        {"change the reset day", ResetDayFileName,
         [&] {
           Put(CounterFileName, Old);
           Put(ResetDayFileName, "2\r\n");
         },
         [&] {
           Dialogs.Then({true, "12", nullptr});
           Accounting.Changer1Click();
         },
         [&](const std::string&) { EXPECT_EQ(Display.Form2.Label2.Caption, "Label2") << "the reload did not run"; },
         "12\r\n"},
    };
  }

  // Run every operation under Fault: it fails with the fault's text, keeps
  // what it had, leaves no file open or behind, and succeeds once lifted.
  void RunAllUnder(const TFault& Fault)
  {
    for (const TOperation& Operation : Operations()) {
      SCOPED_TRACE(Operation.Name + " under " + Fault.Name);
      Restart();
      Operation.Prepare();
      const std::string Before = Get(Operation.Target);
      const std::vector<std::string> Files = Names();
      Fault.Apply(Operation.Target);
      const int Descriptors = OpenDescriptors();
      EXPECT_EQ(ErrorOf(Operation.Run), Fault.Error);
      EXPECT_EQ(OpenDescriptors(), Descriptors) << "no file is left open";
      Fault.Lift(Operation.Target);
      EXPECT_EQ(Get(Operation.Target), Before) << "the previous lines are intact";
      EXPECT_EQ(Names(), Files) << "no temporary file is left behind";
      Operation.CheckKept(Before);
      EXPECT_EQ(ErrorOf(Operation.Run), "") << "the retry succeeds";
      EXPECT_EQ(Get(Operation.Target), Operation.After);
    }
  }

  // Run Body in a child process with its own mount namespace, where a tmpfs
  // of 64 KiB covers the test directory; skip when mounting is not allowed.
  void RunOnSmallTmpfs(const std::function<void()>& Body)
  {
    std::fflush(stdout);
    const pid_t Child = ::fork();
    ASSERT_GE(Child, 0);
    if (Child == 0) {
      if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
          ::mount("tmpfs", Dir.c_str(), "tmpfs", 0, "size=64k") != 0 || ::chdir(Dir.c_str()) != 0)
        ::_exit(CannotMount);
      try {
        Body();
      } catch (const std::exception& Error) {
        ADD_FAILURE() << "uncaught: " << Error.what();
      }
      std::fflush(stdout);
      ::_exit(HasFailure() ? 1 : 0);
    }
    int Status = 0;
    ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
    ASSERT_TRUE(WIFEXITED(Status));
    if (WEXITSTATUS(Status) == CannotMount)
      GTEST_SKIP() << "needs a private mount namespace and a tmpfs mount (root or CAP_SYS_ADMIN)";
    EXPECT_EQ(WEXITSTATUS(Status), 0) << "the checks in the child failed; see its messages above";
  }
};

TEST_F(TCounterFaultTest, FullDiskLosesNothingAndTheRetrySucceeds)
{
  RunOnSmallTmpfs([&] {
    const TFault Full{"a full disk", "Disque plein",
                      [](const std::string&) {
                        const int Fd = ::open("filler", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
                        ASSERT_GE(Fd, 0);
                        const std::string Block(4096, 'x');
                        while (::write(Fd, Block.data(), Block.size()) > 0) {
                        }
                        ::close(Fd);
                      },
                      [](const std::string&) { std::filesystem::remove("filler"); }};
    RunAllUnder(Full);
  });
}

TEST_F(TCounterFaultTest, ReadOnlyMountLosesNothingAndTheRetrySucceeds)
{
  RunOnSmallTmpfs([&] {
    const std::string Here = Dir;
    const TFault ReadOnly{"a read-only mount", "Accès au fichier refusé",
                          [Here](const std::string&) {
                            ASSERT_EQ(::mount(nullptr, Here.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
                          },
                          [Here](const std::string&) {
                            ASSERT_EQ(::mount(nullptr, Here.c_str(), nullptr, MS_REMOUNT, nullptr), 0);
                          }};
    RunAllUnder(ReadOnly);
  });
}

TEST_F(TCounterFaultTest, DirectoryInPlaceOfTheFileLosesNothingAndTheRetrySucceeds)
{
  std::optional<std::string> Saved;
  const TFault Directory{"a directory in its place", "Erreur E/S " + std::to_string(EISDIR),
                         [&](const std::string& Target) {
                           Saved.reset();
                           if (std::filesystem::exists(Target))
                             Saved = Get(Target);
                           std::filesystem::remove(Target);
                           std::filesystem::create_directory(Target);
                         },
                         [&](const std::string& Target) {
                           std::filesystem::remove(Target);
                           if (Saved)
                             Put(Target, *Saved);
                         }};
  RunAllUnder(Directory);
}

} // namespace
