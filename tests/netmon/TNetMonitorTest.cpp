#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "TFakeIpHelper.h"
#include "TNetMonitor.h"

namespace {

// A monitor over a fake service, as the grid window and the tick see it.
struct TMonitorFixture : testing::Test {
  TFakeIpHelper Fake;
  TFakeConnectedState Connected;
  TNetMonitor Monitor{Fake, Connected};

  // Answer the nine cells of grid row Row.
  std::vector<std::string> RowCells(int Row) const
  {
    std::vector<std::string> Cells;
    for (int Col = 0; Col < GridColumns; ++Col)
      Cells.push_back(Monitor.sgmib.Cell(Col, Row));
    return Cells;
  }
  // Answer the six figure cells (columns 3 to 8) of grid row Row.
  std::vector<std::string> Figures(int Row) const
  {
    const std::vector<std::string> Cells = RowCells(Row);
    return {Cells.begin() + 3, Cells.end()};
  }
};

using TNetMonitorTest = TMonitorFixture;

TEST_F(TNetMonitorTest, StartsWithFiveRowsAndTheHeaders)
{
  EXPECT_EQ(Monitor.sgmib.RowCount(), 5);
  EXPECT_EQ(Monitor.sgmib.ColCount(), 9);
  EXPECT_TRUE(Monitor.IfStats.empty());
  EXPECT_FALSE(Monitor.WanPresent);
  WriteGridHeaders(Monitor.sgmib);
  EXPECT_EQ(RowCells(0), (std::vector<std::string>{"adaptateur", "Adresse Mac", "Adresse IP", "oct/sec in",
                                                   "Max in/sec", "Moy in/sec", "oct/sec out", "Max out/sec",
                                                   "Moy out/sec"}));
}

TEST_F(TNetMonitorTest, RebuildWritesOneRowPerInterfaceAndAnEmptyBottomRow)
{
  Fake.IfRows = {MakeIfRow(1, "Loopback lo", {}, 500, 600), MakeIfRow(4, "Ethernet eth0", {0x00, 0x0C, 0x29, 0xAB, 0xCD, 0x0F}),
                 MakeIfRow(6, "WAN (PPP) ppp0")};
  Fake.AddrRows = {MakeAddrRow("10.0.0.2", 6), MakeAddrRow("127.0.0.1", 1)};
  Monitor.CaptureMIBData(true);
  ASSERT_EQ(Monitor.sgmib.RowCount(), 5);
  EXPECT_EQ(Monitor.sgmib.Cell(0, 1), "Loopback lo");
  EXPECT_EQ(Monitor.sgmib.Cell(1, 1), "00-00-00-00-00-00");
  EXPECT_EQ(Monitor.sgmib.Cell(2, 1), "127.  0.  0.  1");
  EXPECT_EQ(Monitor.sgmib.Cell(1, 2), "00-0C-29-AB-CD-0F");
  EXPECT_EQ(Monitor.sgmib.Cell(2, 2), "!not_found!");
  EXPECT_EQ(Monitor.sgmib.Cell(2, 3), " 10.  0.  0.  2");
  EXPECT_EQ(RowCells(4), std::vector<std::string>(9));
  ASSERT_EQ(Monitor.IfStats.size(), 3u);
  EXPECT_EQ(Monitor.IfStats[0].LastInOctets, 500u);
  EXPECT_EQ(Monitor.IfStats[0].LastOutOctets, 600u);
  // One interface-table read, then one address-table read per row.
  EXPECT_EQ(Fake.IfTableCalls, 2);
  EXPECT_EQ(Fake.AddrTableCalls, 6);
  // Figures are written by updates only.
  EXPECT_EQ(Figures(1), std::vector<std::string>(6));
}

TEST_F(TNetMonitorTest, EmptySnapshotChangesNothing)
{
  Fake.IfRows = {MakeIfRow(1, "Ethernet eth0", {}, 0, 0)};
  Monitor.CaptureMIBData(true);
  Fake.IfRows[0].dwInOctets = 700;
  Monitor.CaptureMIBData(false);
  const std::vector<std::string> Before = RowCells(1);
  const uint64_t Revision = Monitor.sgmib.Revision();
  for (const bool Rebuild : {true, false}) {
    Fake.ForceResult = 31;
    Monitor.CaptureMIBData(Rebuild);
    Fake.ForceResult = NO_ERROR;
    Fake.IfRows.clear();
    Monitor.CaptureMIBData(Rebuild);
    Fake.IfRows = {MakeIfRow(1, "other", {}, 9000, 9000)};
  }
  EXPECT_EQ(Monitor.sgmib.Revision(), Revision);
  EXPECT_EQ(RowCells(1), Before);
  EXPECT_EQ(Monitor.sgmib.RowCount(), 3);
  ASSERT_EQ(Monitor.IfStats.size(), 1u);
  EXPECT_EQ(Monitor.IfStats[0].TotalIn, 700u);
}

TEST_F(TNetMonitorTest, DescriptionIsBoundedAndTrimmed)
{
  const std::string Full(256, 'A');
  const struct {
    const char* Name;
    std::string Bytes;
    uint32_t DescrLen;
    std::string Cell;
  } Cases[] = {
      {"trailing blanks and controls", "  Ethernet eth0 \t\r\n", 20, "Ethernet eth0"},
      {"length counts the NUL", "abc", 3, "ab"},
      {"length 0", "abc", 0, ""},
      {"length 1", "abc", 1, ""},
      {"full 256 bytes", Full, 257, Full},
      {"length past the field", Full, 300, Full},
      {"length past the field, huge", Full, 0xFFFFFFFF, Full},
      {"code page 1252", "Carte r\xE9seau", 14, "Carte r\xC3\xA9seau"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    MIB_IFROW Row = MakeIfRow(1, "");
    std::memcpy(Row.bDescr, Case.Bytes.data(), std::min(Case.Bytes.size(), sizeof Row.bDescr));
    Row.dwDescrLen = Case.DescrLen;
    Monitor.InitGrid({Row});
    EXPECT_EQ(Monitor.sgmib.Cell(0, 1), Case.Cell);
  }
}

// Counter readings of one interface: the one at the rebuild, then one per update.
struct TUpdateCase {
  const char* Name;
  std::vector<uint32_t> In;
  std::vector<uint32_t> Out;
  std::vector<std::string> Figures; // columns 3 to 8 after the last update
};

TEST_F(TNetMonitorTest, UpdateComputesRatesMaximaAndAverages)
{
  const TUpdateCase Cases[] = {
      {"four updates, idle seconds not averaged", {0, 1000, 1000, 1000, 4000}, {0, 10, 30, 60, 100},
       {"3000", "3000", "2000", "40", "40", "25"}},
      {"idle since the rebuild", {5, 5, 5}, {9, 9}, {"0", "0", "  --  ", "0", "0", "  --  "}},
      {"first update counts from the rebuild", {5000, 5600}, {100, 100}, {"600", "600", "600", "0", "0", "  --  "}},
      {"wrap gives 0 for that second", {0xFFFFFF00u, 0xFFFFFFF0u, 0x10}, {0, 1, 2}, {"0", "240", "240", "1", "1", "1"}},
      {"normal again after a wrap", {0xFFFFFF00u, 0x10, 0x110}, {0, 0, 0}, {"256", "256", "256", "0", "0", "  --  "}},
      {"reset gives 0", {0, 900, 100}, {500, 0, 50}, {"0", "900", "900", "50", "50", "50"}},
      {"rate capped", {0, 0xFFFFFFF0u}, {0, 0x80000000u}, {"2147483647", "2147483647", "2147483647", "2147483647",
                                                          "2147483647", "2147483647"}},
  };
  for (const TUpdateCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TFakeIpHelper Fake;
    TNetMonitor Monitor(Fake, Connected);
    Fake.IfRows = {MakeIfRow(1, "Ethernet eth0", {}, Case.In[0], Case.Out[0])};
    Monitor.CaptureMIBData(true);
    for (size_t i = 1; i < std::max(Case.In.size(), Case.Out.size()); ++i) {
      Fake.IfRows[0].dwInOctets = Case.In[std::min(i, Case.In.size() - 1)];
      Fake.IfRows[0].dwOutOctets = Case.Out[std::min(i, Case.Out.size() - 1)];
      Monitor.CaptureMIBData(false);
    }
    std::vector<std::string> Shown;
    for (int Col = 3; Col < GridColumns; ++Col)
      Shown.push_back(Monitor.sgmib.Cell(Col, 1));
    EXPECT_EQ(Shown, Case.Figures);
    // The adapter, MAC and address cells belong to the rebuild.
    EXPECT_EQ(Monitor.sgmib.Cell(0, 1), "Ethernet eth0");
    EXPECT_EQ(Monitor.sgmib.Cell(2, 1), "!not_found!");
  }
}

TEST_F(TNetMonitorTest, AverageStaysRightPastFourGiB)
{
  // Each 2147483647 is the largest rate; the wrap in the middle counts 0.
  Fake.IfRows = {MakeIfRow(1, "WAN (PPP) ppp0")};
  Monitor.CaptureMIBData(true);
  for (const uint32_t Reading : {0x7FFFFFFFu, 0xFFFFFFFEu, 0u, 0x7FFFFFFFu, 0xFFFFFFFEu}) {
    Fake.IfRows[0].dwInOctets = Reading;
    Monitor.CaptureMIBData(false);
  }
  EXPECT_EQ(Monitor.IfStats[0].TotalIn, 4ull * 0x7FFFFFFF);
  EXPECT_EQ(Monitor.IfStats[0].InSamples, 4u);
  EXPECT_EQ(Monitor.sgmib.Cell(5, 1), "2147483647");
}

TEST_F(TNetMonitorTest, UpdatePairsByPositionWithinTheLastRebuild)
{
  // Updates before any rebuild write nothing.
  Fake.IfRows = {MakeIfRow(1, "a", {}, 0, 0)};
  Monitor.CaptureMIBData(false);
  Fake.IfRows[0].dwInOctets = 10;
  Monitor.CaptureMIBData(false);
  EXPECT_EQ(Monitor.sgmib.Revision(), 0u);

  Fake.IfRows = {MakeIfRow(1, "a", {}, 0, 0), MakeIfRow(2, "b", {}, 0, 0)};
  Monitor.CaptureMIBData(true);
  Fake.IfRows[0].dwInOctets = 10;
  Fake.IfRows[1].dwInOctets = 20;
  Monitor.CaptureMIBData(false);
  // An interface comes up while the link is up: skipped until the next rebuild.
  Fake.IfRows.push_back(MakeIfRow(3, "c", {}, 0, 0));
  Fake.IfRows[0].dwInOctets = 15;
  Monitor.CaptureMIBData(false);
  EXPECT_EQ(Monitor.IfStats.size(), 2u);
  EXPECT_EQ(Monitor.sgmib.RowCount(), 4);
  EXPECT_EQ(RowCells(3), std::vector<std::string>(9));
  EXPECT_EQ(Monitor.sgmib.Cell(3, 1), "5");
  // An interface goes away: the rows past the snapshot keep their last texts.
  Fake.IfRows.resize(1);
  Fake.IfRows[0].dwInOctets = 45;
  Monitor.CaptureMIBData(false);
  EXPECT_EQ(Monitor.sgmib.Cell(3, 1), "30");
  EXPECT_EQ(Monitor.sgmib.Cell(3, 2), "0");
  EXPECT_EQ(Monitor.sgmib.Cell(4, 2), "20");
}

TEST_F(TNetMonitorTest, RebuildKeepsFiguresOfKeptRowsAndEmptiesTheBottomRow)
{
  Fake.IfRows = {MakeIfRow(1, "Ethernet eth0"), MakeIfRow(2, "Ethernet eth1"), MakeIfRow(3, "WAN (PPP) ppp0")};
  Monitor.CaptureMIBData(true);
  for (MIB_IFROW& Row : Fake.IfRows)
    Row.dwInOctets = 1000;
  Monitor.CaptureMIBData(false);
  // ppp0 went away: its row becomes the bottom row and must read as empty.
  Fake.IfRows.resize(2);
  Monitor.CaptureMIBData(true);
  ASSERT_EQ(Monitor.sgmib.RowCount(), 4);
  EXPECT_EQ(RowCells(3), std::vector<std::string>(9));
  EXPECT_EQ(Figures(1), (std::vector<std::string>{"1000", "1000", "1000", "0", "0", "  --  "}));
  EXPECT_EQ(Monitor.IfStats[1].MaxIn, 0u);
  Connected.Connected = true;
  Monitor.TestInternetLink();
  EXPECT_FALSE(Monitor.WanPresent);
}

TEST_F(TNetMonitorTest, LinkTestScansAdapterTextsForTheThreeForms)
{
  const struct {
    std::vector<const char*> Adapters;
    bool Wan;
  } Cases[] = {
      {{"Ethernet eth0", "Loopback lo"}, false},
      {{"Loopback lo", "WAN (PPP) ppp0"}, true},
      {{"WAN (mobile) wwan0"}, true},
      {{"Ethernet wan0"}, true},
      {{"Wan Miniport"}, true},
      {{"Ethernet eth0", "Wi-Fi wlan0", "Ethernet rwanda"}, true},
      {{"wAN"}, false},
      {{"WaN", "wAn", "waN"}, false},
  };
  for (const auto& Case : Cases) {
    for (const bool Answer : {true, false}) {
      SCOPED_TRACE(std::string(Case.Adapters[0]) + (Answer ? " connected" : " disconnected"));
      TFakeIpHelper Fake;
      for (const char* Adapter : Case.Adapters)
        Fake.IfRows.push_back(MakeIfRow(uint32_t(Fake.IfRows.size() + 1), Adapter));
      TFakeConnectedState State;
      State.Connected = Answer;
      TNetMonitor Monitor(Fake, State);
      Monitor.WanPresent = !Case.Wan;
      Monitor.CaptureMIBData(true);
      EXPECT_EQ(Monitor.TestInternetLink(), Answer);
      EXPECT_EQ(Monitor.WanPresent, Case.Wan);
      EXPECT_EQ(State.Calls, 1);
    }
  }
}

TEST_F(TNetMonitorTest, LinkTestBeforeAnyRebuildFindsNoWan)
{
  Connected.Connected = true;
  Monitor.WanPresent = true;
  EXPECT_TRUE(Monitor.TestInternetLink());
  EXPECT_FALSE(Monitor.WanPresent);
}

} // namespace
