#include <benchmark/benchmark.h>

#include "TAccounting.h"
#include "TFakePorts.h"
#include "TLinuxConnectedState.h"
#include "TLinuxIpHelper.h"

namespace {

// The whole tick over this machine's own interfaces and routes.  Without a
// WAN interface the link counts as down, so each tick rebuilds the grid.
void BM_TickKernel(benchmark::State& Run)
{
  TLinuxIpHelper IpHelper;
  TLinuxConnectedState Connected;
  TNetMonitor Monitor(IpHelper, Connected);
  TCounterState State;
  TDisplay Display;
  TFakeClock Clock;
  TFakeDialogs Dialogs;
  TFakeBeep Beep;
  TFakeDialler Dialler;
  TFakeAppPort App;
  TAccounting Accounting(State, Display, Monitor, Clock, Dialogs, Beep, Dialler, App);
  Accounting.PrepareState();
  Monitor.CaptureMIBData(true);
  for (auto _ : Run)
    Accounting.Timer1Timer();
  Run.counters["interfaces"] = double(Monitor.IfStats.size());
  Run.SetLabel(Display.Form1.Color == clRed ? "link up" : "link down");
}
BENCHMARK(BM_TickKernel);

} // namespace
