#pragma once
#include "TAccounting.h"
#include "TFakeIpHelper.h"
#include "TFakePorts.h"

// A whole accounting over fake services: the tests, the benchmarks and the
// proof drivers build on it and fill the fake tables they need.
struct TAccountingRig {
  TCounterState State;
  TDisplay Display;
  TFakeIpHelper IpHelper;
  TFakeConnectedState Connected;
  TNetMonitor Monitor{IpHelper, Connected};
  TFakeClock Clock;
  TFakeDialogs Dialogs;
  TFakeBeep Beep;
  TFakeDialler Dialler;
  TFakeAppPort App;
  TAccounting Accounting{State, Display, Monitor, Clock, Dialogs, Beep, Dialler, App};
};
