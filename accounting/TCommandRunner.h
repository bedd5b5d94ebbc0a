#pragma once
#include <string>
#include <vector>

// What a finished command left: its exit status and what it wrote to its output.
struct TCommandResult {
  int ExitCode = -1; // 127 when the program could not be started, -1 when it died of a signal
  std::string Output;
};

// What becomes of a command's output: kept for the caller, or discarded so
// that a daemon the command leaves behind cannot hold the caller up.
enum class TOutput { Keep, Discard };

// Port to the running of the system's own programs.
class TCommandRunner {
public:
  virtual ~TCommandRunner() = default;
  // Run the program Argv[0] with the arguments Argv, wait for it and answer what it left.
  virtual TCommandResult Run(const std::vector<std::string>& Argv, TOutput Output) = 0;
};

// Runner that starts real processes, found through PATH, in the C locale,
// with no input, errors discarded, and reaps each one before it answers.
class TSystemCommandRunner : public TCommandRunner {
public:
  // Longest output kept; the rest is read and dropped.
  static constexpr size_t MaxOutputBytes = 64 * 1024;
  // Run Argv and wait for it; safe to call from several threads at once.
  TCommandResult Run(const std::vector<std::string>& Argv, TOutput Output) override;
};
