#include "TLinuxIpHelper.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <linux/if_addr.h>
#include <linux/if_arp.h>
#include <linux/rtnetlink.h>
#include <sys/stat.h>
#include <utility>

#include "Cp1252.h"
#include "KernelFile.h"

namespace {

// Answer the value of Key=... in a uevent text, or empty.
std::string UeventValue(const std::string& Text, const std::string& Key)
{
  size_t At = 0;
  while (At < Text.size()) {
    size_t End = Text.find('\n', At);
    if (End == std::string::npos)
      End = Text.size();
    if (End - At > Key.size() && Text.compare(At, Key.size(), Key) == 0 && Text[At + Key.size()] == '=')
      return Text.substr(At + Key.size() + 1, End - At - Key.size() - 1);
    At = End + 1;
  }
  return "";
}

// Answer whether Path names an existing directory entry.
bool Exists(const std::string& Path)
{
  struct stat Info;
  return ::stat(Path.c_str(), &Info) == 0;
}

// Answer the decimal number of Text, trailing newline allowed; false when not one.
bool ParseDecimal(const std::string& Text, int64_t& Value)
{
  size_t At = 0;
  bool Negative = false;
  if (At < Text.size() && Text[At] == '-') {
    Negative = true;
    ++At;
  }
  const size_t First = At;
  int64_t Number = 0;
  for (; At < Text.size() && Text[At] >= '0' && Text[At] <= '9'; ++At) {
    if (Number > (INT64_MAX - 9) / 10)
      return false;
    Number = Number * 10 + (Text[At] - '0');
  }
  if (At == First)
    return false;
  while (At < Text.size() && (Text[At] == '\n' || Text[At] == ' '))
    ++At;
  if (At != Text.size())
    return false;
  Value = Negative ? -Number : Number;
  return true;
}

// Copy Rows as a table of TTable into Buffer under the size convention.
template <typename TTable, typename TRow>
uint32_t AnswerTable(const std::vector<TRow>& Rows, TTable* Buffer, uint32_t* pdwSize)
{
  const uint64_t Needed = sizeof(uint32_t) + uint64_t(Rows.size()) * sizeof(TRow);
  if (Needed > UINT32_MAX)
    return ERROR_GEN_FAILURE;
  if (Buffer == nullptr || *pdwSize < Needed) {
    *pdwSize = static_cast<uint32_t>(Needed);
    return ERROR_INSUFFICIENT_BUFFER;
  }
  auto* Bytes = reinterpret_cast<unsigned char*>(Buffer);
  const auto Count = static_cast<uint32_t>(Rows.size());
  std::memcpy(Bytes, &Count, sizeof Count);
  if (!Rows.empty())
    std::memcpy(Bytes + sizeof Count, Rows.data(), Rows.size() * sizeof(TRow));
  return NO_ERROR;
}

// Answer a 64-bit kernel counter as the 32-bit counter that wraps.
uint32_t Low32(uint64_t Counter)
{
  return static_cast<uint32_t>(Counter & 0xFFFFFFFFu);
}

} // namespace

TSysfsFacts ReadSysfsFacts(const std::string& Root, const std::string& Name, uint32_t Index)
{
  TSysfsFacts Facts;
  // A name that could leave the directory is no interface of ours.
  if (Name.empty() || Name == "." || Name == ".." || Name.find('/') != std::string::npos)
    return Facts;
  const std::string Dir = Root + "/" + Name;
  std::string Uevent;
  if (ReadKernelFile(Dir + "/uevent", Uevent)) {
    int64_t IfIndex = 0;
    const std::string IndexText = UeventValue(Uevent, "IFINDEX");
    if (!IndexText.empty() && (!ParseDecimal(IndexText, IfIndex) || IfIndex != int64_t(Index)))
      return Facts;
    Facts.DevType = UeventValue(Uevent, "DEVTYPE");
  }
  Facts.Wireless = Exists(Dir + "/wireless") || Exists(Dir + "/phy80211");
  std::string Speed;
  int64_t Mbps = 0;
  // The file refuses to be read while the link is down or has no speed.
  if (ReadKernelFile(Dir + "/speed", Speed) && ParseDecimal(Speed, Mbps) && Mbps >= 0)
    Facts.SpeedMbps = Mbps;
  return Facts;
}

uint32_t ClassifyLink(const TLinkRecord& Link, const TSysfsFacts& Facts)
{
  switch (Link.ArpType) {
  case ARPHRD_LOOPBACK:
    return IF_TYPE_SOFTWARE_LOOPBACK;
  case ARPHRD_PPP:
    return IF_TYPE_PPP;
  default:
    break;
  }
  if (Facts.DevType == "wwan")
    return IF_TYPE_WWANPP;
  switch (Link.ArpType) {
  case ARPHRD_ETHER:
    return Facts.DevType == "wlan" || Facts.Wireless ? IF_TYPE_IEEE80211 : IF_TYPE_ETHERNET_CSMACD;
  case ARPHRD_IEEE80211:
  case ARPHRD_IEEE80211_PRISM:
  case ARPHRD_IEEE80211_RADIOTAP:
    return IF_TYPE_IEEE80211;
  case ARPHRD_TUNNEL:
  case ARPHRD_TUNNEL6:
  case ARPHRD_SIT:
  case ARPHRD_IPGRE:
  case ARPHRD_IP6GRE:
  case ARPHRD_NONE: // tun, wireguard and the like carry bare IP packets
    return IF_TYPE_TUNNEL;
  default:
    return IF_TYPE_OTHER;
  }
}

std::string DescribeLink(uint32_t Type, const std::string& Name)
{
  switch (Type) {
  case IF_TYPE_PPP:
    return "WAN (PPP) " + Name;
  case IF_TYPE_WWANPP:
    return "WAN (mobile) " + Name;
  case IF_TYPE_ETHERNET_CSMACD:
    return "Ethernet " + Name;
  case IF_TYPE_IEEE80211:
    return "Wi-Fi " + Name;
  case IF_TYPE_SOFTWARE_LOOPBACK:
    return "Loopback " + Name;
  case IF_TYPE_TUNNEL:
    return "Tunnel " + Name;
  default:
    return "Interface " + Name;
  }
}

MIB_IFROW BuildIfRow(const TLinkRecord& Link, const TSysfsFacts& Facts)
{
  MIB_IFROW Row{};
  for (size_t i = 0; i < Link.Name.size() && i + 1 < std::size(Row.wszName); ++i)
    Row.wszName[i] = static_cast<unsigned char>(Link.Name[i]);
  Row.dwIndex = Link.Index;
  Row.dwType = ClassifyLink(Link, Facts);
  Row.dwMtu = Link.Mtu;
  // Speeds from 4295 Mb/s on do not fit in 32 bits of bits per second.
  if (Facts.SpeedMbps > 0)
    Row.dwSpeed = Facts.SpeedMbps > int64_t(UINT32_MAX / 1000000) ? UINT32_MAX
                                                                  : static_cast<uint32_t>(Facts.SpeedMbps * 1000000);
  Row.dwPhysAddrLen = static_cast<uint32_t>(std::min(Link.HwAddr.size(), sizeof Row.bPhysAddr));
  if (Row.dwPhysAddrLen > 0)
    std::memcpy(Row.bPhysAddr, Link.HwAddr.data(), Row.dwPhysAddrLen);
  // The loopback's all-zero address is no physical address.
  if (Link.ArpType == ARPHRD_LOOPBACK)
    Row.dwPhysAddrLen = 0;
  const bool Up = (Link.Flags & IFF_UP) != 0;
  Row.dwAdminStatus = Up ? MIB_IF_ADMIN_STATUS_UP : MIB_IF_ADMIN_STATUS_DOWN;
  Row.dwOperStatus = !Up                           ? IF_OPER_STATUS_NON_OPERATIONAL
                     : (Link.Flags & IFF_RUNNING) ? IF_OPER_STATUS_OPERATIONAL
                                                  : IF_OPER_STATUS_DISCONNECTED;
  Row.dwInOctets = Low32(Link.RxBytes);
  Row.dwInUcastPkts = Low32(Link.RxPackets - std::min(Link.Multicast, Link.RxPackets));
  Row.dwInNUcastPkts = Low32(Link.Multicast);
  Row.dwInDiscards = Low32(Link.RxDropped);
  Row.dwInErrors = Low32(Link.RxErrors);
  Row.dwInUnknownProtos = Low32(Link.RxNoHandler);
  Row.dwOutOctets = Low32(Link.TxBytes);
  Row.dwOutUcastPkts = Low32(Link.TxPackets);
  Row.dwOutDiscards = Low32(Link.TxDropped);
  Row.dwOutErrors = Low32(Link.TxErrors);
  const std::string Descr = Utf8ToCp1252(DescribeLink(Row.dwType, Link.Name));
  const size_t Length = std::min(Descr.size(), sizeof Row.bDescr - 1);
  std::memcpy(Row.bDescr, Descr.data(), Length);
  Row.dwDescrLen = static_cast<uint32_t>(Length + 1);
  return Row;
}

