#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

#include "TAccountingRig.h"

namespace {

// An accounting over a fake table service of Count interfaces, one of them WAN.
struct TBench : TAccountingRig {
  explicit TBench(int Count)
  {
    for (int i = 0; i < Count; ++i) {
      IpHelper.IfRows.push_back(MakeIfRow(uint32_t(i + 1), i == Count - 1 ? "WAN Miniport (PPP)" : "Ethernet adapter",
                                          {0x52, 0x54, 0x00, 0x12, 0x34, uint8_t(i)}));
      IpHelper.AddrRows.push_back(MakeAddrRow("10.0.0." + std::to_string(i + 1), uint32_t(i + 1)));
    }
    Monitor.CaptureMIBData(true);
    Accounting.PrepareState();
    State.StartDateText = "05/03/2026 21:07:45";
    State.PlanHours = 1000;
  }
  // Move every interface's counters on, as a second of traffic does.
  void Traffic()
  {
    for (MIB_IFROW& Row : IpHelper.IfRows) {
      Row.dwInOctets += 1500;
      Row.dwOutOctets += 400;
    }
  }
};

// A fresh directory on disk as the current directory, removed at the end.
class TScratchDirectory {
public:
  TScratchDirectory()
  {
    char Template[] = "/tmp/tavrelo-bench-XXXXXX";
    FPath = ::mkdtemp(Template);
    FOld = std::filesystem::current_path();
    std::filesystem::current_path(FPath);
  }
  ~TScratchDirectory()
  {
    std::filesystem::current_path(FOld);
    std::filesystem::remove_all(FPath);
  }

private:
  std::filesystem::path FPath;
  std::filesystem::path FOld;
};

void BM_TickConnected(benchmark::State& Run)
{
  TBench Bench(static_cast<int>(Run.range(0)));
  Bench.Connected.Connected = true;
  for (auto _ : Run) {
    Bench.Traffic();
    Bench.Accounting.Timer1Timer();
  }
  if (Bench.Display.Form1.Color != clRed)
    Run.SkipWithError("the link did not count as up");
}
BENCHMARK(BM_TickConnected)->Arg(1)->Arg(16)->Arg(256);

void BM_TickDisconnected(benchmark::State& Run)
{
  TBench Bench(static_cast<int>(Run.range(0)));
  Bench.Connected.Connected = false;
  for (auto _ : Run)
    Bench.Accounting.Timer1Timer();
  if (Bench.Display.Form1.Color != clGreen)
    Run.SkipWithError("the link did not count as down");
}
BENCHMARK(BM_TickDisconnected)->Arg(1)->Arg(16)->Arg(256);

// One disconnected tick that folds a session into a real counter file, synced to disk.
void BM_TickWithFoldIn(benchmark::State& Run)
{
  TScratchDirectory Scratch;
  TBench Bench(16);
  Bench.Accounting.FormClick();
  for (auto _ : Run) {
    Bench.State.PreviousLinkState = LinkConnected;
    Bench.State.SessionSeconds = 11;
    Bench.Accounting.Timer1Timer();
  }
  if (Bench.State.PreviousLinkState != LinkDisconnected)
    Run.SkipWithError("the fold-in did not run");
}
BENCHMARK(BM_TickWithFoldIn)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace
