#include "TCounterStore.h"

#include "CheckedInt.h"
#include "TTextFile.h"

bool CounterFileExists() { return FileExists(CounterFileName); }

TCounterLines ReadCounterFile()
{
  const std::vector<std::string> Lines = ReadTextLines(CounterFileName, 3);
  return {Lines[0], Lines[1], Lines[2]};
}

void WriteCounterFile(const TCounterLines& Lines)
{
  WriteTextLines(CounterFileName, {Lines.StartDate, Lines.TotalSeconds, Lines.PlanHours});
}

bool ResetDayFileExists() { return FileExists(ResetDayFileName); }

std::string ReadResetDayFile() { return ReadTextLines(ResetDayFileName, 1)[0]; }

void WriteResetDayFile(const std::string& Text) { WriteTextLines(ResetDayFileName, {Text}); }

TTimeSplit SplitSeconds(int32_t Seconds)
{
  TTimeSplit Split;
  Split.H = Seconds / 3600;
  Split.M = CheckedSub(Seconds, CheckedMul(Split.H, 3600)) / 60;
  Split.S = CheckedSub(CheckedSub(Seconds, CheckedMul(Split.M, 60)), CheckedMul(Split.H, 3600));
  return Split;
}

std::string NowText(TClock& Clock) { return DateTimeToText(Clock.Now()); }

namespace {

// Answer the byte length of the UTF-8 character that starts with Lead.
size_t CharLength(unsigned char Lead)
{
  if (Lead >= 0xF0)
    return 4;
  if (Lead >= 0xE0)
    return 3;
  if (Lead >= 0xC0)
    return 2;
  return 1;
}

} // namespace

std::string StartMonthText(const std::string& StartDate)
{
  const size_t Slash = StartDate.find('/');
  size_t First = Slash == std::string::npos ? 0 : Slash + 1;
  size_t End = First;
  for (int Taken = 0; Taken < 2 && End < StartDate.size(); ++Taken)
    End += CharLength(static_cast<unsigned char>(StartDate[End]));
  if (End > StartDate.size())
    End = StartDate.size();
  return StartDate.substr(First, End - First);
}
