#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cstring>
#include <linux/if_addr.h>
#include <linux/if_arp.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

#include "NetlinkMessages.h"

namespace {

// Builds netlink message buffers the way the kernel lays them out.
class TMessages {
public:
  // Start a message of Type with sequence Seq.
  TMessages& Begin(uint16_t Type, uint16_t Flags = NLM_F_MULTI, uint32_t Seq = 1)
  {
    FStart = Bytes.size();
    nlmsghdr Header{};
    Header.nlmsg_type = Type;
    Header.nlmsg_flags = Flags;
    Header.nlmsg_seq = Seq;
    Put(Header);
    return *this;
  }
  // Append a fixed record, padded to 4 bytes.
  template <typename T>
  TMessages& Put(const T& Record)
  {
    Bytes.append(reinterpret_cast<const char*>(&Record), sizeof Record);
    Bytes.resize(NLMSG_ALIGN(Bytes.size()), '\0');
    return *this;
  }
  // Append an attribute with a raw payload.
  TMessages& Attr(uint16_t Type, std::string_view Payload)
  {
    rtattr Header{static_cast<unsigned short>(RTA_LENGTH(Payload.size())), Type};
    Bytes.append(reinterpret_cast<const char*>(&Header), sizeof Header);
    Bytes.append(Payload);
    Bytes.resize(RTA_ALIGN(Bytes.size()), '\0');
    return *this;
  }
  // Append an attribute holding a record.
  template <typename T>
  TMessages& AttrOf(uint16_t Type, const T& Record)
  {
    return Attr(Type, std::string_view(reinterpret_cast<const char*>(&Record), sizeof Record));
  }
  // Append a NUL-terminated string attribute.
  TMessages& Text(uint16_t Type, const std::string& Value) { return Attr(Type, std::string_view(Value.c_str(), Value.size() + 1)); }
  // Close the message by writing its length.
  TMessages& End()
  {
    const auto Length = static_cast<uint32_t>(Bytes.size() - FStart);
    std::memcpy(Bytes.data() + FStart, &Length, sizeof Length);
    return *this;
  }
  // Append the end marker of a dump with code Code.
  TMessages& Done(int Code = 0, uint32_t Seq = 1) { return Begin(NLMSG_DONE, NLM_F_MULTI, Seq).Put(Code).End(); }

