#include <benchmark/benchmark.h>

#include <string>

#include "TFakeIpHelper.h"
#include "TLinuxConnectedState.h"
#include "TLinuxIpHelper.h"
#include "TNetMonitor.h"

namespace {

// Fill Fake with Count interfaces, each holding one address.
void FillInterfaces(TFakeIpHelper& Fake, int Count)
{
  for (int i = 0; i < Count; ++i) {
    const auto Index = uint32_t(i + 1);
    Fake.IfRows.push_back(MakeIfRow(Index, "Ethernet eth" + std::to_string(i), {0x00, 0x0C, 0x29, 0xAB, 0xCD, uint8_t(i)}));
    Fake.AddrRows.push_back(MakeAddrRow("10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256), Index));
  }
}

// One update from a fake table of range(0) interfaces whose counters move.
void BM_CaptureUpdate_Fake(benchmark::State& State)
{
  TFakeIpHelper Fake;
  TFakeConnectedState Connected;
  FillInterfaces(Fake, int(State.range(0)));
  TNetMonitor Monitor(Fake, Connected);
  Monitor.CaptureMIBData(true);
  for (auto _ : State) {
    for (MIB_IFROW& Row : Fake.IfRows) {
      Row.dwInOctets += 1500;
      Row.dwOutOctets += 700;
    }
    Monitor.CaptureMIBData(false);
  }
  State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_CaptureUpdate_Fake)->Arg(1)->Arg(16)->Arg(64)->Arg(256)->Complexity();

// One rebuild from a fake table of range(0) interfaces: one address-table read per row.
void BM_CaptureRebuild_Fake(benchmark::State& State)
{
  TFakeIpHelper Fake;
  TFakeConnectedState Connected;
  FillInterfaces(Fake, int(State.range(0)));
  TNetMonitor Monitor(Fake, Connected);
  for (auto _ : State)
    Monitor.CaptureMIBData(true);
  State.SetComplexityN(State.range(0));
}
BENCHMARK(BM_CaptureRebuild_Fake)->Arg(1)->Arg(16)->Arg(64)->Arg(256)->Complexity();

// One update from this machine's kernel.
void BM_CaptureUpdate_Linux(benchmark::State& State)
{
  TLinuxIpHelper Service;
  TLinuxConnectedState Connected;
  TNetMonitor Monitor(Service, Connected);
  Monitor.CaptureMIBData(true);
  for (auto _ : State)
    Monitor.CaptureMIBData(false);
  State.counters["interfaces"] = double(Monitor.IfStats.size());
}
BENCHMARK(BM_CaptureUpdate_Linux);

// One rebuild from this machine's kernel.
void BM_CaptureRebuild_Linux(benchmark::State& State)
{
  TLinuxIpHelper Service;
  TLinuxConnectedState Connected;
  TNetMonitor Monitor(Service, Connected);
  for (auto _ : State)
    Monitor.CaptureMIBData(true);
  State.counters["interfaces"] = double(Monitor.IfStats.size());
}
BENCHMARK(BM_CaptureRebuild_Linux);

// One connected-state answer from this machine's route files.
void BM_ConnectedState_Linux(benchmark::State& State)
{
  TLinuxConnectedState Connected;
  for (auto _ : State)
    benchmark::DoNotOptimize(Connected.InternetGetConnectedState());
}
BENCHMARK(BM_ConnectedState_Linux);

} // namespace
