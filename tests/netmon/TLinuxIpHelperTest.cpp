#include <gtest/gtest.h>

// glibc's interface header must come before the kernel's.
#include <net/if.h>

#include <arpa/inet.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <linux/if_addr.h>
#include <linux/if_arp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "IPHelper.h"
#include "TFakeIpHelper.h"
#include "TLinuxIpHelper.h"
#include "TNetMonitor.h"

namespace {

namespace fs = std::filesystem;

// Answer a link record with the given kernel type and name.
TLinkRecord MakeLink(uint16_t ArpType, const std::string& Name)
{
  TLinkRecord Link;
  Link.Index = 5;
  Link.ArpType = ArpType;
  Link.Name = Name;
  return Link;
}

TEST(TLinuxIpHelperTest, ClassifiesAndDescribesLinks)
{
  constexpr uint16_t ArphrdRawIp = 519;
  const struct {
    uint16_t ArpType;
    const char* Name;
    const char* DevType;
    bool Wireless;
    uint32_t Type;
    const char* Descr;
  } Cases[] = {
      {ARPHRD_ETHER, "eth0", "", false, IF_TYPE_ETHERNET_CSMACD, "Ethernet eth0"},
      {ARPHRD_ETHER, "wan0", "", false, IF_TYPE_ETHERNET_CSMACD, "Ethernet wan0"},
      {ARPHRD_ETHER, "wlan0", "wlan", false, IF_TYPE_IEEE80211, "Wi-Fi wlan0"},
      {ARPHRD_ETHER, "wlp2s0", "", true, IF_TYPE_IEEE80211, "Wi-Fi wlp2s0"},
      {ARPHRD_ETHER, "wwan0", "wwan", false, IF_TYPE_WWANPP, "WAN (mobile) wwan0"},
      {ARPHRD_NONE, "wwan1", "wwan", false, IF_TYPE_WWANPP, "WAN (mobile) wwan1"},
      {ArphrdRawIp, "rmnet0", "wwan", false, IF_TYPE_WWANPP, "WAN (mobile) rmnet0"},
      {ARPHRD_PPP, "ppp0", "", false, IF_TYPE_PPP, "WAN (PPP) ppp0"},
      {ARPHRD_LOOPBACK, "lo", "", false, IF_TYPE_SOFTWARE_LOOPBACK, "Loopback lo"},
      {ARPHRD_NONE, "tun0", "", false, IF_TYPE_TUNNEL, "Tunnel tun0"},
      {ARPHRD_SIT, "sit1", "", false, IF_TYPE_TUNNEL, "Tunnel sit1"},
      {ARPHRD_IPGRE, "gre1", "", false, IF_TYPE_TUNNEL, "Tunnel gre1"},
      {ARPHRD_CAN, "can0", "", false, IF_TYPE_OTHER, "Interface can0"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TSysfsFacts Facts;
    Facts.DevType = Case.DevType;
    Facts.Wireless = Case.Wireless;
    const MIB_IFROW Row = BuildIfRow(MakeLink(Case.ArpType, Case.Name), Facts);
    EXPECT_EQ(Row.dwType, Case.Type);
    const std::string Descr = Case.Descr;
    EXPECT_EQ(Row.dwDescrLen, Descr.size() + 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Row.bDescr), Row.dwDescrLen), Descr + '\0');
    EXPECT_EQ(NamesWanAdapter(Descr), Descr.find("WAN") != std::string::npos || Descr.find("wan") != std::string::npos);
  }
}

