#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "TAppPort.h"
#include "TBeep.h"
#include "TClock.h"
#include "TCommandRunner.h"
#include "TDialler.h"
#include "TDialogs.h"

// Clock answering Time, which the test moves by hand.
class TFakeClock : public TClock {
public:
  // Answer Time.
  TDateTime Now() override { return Time; }
  TDateTime Time{2026, 3, 5, 21, 7, 45};
};

// Beep that counts.
class TFakeBeep : public TBeep {
public:
  // Count one beep.
  void Beep() override { ++Count; }
  int Count = 0;
};

// Dialler that records its requests.
class TFakeDialler : public TDialler {
public:
  // Record a dial request.
  void InternetAutodial() override { Calls.push_back("dial"); }
  // Record a hang-up request.
  void InternetAutodialHangup() override { Calls.push_back("hangup"); }
  std::vector<std::string> Calls;
};

// Application port that records what the core asked of the windows.
class TFakeAppPort : public TAppPort {
public:
  // Count one show of the help window.
  void ShowHelpWindow() override { ++HelpShown; }
  // Count one show of the banner.
  void ShowBanner() override { ++BannerShown; }
  // Record the termination request.
  void Terminate() override { Terminated = true; }
  int HelpShown = 0;
  int BannerShown = 0;
  bool Terminated = false;
};

// One dialog the fake expects and how to answer it.
struct TDialogAnswer {
  bool Accept = true;         // Oui / OK
  std::string Text;           // the text an input box hands back on OK
  std::function<void()> While; // run while the dialog is "open", as timers do
};

// Dialogs answering from a script; every dialog shown is recorded.  Each
// dialog takes the next answer of the script, if any, and runs its While.
class TFakeDialogs : public TDialogs {
public:
  // Record the message and take the next answer, whose Accept is not used.
  void ShowMessage(const std::string& Text) override;
  // Record the question and answer from the script (Oui when it is empty).
  bool Confirm(const std::string& Text) override;
  // Record the box and answer from the script (Annuler when it is empty).
  bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) override;

  // Queue an answer for the next dialog.
  TFakeDialogs& Then(TDialogAnswer Answer)
  {
    Script.push_back(std::move(Answer));
    return *this;
  }

  struct TShown {
    std::string Kind; // "message", "confirm" or "input"
    std::string Caption;
    std::string Text;
    std::string Initial;
  };
  std::vector<TShown> Shown;
  std::deque<TDialogAnswer> Script;

private:
  TDialogAnswer Next();
};

// Command runner that records every command and answers from a table keyed
// by the command line joined with blanks; unknown commands answer 127.
// Safe to use from several threads; Hold makes every run wait for Release.
class TFakeCommandRunner : public TCommandRunner {
public:
  // Record Argv, wait while held, and answer the scripted result.
  TCommandResult Run(const std::vector<std::string>& Argv, TOutput Output) override;
  // Make the following runs wait until Release.
  void Hold();
  // Let waiting and later runs go on.
  void Release();
  // Wait until Count runs have finished (30 s at most); answer the command lines started so far.
  std::vector<std::string> WaitForRuns(size_t Count);
  // Answer the command lines started so far, without waiting.
  std::vector<std::string> Started();

  // Results by command line, such as "nmcli -t -f RUNNING general".
  std::map<std::string, TCommandResult> Results;

private:
  std::mutex FMutex;
  std::condition_variable FChanged;
  bool FHeld = false;
  size_t FFinished = 0;
  std::vector<std::string> FStarted;
};
