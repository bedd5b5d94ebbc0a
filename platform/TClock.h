#pragma once
#include <string>

// A local calendar date and time of day.
struct TDateTime {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

// Port to the wall clock.
class TClock {
public:
  virtual ~TClock() = default;
  // Answer the current local date and time.
  virtual TDateTime Now() = 0;
};

// The system's clock in the local time zone.
class TSystemClock : public TClock {
public:
  // Answer the current local date and time.
  TDateTime Now() override;
};

// Write a date and time as dd/mm/yyyy hh:mm:ss.
std::string DateTimeToText(const TDateTime& Value);
