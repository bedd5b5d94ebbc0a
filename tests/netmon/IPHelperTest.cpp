#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "IPHelper.h"
#include "TFakeIpHelper.h"
#include "TNetMonitor.h"

namespace {

struct TFetchCase {
  const char* Name;
  std::function<void(TFakeIpHelper&)> Arrange;
  size_t Rows;
  int Calls;
};

TEST(IPHelperTest, FetchIfTableCopiesRowsOrFailsEmpty)
{
  const TFetchCase Cases[] = {
      {"two rows", [](TFakeIpHelper&) {}, 2, 2},
      {"size query refused", [](TFakeIpHelper& f) { f.ForceResult = 50; }, 0, 1},
      {"table grew between the calls", [](TFakeIpHelper& f) { f.GrowBeforeCopy = 1; }, 0, 2},
      {"zero rows", [](TFakeIpHelper& f) { f.IfRows.clear(); }, 0, 2},
      {"count past the buffer", [](TFakeIpHelper& f) { f.ClaimExtraEntries = 1; }, 0, 2},
  };
  for (const TFetchCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TFakeIpHelper Fake;
    Fake.IfRows = {MakeIfRow(7, "first", {1, 2, 3, 4, 5, 6}, 100, 200), MakeIfRow(3, "second")};
    Case.Arrange(Fake);
    TMIBIfArray Rows;
    FetchIfTable(Fake, Rows);
    ASSERT_EQ(Rows.size(), Case.Rows);
    EXPECT_EQ(Fake.IfTableCalls, Case.Calls); // never a retry
    if (Case.Rows == 2) {
      // Whole rows, in the service's order.
      EXPECT_EQ(std::memcmp(&Rows[0], &Fake.IfRows[0], sizeof(MIB_IFROW)), 0);
      EXPECT_EQ(std::memcmp(&Rows[1], &Fake.IfRows[1], sizeof(MIB_IFROW)), 0);
    }
  }
}

TEST(IPHelperTest, FetchIPAddrTableAsksForSortedRows)
{
  TFakeIpHelper Fake;
  Fake.AddrRows = {MakeAddrRow("10.0.0.1", 2), MakeAddrRow("192.168.1.10", 3)};
  TMibIPAddrArray Rows;
  FetchIPAddrTable(Fake, Rows);
  ASSERT_EQ(Rows.size(), 2u);
  EXPECT_TRUE(Fake.LastAddrOrder);
  EXPECT_EQ(Rows[1].dwIndex, 3u);
  EXPECT_EQ(IPAddrToText(Rows[1].dwAddr), "192.168.  1. 10");

  TFakeIpHelper Broken;
  Broken.AddrRows = Fake.AddrRows;
  Broken.ForceResult = 31;
  TMibIPAddrArray None;
  FetchIPAddrTable(Broken, None);
  EXPECT_TRUE(None.empty());
}

TEST(IPHelperTest, MacAddrToText)
{
  const struct {
    std::vector<uint8_t> Bytes;
    int32_t Count;
    const char* Text;
  } Cases[] = {
      {{}, 0, "00-00-00-00-00-00"},
      {{0x00, 0x0C, 0x29, 0xAB, 0xCD, 0xEF}, 6, "00-0C-29-AB-CD-EF"},
      {{0x0A}, 1, "0A"},
      {{1, 2, 3, 4, 5, 6, 7, 0xFF}, 8, "01-02-03-04-05-06-07-FF"},
      {{1, 2, 3, 4, 5, 6, 7, 8}, 9, "01-02-03-04-05-06-07-08"},
      {{1, 2}, -1, "00-00-00-00-00-00"},
  };
  for (const auto& Case : Cases) {
    uint8_t Bytes[8] = {};
    std::copy(Case.Bytes.begin(), Case.Bytes.end(), Bytes);
    EXPECT_EQ(MacAddrToText(Bytes, Case.Count), Case.Text) << Case.Count;
  }
}

TEST(IPHelperTest, IPAddrToTextReadsBytesInMemoryOrder)
{
  const std::pair<const char*, const char*> Cases[] = {
      {"192.168.1.10", "192.168.  1. 10"}, {"10.0.0.1", " 10.  0.  0.  1"},         {"127.0.0.1", "127.  0.  0.  1"},
      {"0.0.0.0", "  0.  0.  0.  0"},      {"255.255.255.255", "255.255.255.255"},
  };
  for (const auto& [Dotted, Text] : Cases)
    EXPECT_EQ(IPAddrToText(MakeAddrRow(Dotted, 1).dwAddr), Text) << Dotted;
}

TEST(IPHelperTest, GetIPFromIFIndexTakesTheFirstRowOfTheIndex)
{
  TFakeIpHelper Fake;
  TFakeConnectedState Connected;
  TNetMonitor Monitor(Fake, Connected);
  Fake.AddrRows = {MakeAddrRow("0.0.0.0", 9), MakeAddrRow("10.0.0.1", 2), MakeAddrRow("10.0.0.7", 4),
                   MakeAddrRow("192.168.1.10", 2)};
  const std::pair<uint32_t, const char*> Cases[] = {
      {2, " 10.  0.  0.  1"}, {4, " 10.  0.  0.  7"}, {9, "  0.  0.  0.  0"}, {5, "!not_found!"}};
  for (const auto& [Index, Text] : Cases)
    EXPECT_EQ(Monitor.GetIPFromIFIndex(Index), Text) << Index;
  // Each lookup reads the table anew: two service calls apiece.
  EXPECT_EQ(Fake.AddrTableCalls, 8);

  Fake.ForceResult = 31;
  EXPECT_EQ(Monitor.GetIPFromIFIndex(2), "!not_found!");
}

} // namespace
