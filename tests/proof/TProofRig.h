#pragma once
#include <string>

#include "TAccountingRig.h"

// An accounting over fake services with one WAN interface whose link the
// caller switches, working on the files of the current directory.
struct TProofRig : TAccountingRig {
  // Fill the tables, prepare the state and run the first reload.
  TProofRig();
  // Run one tick with the link up or down.
  void Tick(bool LinkUp);
};

// Answer the bytes of the counter file of the current directory, or an empty
// text when it cannot be read.
std::string ReadCounterBytes();
// Answer whether Bytes is a whole counter file: a dd/mm/yyyy hh:mm:ss line,
// a line of digits and a line of digits, each ended by CR LF, nothing after.
bool IsWholeCounterFile(const std::string& Bytes);