TEST(TLinuxIpHelperTest, BuildsRowFieldsFromTheLink)
{
  TLinkRecord Link = MakeLink(ARPHRD_ETHER, "eth0");
  Link.Index = 12;
  Link.Mtu = 9000;
  Link.Flags = IFF_UP | IFF_RUNNING;
  Link.HwAddr = {0x00, 0x0C, 0x29, 0xAB, 0xCD, 0x0F};
  Link.RxBytes = (3ull << 32) + 1234;
  Link.TxBytes = 0xFFFFFFFFull;
  Link.RxPackets = (1ull << 32) + 10;
  Link.Multicast = 4;
  Link.TxPackets = 8;
  Link.RxDropped = 1;
  Link.TxDropped = 2;
  Link.RxErrors = 3;
  Link.TxErrors = (1ull << 33) + 4;
  Link.RxNoHandler = 6;
  const MIB_IFROW Row = BuildIfRow(Link, {});
  EXPECT_EQ(Row.dwIndex, 12u);
  EXPECT_EQ(Row.dwMtu, 9000u);
  EXPECT_EQ(Row.dwSpeed, 0u);
  EXPECT_EQ(MacAddrToText(Row.bPhysAddr, int32_t(Row.dwPhysAddrLen)), "00-0C-29-AB-CD-0F");
  EXPECT_EQ(Row.dwInOctets, 1234u);
  EXPECT_EQ(Row.dwOutOctets, 0xFFFFFFFFu);
  EXPECT_EQ(Row.dwInUcastPkts, 6u);
  EXPECT_EQ(Row.dwInNUcastPkts, 4u);
  EXPECT_EQ(Row.dwOutUcastPkts, 8u);
  EXPECT_EQ(Row.dwInDiscards, 1u);
  EXPECT_EQ(Row.dwOutDiscards, 2u);
  EXPECT_EQ(Row.dwInErrors, 3u);
  EXPECT_EQ(Row.dwOutErrors, 4u);
  EXPECT_EQ(Row.dwInUnknownProtos, 6u);
  EXPECT_EQ(std::u16string(Row.wszName), u"eth0");

  // Longer hardware addresses keep their first 8 bytes; the loopback has none.
  Link.HwAddr.assign(20, 0xAA);
  EXPECT_EQ(BuildIfRow(Link, {}).dwPhysAddrLen, 8u);
  TLinkRecord Loopback = MakeLink(ARPHRD_LOOPBACK, "lo");
  Loopback.HwAddr.assign(6, 0);
  EXPECT_EQ(BuildIfRow(Loopback, {}).dwPhysAddrLen, 0u);
}

TEST(TLinuxIpHelperTest, StatusFollowsUpAndRunning)
{
  const struct {
    uint32_t Flags;
    uint32_t Admin;
    uint32_t Oper;
  } Cases[] = {
      {IFF_UP | IFF_RUNNING, MIB_IF_ADMIN_STATUS_UP, IF_OPER_STATUS_OPERATIONAL},
      {IFF_UP, MIB_IF_ADMIN_STATUS_UP, IF_OPER_STATUS_DISCONNECTED},
      {0, MIB_IF_ADMIN_STATUS_DOWN, IF_OPER_STATUS_NON_OPERATIONAL},
  };
  for (const auto& Case : Cases) {
    TLinkRecord Link = MakeLink(ARPHRD_ETHER, "eth0");
    Link.Flags = Case.Flags;
    const MIB_IFROW Row = BuildIfRow(Link, {});
    EXPECT_EQ(Row.dwAdminStatus, Case.Admin) << Case.Flags;
    EXPECT_EQ(Row.dwOperStatus, Case.Oper) << Case.Flags;
  }
}

TEST(TLinuxIpHelperTest, SpeedInBitsPerSecondSaturates)
{
  const std::pair<int64_t, uint32_t> Cases[] = {
      {-1, 0}, {0, 0}, {10, 10000000u}, {1000, 1000000000u}, {4294, 4294000000u}, {4295, 0xFFFFFFFFu},
      {100000, 0xFFFFFFFFu}, {INT64_MAX, 0xFFFFFFFFu}};
  for (const auto& [Mbps, Speed] : Cases) {
    TSysfsFacts Facts;
    Facts.SpeedMbps = Mbps;
    EXPECT_EQ(BuildIfRow(MakeLink(ARPHRD_ETHER, "eth0"), Facts).dwSpeed, Speed) << Mbps;
  }
}

