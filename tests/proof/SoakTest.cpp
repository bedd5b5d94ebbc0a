#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

#include "TProofRig.h"

namespace {

long ResidentKiB()
{
  std::ifstream In("/proc/self/statm");
  long Pages = 0, Resident = 0;
  In >> Pages >> Resident;
  return Resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

// A month of ticks over a link that flaps at random: the file's total is the
// sum of the sessions plus ten seconds of dead time for each, to the second,
// and memory stays flat.
TEST(Soak, MonthOfFlappingLinkCountsEverySecondOnce)
{
  const TScratchDirectory Scratch("soak", true);
  {
    TProofRig Rig;
    std::mt19937 Random(2026);
    // Sessions of a few minutes to a few hours, gaps of seconds to an hour.
    std::geometric_distribution<int> SessionLength(1.0 / 3600), GapLength(1.0 / 600);
    const long Ticks = 31L * 24 * 3600;
    long Tick = 0, Connected = 0, Sessions = 0;
    long ResidentAfterWarmUp = 0;
    while (Tick < Ticks) {
      const int Up = 1 + SessionLength(Random);
      for (int i = 0; i < Up && Tick < Ticks; ++i, ++Tick, ++Connected)
        Rig.Tick(true);
      ++Sessions;
      const int Down = 1 + GapLength(Random);
      for (int i = 0; i < Down && Tick < Ticks; ++i, ++Tick)
        Rig.Tick(false);
      if (ResidentAfterWarmUp == 0 && Tick > Ticks / 10)
        ResidentAfterWarmUp = ResidentKiB();
    }
    Rig.Tick(false); // the last session may still be open at the month's end
    const std::string Bytes = ReadCounterBytes();
    ASSERT_TRUE(IsWholeCounterFile(Bytes)) << Bytes;
    const long Total = CounterTotal(Bytes);
    EXPECT_EQ(Total, Connected + 10 * Sessions) << Sessions << " sessions";
    EXPECT_EQ(Rig.State.SessionSeconds, 0);
    EXPECT_EQ(Rig.State.TotalH * 3600 + Rig.State.TotalM * 60 + Rig.State.TotalS, Total);
    EXPECT_GT(Sessions, 300);
    EXPECT_LT(ResidentKiB() - ResidentAfterWarmUp, 1024) << "memory grew over the month";
  }
}