MIB_IPADDRROW BuildAddrRow(const TAddrRecord& Addr)
{
  MIB_IPADDRROW Row{};
  Row.dwAddr = Addr.Addr;
  Row.dwIndex = Addr.Index;
  const uint8_t Prefix = std::min<uint8_t>(Addr.PrefixLen, 32);
  Row.dwMask = Prefix == 0 ? 0 : htonl(~uint32_t(0) << (32 - Prefix));
  Row.dwBCastAddr = Addr.Broadcast;
  Row.dwReasmSize = 65535;
  Row.wType = static_cast<uint16_t>(((Addr.Flags & IFA_F_SECONDARY) ? 0 : MIB_IPADDR_PRIMARY) |
                                    ((Addr.Flags & IFA_F_PERMANENT) ? 0 : MIB_IPADDR_DYNAMIC));
  return Row;
}

void SortAddrRows(std::vector<MIB_IPADDRROW>& Rows)
{
  std::stable_sort(Rows.begin(), Rows.end(), [](const MIB_IPADDRROW& a, const MIB_IPADDRROW& b) {
    return ntohl(a.dwAddr) < ntohl(b.dwAddr);
  });
}

TLinuxIpHelper::TLinuxIpHelper(std::string SysfsRoot) : FSysfsRoot(std::move(SysfsRoot)) {}

const TSysfsFacts& TLinuxIpHelper::FactsOf(const TLinkRecord& Link)
{
  TFactsKey Key{Link.Index, Link.Name, Link.Flags};
  auto Found = FFacts.find(Key);
  if (Found == FFacts.end())
    Found = FFacts.emplace(Key, ReadSysfsFacts(FSysfsRoot, Link.Name, Link.Index)).first;
  return FSeenFacts.insert(FFacts.extract(Found)).position->second;
}

uint32_t TLinuxIpHelper::GetIfTable(MIB_IFTABLE* pIfTable, uint32_t* pdwSize, bool bOrder)
{
  if (pdwSize == nullptr)
    return ERROR_INVALID_PARAMETER;
  // A size query needs only the count: spare it the counters and the sysfs reads.
  const bool SizeOnly = pIfTable == nullptr || *pdwSize < sizeof(uint32_t) + sizeof(MIB_IFROW);
  struct {
    ifinfomsg Info;
    rtattr MaskHeader;
    uint32_t Mask;
  } Request{};
  Request.Info.ifi_family = AF_UNSPEC;
  Request.MaskHeader.rta_len = RTA_LENGTH(sizeof Request.Mask);
  Request.MaskHeader.rta_type = IFLA_EXT_MASK;
  Request.Mask = SizeOnly ? RTEXT_FILTER_SKIP_STATS : 0;
  if (!FSocket.Dump(RTM_GETLINK, &Request, sizeof Request, FMessages) || !ParseLinkDump(FMessages, FLinks))
    return ERROR_GEN_FAILURE;
  const uint64_t Needed = sizeof(uint32_t) + uint64_t(FLinks.size()) * sizeof(MIB_IFROW);
  if (SizeOnly || *pdwSize < Needed) {
    FIfRows.resize(FLinks.size());
    return AnswerTable<MIB_IFTABLE>(FIfRows, nullptr, pdwSize);
  }
  FIfRows.clear();
  FSeenFacts.clear();
  for (const TLinkRecord& Link : FLinks)
    FIfRows.push_back(BuildIfRow(Link, FactsOf(Link)));
  // Forget the links that went away or changed.
  FFacts.swap(FSeenFacts);
  if (bOrder)
    std::stable_sort(FIfRows.begin(), FIfRows.end(),
                     [](const MIB_IFROW& a, const MIB_IFROW& b) { return a.dwIndex < b.dwIndex; });
  return AnswerTable(FIfRows, pIfTable, pdwSize);
}

uint32_t TLinuxIpHelper::GetIpAddrTable(MIB_IPADDRTABLE* pIpAddrTable, uint32_t* pdwSize, bool bOrder)
{
  if (pdwSize == nullptr)
    return ERROR_INVALID_PARAMETER;
  ifaddrmsg Request{};
  Request.ifa_family = AF_INET;
  if (!FSocket.Dump(RTM_GETADDR, &Request, sizeof Request, FMessages) || !ParseAddrDump(FMessages, FAddrs))
    return ERROR_GEN_FAILURE;
  FAddrRows.clear();
  for (const TAddrRecord& Addr : FAddrs)
    FAddrRows.push_back(BuildAddrRow(Addr));
  if (bOrder)
    SortAddrRows(FAddrRows);
  return AnswerTable(FAddrRows, pIpAddrTable, pdwSize);
}