// Answer the dotted form of a row's address.
std::string DottedOf(const MIB_IPADDRROW& Row)
{
  char Text[INET_ADDRSTRLEN];
  inet_ntop(AF_INET, &Row.dwAddr, Text, sizeof Text);
  return Text;
}

TEST(TLinuxIpHelperTest, AddressRowsAndTheirOrder)
{
  TAddrRecord Addr;
  Addr.Addr = MakeAddrRow("192.168.1.10", 0).dwAddr;
  Addr.Index = 3;
  Addr.PrefixLen = 24;
  Addr.Flags = IFA_F_PERMANENT;
  const MIB_IPADDRROW Row = BuildAddrRow(Addr);
  EXPECT_EQ(DottedOf(Row), "192.168.1.10");
  EXPECT_EQ(Row.dwIndex, 3u);
  EXPECT_EQ(Row.dwMask, MakeAddrRow("255.255.255.0", 0).dwAddr);
  EXPECT_EQ(Row.wType, MIB_IPADDR_PRIMARY);
  for (const auto& [Prefix, Mask] : {std::pair{0, "0.0.0.0"}, {8, "255.0.0.0"}, {32, "255.255.255.255"}, {40, "255.255.255.255"}}) {
    Addr.PrefixLen = uint8_t(Prefix);
    EXPECT_EQ(BuildAddrRow(Addr).dwMask, MakeAddrRow(Mask, 0).dwAddr) << Prefix;
  }

  // Numeric order as the dotted form reads, not the order of the raw
  // little-endian value (which would put 10.0.0.2 before 9.0.0.3).
  std::vector<MIB_IPADDRROW> Rows = {MakeAddrRow("192.168.1.10", 1), MakeAddrRow("10.0.0.2", 2),
                                     MakeAddrRow("9.0.0.3", 3),       MakeAddrRow("127.0.0.1", 4),
                                     MakeAddrRow("10.0.0.2", 5),     MakeAddrRow("0.0.0.0", 6)};
  SortAddrRows(Rows);
  std::vector<std::pair<std::string, uint32_t>> Order;
  for (const MIB_IPADDRROW& Sorted : Rows)
    Order.emplace_back(DottedOf(Sorted), Sorted.dwIndex);
  EXPECT_EQ(Order, (std::vector<std::pair<std::string, uint32_t>>{
                       {"0.0.0.0", 6}, {"9.0.0.3", 3}, {"10.0.0.2", 2}, {"10.0.0.2", 5}, {"127.0.0.1", 4}, {"192.168.1.10", 1}}));
}

// A sysfs interface directory tree under a fresh temporary root.
struct TSysfsFixture {
  fs::path Root = fs::temp_directory_path() / ("tavrelo-sysfs-" + std::to_string(::getpid()));
  TSysfsFixture() { fs::create_directories(Root); }
  ~TSysfsFixture() { fs::remove_all(Root); }
  // Write File of interface Name with Text.
  void Write(const std::string& Name, const std::string& File, const std::string& Text) const
  {
    fs::create_directories(Root / Name);
    std::ofstream(Root / Name / File) << Text;
  }
};

