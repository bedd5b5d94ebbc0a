#pragma once
#include <cstdint>
#include <string>

#include "TClock.h"

// Name of the counter file, in the current directory.
inline constexpr const char* CounterFileName = "decompte_internet.log";
// Name of the reset-day file, in the current directory.
inline constexpr const char* ResetDayFileName = "jour_raz.txt";

// The three lines of the counter file.
struct TCounterLines {
  std::string StartDate;
  std::string TotalSeconds;
  std::string PlanHours;
};

// A number of seconds split into hours, minutes and seconds.
struct TTimeSplit {
  int32_t H = 0;
  int32_t M = 0;
  int32_t S = 0;
};

// Answer whether the counter file exists.
bool CounterFileExists();
// Read the three lines of the counter file; a missing line reads as empty.  Raises TInOutError.
TCounterLines ReadCounterFile();
// Replace the counter file with Lines in one step.  Raises TInOutError; the old file then stays whole.
void WriteCounterFile(const TCounterLines& Lines);
// Answer whether the reset-day file exists.
bool ResetDayFileExists();
// Read the first line of the reset-day file.  Raises TInOutError.
std::string ReadResetDayFile();
// Replace the reset-day file with the one line Text.  Raises TInOutError.
void WriteResetDayFile(const std::string& Text);

// Split Seconds into whole hours, minutes and seconds, truncating toward zero;
// raises TIntOverflowError when a step leaves the 32-bit range.
TTimeSplit SplitSeconds(int32_t Seconds);
// Write the date and time of now as line 1 of a new counter: dd/mm/yyyy hh:mm:ss.
std::string NowText(TClock& Clock);
// Answer the month text of a start date: the two characters after the first
// "/", or the first two characters when there is no "/".
std::string StartMonthText(const std::string& StartDate);
