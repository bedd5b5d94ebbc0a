#include <cerrno>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "TFakePorts.h"
#include "TLinuxDialler.h"

namespace {

const std::string Running = "nmcli -t -f RUNNING general";
const std::string List = "nmcli -t -f NAME,TYPE connection show";
const std::string ListActive = List + " --active";

TEST(TLinuxDiallerTest, PicksTheFirstDialupConnection)
{
  struct TCase {
    std::string Listing;
    std::string Name;
  };
  const TCase Cases[] = {
      {"", ""},
      {"Wired connection 1:802-3-ethernet\nHome:802-11-wireless\n", ""},
      {"Wired connection 1:802-3-ethernet\nOrange:gsm\nOther:cdma\n", "Orange"},
      {"Box:pppoe", "Box"},
      {"Phone\\: DUN:bluetooth\n", "Phone: DUN"},
      {"back\\\\slash:cdma\n", "back\\slash"},
      {"Fake:gsmx\nlo:loopback\n:gsm\nReal:cdma\n", "Real"},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Listing);
    EXPECT_EQ(PickDialupConnection(Case.Listing), Case.Name);
  }
}

TEST(TLinuxDiallerTest, DialsAndHangsUpThroughNetworkManagerOrPppScripts)
{
  struct TCase {
    std::string Name;
    std::map<std::string, TCommandResult> Results;
    bool Dial;
    std::vector<std::string> Commands;
  };
  const TCommandResult NmRunning{0, "running\n"};
  const TCommandResult Listing{0, "eth:802-3-ethernet\nOrange Mobile:gsm\n"};
  const TCase Cases[] = {
      {"no nmcli", {}, true, {Running, "pon"}},
      {"NetworkManager stopped", {{Running, {0, "not running\n"}}}, true, {Running, "pon"}},
      {"dial over nmcli", {{Running, NmRunning}, {List, Listing}}, true,
       {Running, List, "nmcli connection up id Orange Mobile"}},
      {"no dial-up connection", {{Running, NmRunning}, {List, {0, "eth:802-3-ethernet\n"}}}, true,
       {Running, List, "pon"}},
      {"listing fails", {{Running, NmRunning}, {List, {8, "Orange:gsm\n"}}}, true, {Running, List, "pon"}},
      {"hang up over nmcli", {{Running, NmRunning}, {ListActive, Listing}}, false,
       {Running, ListActive, "nmcli connection down id Orange Mobile"}},
      {"nothing active", {{Running, NmRunning}, {ListActive, {0, ""}}}, false, {Running, ListActive, "poff"}},
      {"hang up without nmcli", {}, false, {Running, "poff"}},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TFakeCommandRunner Runner;
    Runner.Results = Case.Results;
    if (Case.Dial)
      DialNow(Runner);
    else
      HangUpNow(Runner);
    EXPECT_EQ(Runner.Started(), Case.Commands);
  }
}

TEST(TLinuxDiallerTest, RequestsReturnBeforeTheToolsHaveRun)
{
  auto Runner = std::make_shared<TFakeCommandRunner>();
  TLinuxDialler Dialler(Runner);
  Runner->Hold();
  Dialler.InternetAutodial(); // would never return if it waited for the held runner
  Dialler.InternetAutodialHangup();
  Runner->Release();
  std::vector<std::string> Runs = Runner->WaitForRuns(4);
  std::sort(Runs.begin(), Runs.end());
  EXPECT_EQ(Runs, (std::vector<std::string>{Running, Running, "poff", "pon"}));
}

TEST(TLinuxDiallerTest, SystemRunnerReportsStatusOutputAndReapsItsChildren)
{
  struct TCase {
    std::vector<std::string> Argv;
    TOutput Output;
    int ExitCode;
    std::string Text;
  };
  const TCase Cases[] = {
      {{"sh", "-c", "echo hi; echo err >&2"}, TOutput::Keep, 0, "hi\n"},
      {{"sh", "-c", "echo hi; exit 3"}, TOutput::Discard, 3, ""},
      {{"sh", "-c", "echo \"$LC_ALL\""}, TOutput::Keep, 0, "C\n"},
      {{"sh", "-c", "read x && echo got; echo end"}, TOutput::Keep, 0, "end\n"},
      {{"sh", "-c", "kill -9 $$"}, TOutput::Keep, -1, ""},
      {{"/nonexistent/tool"}, TOutput::Keep, 127, ""},
      {{}, TOutput::Keep, -1, ""},
  };
  TSystemCommandRunner Runner;
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Argv.empty() ? "" : Case.Argv.back());
    const TCommandResult Result = Runner.Run(Case.Argv, Case.Output);
    EXPECT_EQ(Result.ExitCode, Case.ExitCode);
    EXPECT_EQ(Result.Output, Case.Text);
  }
  const TCommandResult Big = Runner.Run({"head", "-c", "200000", "/dev/zero"}, TOutput::Keep);
  EXPECT_EQ(Big.ExitCode, 0) << "the output past the bound is drained, so the tool is not blocked";
  EXPECT_EQ(Big.Output.size(), TSystemCommandRunner::MaxOutputBytes);
  errno = 0;
  EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "no child is left unreaped";
  EXPECT_EQ(errno, ECHILD);
}

} // namespace
