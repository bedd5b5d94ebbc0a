#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

#include "TError.h"
#include "TProofRig.h"

namespace fs = std::filesystem;

namespace {

// What happens to the counter file in the middle of a session, and how the
// fault goes away again.
struct TFault {
  const char* Name;
  const char* Text;                  // the error the fold-in shows
  std::function<void()> Break;       // done to the file while connected
  std::function<void(TProofRig&)> Mend; // done once, after two failed fold-ins
  int32_t Expected;                  // line 2 once the fold-in has gone through
};

class FaultsWhileRunning : public ::testing::TestWithParam<TFault> {
protected:
  TScratchDirectory Scratch{std::string("faults-") + GetParam().Name, true};
};

std::string Saved;

} // namespace

TEST_P(FaultsWhileRunning, SessionIsKeptUntilTheFoldInGoesThrough)
{
  const TFault& Fault = GetParam();
  std::ofstream("decompte_internet.log", std::ios::binary) << "05/03/2026 21:07:45\r\n100\r\n0\r\n";
  TProofRig Rig;
  for (int i = 0; i < 5; ++i)
    Rig.Tick(true);
  Saved = ReadCounterBytes();
  Fault.Break();
  for (int Attempt = 0; Attempt < 2; ++Attempt) {
    try {
      Rig.Tick(false);
      FAIL() << "the fold-in went through a broken file";
    } catch (const TError& Error) {
      EXPECT_STREQ(Error.what(), Fault.Text);
    }
    EXPECT_EQ(Rig.State.SessionSeconds, 15) << "the session's seconds must wait for the retry";
    EXPECT_EQ(Rig.State.PreviousLinkState, LinkConnected);
  }
  Fault.Mend(Rig);
  Rig.Tick(false);
  EXPECT_EQ(Rig.State.PreviousLinkState, LinkDisconnected);
  EXPECT_EQ(Rig.State.SessionSeconds, 0);
  const std::string Bytes = ReadCounterBytes();
  ASSERT_TRUE(IsWholeCounterFile(Bytes)) << Bytes;
  EXPECT_EQ(CounterTotal(Bytes), Fault.Expected);
  Rig.Tick(false);
  EXPECT_EQ(ReadCounterBytes(), Bytes) << "a second fold-in of the same session";
}

INSTANTIATE_TEST_SUITE_P(
    CounterFile, FaultsWhileRunning,
    ::testing::Values(
        TFault{"deleted_then_restored", "Fichier introuvable",
               [] { fs::remove("decompte_internet.log"); },
               [](TProofRig&) { std::ofstream("decompte_internet.log", std::ios::binary) << Saved; }, 115},
        TFault{"deleted_then_reset", "Fichier introuvable",
               [] { fs::remove("decompte_internet.log"); },
               [](TProofRig& Rig) {
                 Rig.Dialogs.Then({true, "", nullptr});
                 Rig.Accounting.Rinitialiserlecompteur1Click();
               },
               15},
        TFault{"replaced_by_directory", "Erreur E/S 21",
               [] {
                 fs::remove("decompte_internet.log");
                 fs::create_directory("decompte_internet.log");
               },
               [](TProofRig&) {
                 fs::remove("decompte_internet.log");
                 std::ofstream("decompte_internet.log", std::ios::binary) << Saved;
               },
               115}),
    [](const ::testing::TestParamInfo<TFault>& Info) { return std::string(Info.param.Name); });