TEST(TLinuxIpHelperTest, ReadsSysfsFacts)
{
  TSysfsFixture Sysfs;
  Sysfs.Write("wlan0", "uevent", "DEVTYPE=wlan\nINTERFACE=wlan0\nIFINDEX=3\n");
  Sysfs.Write("wlan0", "speed", "866\n");
  Sysfs.Write("wlp2s0", "uevent", "INTERFACE=wlp2s0\nIFINDEX=4\n");
  fs::create_directories(Sysfs.Root / "wlp2s0" / "phy80211");
  Sysfs.Write("wlp2s0", "speed", "-1\n");
  Sysfs.Write("wwan0", "uevent", "DEVTYPE=wwan\nIFINDEX=5");
  Sysfs.Write("other", "uevent", "DEVTYPE=wlan\nIFINDEX=17\n");
  Sysfs.Write("other", "speed", "100\n");
  Sysfs.Write("bad", "speed", "12x\n");
  const std::string Root = Sysfs.Root;
  const struct {
    const char* Name;
    uint32_t Index;
    const char* DevType;
    bool Wireless;
    int64_t Speed;
  } Cases[] = {
      {"wlan0", 3, "wlan", false, 866},
      {"wlp2s0", 4, "", true, -1},
      {"wwan0", 5, "wwan", false, -1},
      {"other", 9, "", false, -1}, // a namesake of another namespace
      {"bad", 2, "", false, -1},
      {"missing", 1, "", false, -1},
      {"../wlan0", 3, "", false, -1},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    const TSysfsFacts Facts = ReadSysfsFacts(Root, Case.Name, Case.Index);
    EXPECT_EQ(Facts.DevType, Case.DevType);
    EXPECT_EQ(Facts.Wireless, Case.Wireless);
    EXPECT_EQ(Facts.SpeedMbps, Case.Speed);
  }
}

// Answer the row of the interface with index Index in Rows, or null.
const MIB_IFROW* FindRow(const TMIBIfArray& Rows, uint32_t Index)
{
  for (const MIB_IFROW& Row : Rows)
    if (Row.dwIndex == Index)
      return &Row;
  return nullptr;
}

TEST(TLinuxIpHelperTest, KernelLoopbackRowAndAddress)
{
  const uint32_t Lo = ::if_nametoindex("lo");
  ASSERT_NE(Lo, 0u) << "this machine has no loopback interface";
  TLinuxIpHelper Service;
  TMIBIfArray Rows;
  FetchIfTable(Service, Rows);
  const MIB_IFROW* Row = FindRow(Rows, Lo);
  ASSERT_NE(Row, nullptr);
  EXPECT_EQ(Row->dwType, IF_TYPE_SOFTWARE_LOOPBACK);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(Row->bDescr)), "Loopback lo");
  EXPECT_EQ(Row->dwDescrLen, 12u);
  EXPECT_EQ(Row->dwPhysAddrLen, 0u);
  EXPECT_EQ(Row->dwAdminStatus, MIB_IF_ADMIN_STATUS_UP);
  EXPECT_EQ(Row->dwMtu, 65536u);

  TMibIPAddrArray Addrs;
  FetchIPAddrTable(Service, Addrs);
  ASSERT_FALSE(Addrs.empty());
  for (size_t i = 1; i < Addrs.size(); ++i)
    EXPECT_LE(ntohl(Addrs[i - 1].dwAddr), ntohl(Addrs[i].dwAddr));

  TFakeConnectedState Connected;
  TNetMonitor Monitor(Service, Connected);
  EXPECT_EQ(Monitor.GetIPFromIFIndex(Lo), "127.  0.  0.  1");
  Monitor.CaptureMIBData(true);
  bool Shown = false;
  for (int r = 1; r < Monitor.sgmib.RowCount(); ++r)
    if (Monitor.sgmib.Cell(0, r) == "Loopback lo")
      Shown = Monitor.sgmib.Cell(1, r) == "00-00-00-00-00-00" && Monitor.sgmib.Cell(2, r) == "127.  0.  0.  1";
  EXPECT_TRUE(Shown);
}