  std::string Bytes;

private:
  size_t FStart = 0;
};

// Append a link message of an Ethernet interface.
TMessages& AddLink(TMessages& M, int Index, const std::string& Name, uint32_t Flags = IFF_UP | IFF_RUNNING,
                   uint32_t Seq = 1)
{
  ifinfomsg Info{};
  Info.ifi_index = Index;
  Info.ifi_type = ARPHRD_ETHER;
  Info.ifi_flags = Flags;
  return M.Begin(RTM_NEWLINK, NLM_F_MULTI, Seq).Put(Info).Text(IFLA_IFNAME, Name).AttrOf(IFLA_MTU, uint32_t(1500));
}

TEST(NetlinkMessagesTest, ParsesLinksWithTheirAttributes)
{
  TMessages M;
  rtnl_link_stats64 Stats{};
  Stats.rx_bytes = (1ull << 32) + 5;
  Stats.tx_bytes = 77;
  Stats.rx_packets = 10;
  Stats.multicast = 3;
  Stats.rx_nohandler = 2;
  TMessages Info;
  Info.Text(IFLA_INFO_KIND, "veth");
  AddLink(M, 4, "eth0")
      .Attr(IFLA_ADDRESS, std::string_view("\x00\x0c\x29\xab\xcd\xef", 6))
      .AttrOf(IFLA_STATS64, Stats)
      .Attr(IFLA_LINKINFO | NLA_F_NESTED, Info.Bytes)
      .Attr(999, "unknown attributes are skipped")
      .End();
  AddLink(M, 9, "wan0", IFF_UP).End();
  M.Done();

  std::vector<TLinkRecord> Links;
  ASSERT_TRUE(ParseLinkDump(M.Bytes, Links));
  ASSERT_EQ(Links.size(), 2u);
  EXPECT_EQ(Links[0].Index, 4u);
  EXPECT_EQ(Links[0].ArpType, ARPHRD_ETHER);
  EXPECT_EQ(Links[0].Name, "eth0");
  EXPECT_EQ(Links[0].Mtu, 1500u);
  EXPECT_EQ(Links[0].Kind, "veth");
  EXPECT_EQ(Links[0].HwAddr, (std::vector<uint8_t>{0x00, 0x0c, 0x29, 0xab, 0xcd, 0xef}));
  EXPECT_EQ(Links[0].RxBytes, (1ull << 32) + 5);
  EXPECT_EQ(Links[0].TxBytes, 77u);
  EXPECT_EQ(Links[0].Multicast, 3u);
  EXPECT_EQ(Links[0].RxNoHandler, 2u);
  EXPECT_EQ(Links[1].Name, "wan0");
  EXPECT_EQ(Links[1].Flags, unsigned(IFF_UP));
  EXPECT_TRUE(Links[1].Kind.empty());
}

TEST(NetlinkMessagesTest, Stats64WinOverThe32BitStatsInEitherOrder)
{
  rtnl_link_stats Small{};
  Small.rx_bytes = 111;
  rtnl_link_stats64 Big{};
  Big.rx_bytes = 222;
  const struct {
    const char* Name;
    bool SmallFirst;
    bool WithBig;
    uint64_t RxBytes;
  } Cases[] = {{"32-bit only", true, false, 111}, {"32-bit then 64-bit", true, true, 222}, {"64-bit then 32-bit", false, true, 222}};
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    TMessages M;
    AddLink(M, 1, "eth0");
    if (Case.SmallFirst)
      M.AttrOf(IFLA_STATS, Small);
    if (Case.WithBig)
      M.AttrOf(IFLA_STATS64, Big);
    if (!Case.SmallFirst)
      M.AttrOf(IFLA_STATS, Small);
    M.End().Done();
    std::vector<TLinkRecord> Links;
    ASSERT_TRUE(ParseLinkDump(M.Bytes, Links));
    EXPECT_EQ(Links.at(0).RxBytes, Case.RxBytes);
  }
}

TEST(NetlinkMessagesTest, RefusesBrokenDumps)
{
  const auto Cut = [](std::string Bytes, size_t Less) { return Bytes.substr(0, Bytes.size() - Less); };
  TMessages Good;
  AddLink(Good, 1, "lo").End().Done();
  std::string AttrPastMessage = Good.Bytes;
  // Stretch the name attribute (right after the 32-byte header and link record) past its message.
  const uint16_t Long = 200;
  std::memcpy(AttrPastMessage.data() + NLMSG_HDRLEN + sizeof(ifinfomsg), &Long, sizeof Long);
  std::string MessagePastBuffer = Good.Bytes;
  const uint32_t Huge = 4096;
  std::memcpy(MessagePastBuffer.data(), &Huge, sizeof Huge);
  TMessages ShortRecord;
  ShortRecord.Begin(RTM_NEWLINK).Put(uint32_t(0)).End().Done();
  TMessages Error;
  AddLink(Error, 1, "lo").End();
  Error.Begin(NLMSG_ERROR).Put(nlmsgerr{-EPERM, {}}).End();
  TMessages Interrupted;
  AddLink(Interrupted, 1, "lo").End();
  Interrupted.Begin(RTM_NEWLINK, NLM_F_MULTI | NLM_F_DUMP_INTR).Put(ifinfomsg{}).End().Done();
  TMessages Failed;
  AddLink(Failed, 1, "lo").End().Done(-ENOBUFS);

  const struct {
    const char* Name;
    std::string Bytes;
    bool AnyDump; // refused by the address parse too, not only by the link parse
  } Cases[] = {
      {"no end marker", Cut(Good.Bytes, 20), true},
      {"end marker cut short", Cut(Good.Bytes, 3), true},
      {"attribute past its message", AttrPastMessage, false},
      {"message past the buffer", MessagePastBuffer, true},
      {"link record cut short", ShortRecord.Bytes, false},
      {"error message", Error.Bytes, true},
      {"dump interrupted by a change", Interrupted.Bytes, true},
      {"dump failed in the kernel", Failed.Bytes, true},
  };
  std::vector<TLinkRecord> Links;
  ASSERT_TRUE(ParseLinkDump(Good.Bytes, Links));
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    EXPECT_FALSE(ParseLinkDump(Case.Bytes, Links));
    std::vector<TAddrRecord> Addrs;
    EXPECT_EQ(ParseAddrDump(Case.Bytes, Addrs), !Case.AnyDump);
  }
}

