#pragma once
#include <cstdint>
#include <filesystem>
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

// A fresh directory under the temporary folder, removed with everything in it
// at the end; when Enter, it is the current directory meanwhile.
class TScratchDirectory {
public:
  // Make /tmp/tavrelo-Name-pid, and enter it when Enter.
  TScratchDirectory(const std::string& Name, bool Enter);
  // Leave the directory when entered, then remove it.
  ~TScratchDirectory();
  TScratchDirectory(const TScratchDirectory&) = delete;
  TScratchDirectory& operator=(const TScratchDirectory&) = delete;
  // Answer the directory's path.
  const std::filesystem::path& Path() const { return FPath; }

private:
  std::filesystem::path FPath;
  std::filesystem::path FOld;
};

// Answer the bytes of the counter file in Dir, or an empty text when it
// cannot be read.
std::string ReadCounterBytes(const std::filesystem::path& Dir = ".");
// Answer line 2, the counted seconds, of a whole counter file.
int32_t CounterTotal(const std::string& Bytes);
// Answer whether Bytes is a whole counter file: a dd/mm/yyyy hh:mm:ss line,
// a line of digits and a line of digits, each ended by CR LF, nothing after.
bool IsWholeCounterFile(const std::string& Bytes);
