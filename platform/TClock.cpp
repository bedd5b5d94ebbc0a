#include "TClock.h"

#include <cstdio>
#include <ctime>

TDateTime TSystemClock::Now()
{
  const std::time_t Seconds = std::time(nullptr);
  std::tm Local{};
  localtime_r(&Seconds, &Local);
  return {Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday, Local.tm_hour, Local.tm_min, Local.tm_sec};
}

std::string DateTimeToText(const TDateTime& Value)
{
  char Text[64];
  std::snprintf(Text, sizeof Text, "%02d/%02d/%04d %02d:%02d:%02d", Value.Day, Value.Month, Value.Year, Value.Hour,
                Value.Minute, Value.Second);
  return Text;
}