// Append an address message of Family on interface Index.
TMessages& AddAddr(TMessages& M, uint8_t Family, int Index, uint8_t Prefix)
{
  ifaddrmsg Info{};
  Info.ifa_family = Family;
  Info.ifa_prefixlen = Prefix;
  Info.ifa_index = uint32_t(Index);
  return M.Begin(RTM_NEWADDR).Put(Info);
}

// Answer the four bytes of a dotted address.
std::string Bytes4(const char* Dotted)
{
  in_addr Addr{};
  inet_pton(AF_INET, Dotted, &Addr);
  return std::string(reinterpret_cast<const char*>(&Addr), 4);
}

TEST(NetlinkMessagesTest, ParsesIpv4AddressesPreferringTheLocalOne)
{
  TMessages M;
  // A point-to-point link: IFA_ADDRESS is the peer, IFA_LOCAL our own.
  AddAddr(M, AF_INET, 6, 32).Attr(IFA_ADDRESS, Bytes4("10.0.0.1")).Attr(IFA_LOCAL, Bytes4("10.0.0.2")).End();
  AddAddr(M, AF_INET6, 4, 64).Attr(IFA_ADDRESS, std::string(16, '\x20')).End();
  AddAddr(M, AF_INET, 4, 24)
      .Attr(IFA_ADDRESS, Bytes4("192.168.1.10"))
      .Attr(IFA_BROADCAST, Bytes4("192.168.1.255"))
      .AttrOf(IFA_FLAGS, uint32_t(IFA_F_PERMANENT | IFA_F_NOPREFIXROUTE))
      .End();
  AddAddr(M, AF_INET, 5, 8).End(); // no address at all
  M.Done();
  std::vector<TAddrRecord> Addrs;
  ASSERT_TRUE(ParseAddrDump(M.Bytes, Addrs));
  ASSERT_EQ(Addrs.size(), 2u);
  EXPECT_EQ(Addrs[0].Index, 6u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&Addrs[0].Addr), 4), Bytes4("10.0.0.2"));
  EXPECT_EQ(Addrs[0].PrefixLen, 32);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&Addrs[1].Addr), 4), Bytes4("192.168.1.10"));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&Addrs[1].Broadcast), 4), Bytes4("192.168.1.255"));
  EXPECT_EQ(Addrs[1].Flags, unsigned(IFA_F_PERMANENT | IFA_F_NOPREFIXROUTE));
}

TEST(NetlinkMessagesTest, GatherKeepsOnlyTheDumpsOwnMessages)
{
  TMessages Stale;
  AddLink(Stale, 7, "stale", IFF_UP, 41).End();
  Stale.Done(0, 41);
  TMessages First;
  First.Bytes = Stale.Bytes;
  AddLink(First, 1, "lo").End();
  TMessages Last;
  Last.Done(0, 1);

  std::string Messages;
  EXPECT_FALSE(GatherDumpChunk(Stale.Bytes, 1, Messages));
  EXPECT_TRUE(Messages.empty());
  EXPECT_FALSE(GatherDumpChunk(First.Bytes, 1, Messages));
  EXPECT_TRUE(GatherDumpChunk(Last.Bytes, 1, Messages));
  std::vector<TLinkRecord> Links;
  ASSERT_TRUE(ParseLinkDump(Messages, Links));
  ASSERT_EQ(Links.size(), 1u);
  EXPECT_EQ(Links[0].Name, "lo");

  // A malformed chunk ends the gathering and the parse refuses it.
  std::string Broken = First.Bytes.substr(0, First.Bytes.size() - 2);
  std::string Gathered;
  EXPECT_TRUE(GatherDumpChunk(Broken, 1, Gathered));
  EXPECT_FALSE(ParseLinkDump(Gathered, Links));
}

} // namespace