TEST(TLinuxIpHelperTest, KernelLoopbackCountersAdvanceWithTraffic)
{
  const uint32_t Lo = ::if_nametoindex("lo");
  TLinuxIpHelper Service;
  TMIBIfArray Before;
  FetchIfTable(Service, Before);
  ASSERT_NE(FindRow(Before, Lo), nullptr);

  const int Receiver = ::socket(AF_INET, SOCK_DGRAM, 0);
  const int Sender = ::socket(AF_INET, SOCK_DGRAM, 0);
  ASSERT_GE(Receiver, 0);
  ASSERT_GE(Sender, 0);
  sockaddr_in Addr{};
  Addr.sin_family = AF_INET;
  Addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t Size = sizeof Addr;
  ASSERT_EQ(::bind(Receiver, reinterpret_cast<sockaddr*>(&Addr), sizeof Addr), 0);
  ASSERT_EQ(::getsockname(Receiver, reinterpret_cast<sockaddr*>(&Addr), &Size), 0);
  const std::string Datagram(1000, 'x');
  constexpr int Count = 20;
  for (int i = 0; i < Count; ++i)
    ASSERT_EQ(::sendto(Sender, Datagram.data(), Datagram.size(), 0, reinterpret_cast<sockaddr*>(&Addr), sizeof Addr),
              ssize_t(Datagram.size()));
  ::close(Sender);
  ::close(Receiver);

  TMIBIfArray After;
  FetchIfTable(Service, After);
  const MIB_IFROW* Was = FindRow(Before, Lo);
  const MIB_IFROW* Now = FindRow(After, Lo);
  ASSERT_NE(Now, nullptr);
  // Differences of 32-bit counters stay right across a wrap.
  EXPECT_GE(uint32_t(Now->dwInOctets - Was->dwInOctets), uint32_t(Count * Datagram.size()));
  EXPECT_GE(uint32_t(Now->dwOutOctets - Was->dwOutOctets), uint32_t(Count * Datagram.size()));
  EXPECT_GE(uint32_t(Now->dwOutUcastPkts - Was->dwOutUcastPkts), uint32_t(Count));
}

TEST(TLinuxIpHelperTest, KernelTablesHonourTheSizeConvention)
{
  TLinuxIpHelper Service;
  uint32_t Size = 0;
  ASSERT_EQ(Service.GetIfTable(nullptr, &Size, false), ERROR_INSUFFICIENT_BUFFER);
  ASSERT_GE(Size, 4u + sizeof(MIB_IFROW));
  EXPECT_EQ((Size - 4) % sizeof(MIB_IFROW), 0u);
  std::vector<unsigned char> Buffer(Size + sizeof(MIB_IFROW));
  auto* Table = reinterpret_cast<MIB_IFTABLE*>(Buffer.data());
  uint32_t Small = Size - 1;
  EXPECT_EQ(Service.GetIfTable(Table, &Small, false), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(Small, Size);
  uint32_t Large = uint32_t(Buffer.size());
  ASSERT_EQ(Service.GetIfTable(Table, &Large, true), NO_ERROR);
  uint32_t Count;
  std::memcpy(&Count, Buffer.data(), 4);
  EXPECT_EQ(Count, (Size - 4) / sizeof(MIB_IFROW));
  uint32_t Previous = 0;
  for (uint32_t i = 0; i < Count; ++i) {
    MIB_IFROW Row;
    std::memcpy(&Row, Buffer.data() + 4 + i * sizeof Row, sizeof Row);
    EXPECT_GT(Row.dwIndex, Previous);
    Previous = Row.dwIndex;
  }
  EXPECT_EQ(Service.GetIfTable(Table, nullptr, false), ERROR_INVALID_PARAMETER);

  uint32_t AddrSize = 0;
  ASSERT_EQ(Service.GetIpAddrTable(nullptr, &AddrSize, true), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ((AddrSize - 4) % sizeof(MIB_IPADDRROW), 0u);
}

TEST(TLinuxIpHelperTest, SysfsRootIsTheConstructorsArgument)
{
  TSysfsFixture Sysfs;
  const uint32_t Lo = ::if_nametoindex("lo");
  Sysfs.Write("lo", "uevent", "INTERFACE=lo\nIFINDEX=" + std::to_string(Lo) + "\n");
  Sysfs.Write("lo", "speed", "100\n");
  TLinuxIpHelper Service(Sysfs.Root.string());
  TMIBIfArray Rows;
  FetchIfTable(Service, Rows);
  const MIB_IFROW* Row = FindRow(Rows, Lo);
  ASSERT_NE(Row, nullptr);
  EXPECT_EQ(Row->dwSpeed, 100000000u);
}

} // namespace
