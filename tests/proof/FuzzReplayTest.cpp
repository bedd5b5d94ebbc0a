#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#include "FuzzBodies.h"

namespace fs = std::filesystem;

namespace {

// Replay every saved input of one fuzz target: its seed corpus and the inputs
// that once crashed it.  A body aborts the process on a failure.
int ReplayInputs(const std::string& Target, void (*Body)(const uint8_t*, size_t))
{
  int Count = 0;
  for (const char* Folder : {"corpus", "regressions"}) {
    const fs::path Dir = fs::path(TAVRELO_SOURCE_DIR) / "fuzz" / Folder / Target;
    if (!fs::is_directory(Dir))
      continue;
    for (const auto& Entry : fs::directory_iterator(Dir)) {
      if (!Entry.is_regular_file())
        continue;
      std::ifstream In(Entry.path(), std::ios::binary);
      const std::vector<uint8_t> Bytes((std::istreambuf_iterator<char>(In)), {});
      SCOPED_TRACE(Entry.path().string());
      Body(Bytes.data(), Bytes.size());
      ++Count;
    }
  }
  return Count;
}

} // namespace

TEST(FuzzReplay, CounterFileInputs) { EXPECT_GT(ReplayInputs("counter_file", FuzzCounterFile), 0); }
TEST(FuzzReplay, RegionInputs) { EXPECT_GT(ReplayInputs("region", FuzzRegionBlock), 0); }
TEST(FuzzReplay, GridInputs) { EXPECT_GT(ReplayInputs("grid", FuzzGridUpdate), 0); }
