#pragma once
#include <memory>
#include <string>

#include "TAccounting.h"
#include "TFakeIpHelper.h"
#include "TFakePorts.h"

// A whole accounting over fake services, with one WAN interface whose link
// the caller switches, working on the files of the current directory.
struct TProofRig {
  // Build the rig, prepare the state and run the first reload.
  TProofRig();
  // Run one tick with the link up or down.
  void Tick(bool LinkUp);

  TFakeIpHelper IpHelper;
  TFakeConnectedState ConnectedState;
  TFakeClock Clock;
  TFakeDialogs Dialogs;
  TFakeBeep Beep;
  TFakeDialler Dialler;
  TFakeAppPort App;
  TCounterState State;
  TDisplay Display;
  std::unique_ptr<TNetMonitor> Monitor;
  std::unique_ptr<TAccounting> Accounting;
};

// Answer the three lines of the counter file of the current directory as
// raw bytes, or an empty text when it cannot be read.
std::string ReadCounterBytes();
// Answer whether Bytes is a whole counter file: a dd/mm/yyyy hh:mm:ss line,
// a line of digits and a line of digits, each ended by CR LF, nothing after.
bool IsWholeCounterFile(const std::string& Bytes);
