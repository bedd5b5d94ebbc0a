#include "NetlinkMessages.h"

#include <cstring>
#include <linux/if_addr.h>
#include <linux/if_link.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace {

// Copy a record of type T from Bytes, which need not be aligned.
template <typename T>
T ReadRecord(const char* Bytes)
{
  T Value;
  std::memcpy(&Value, Bytes, sizeof Value);
  return Value;
}

// Call Visit(header, payload) for every message of Messages; answer false on
// a length that runs past the buffer.
template <typename TVisit>
bool WalkMessages(std::string_view Messages, TVisit Visit)
{
  size_t At = 0;
  while (Messages.size() - At >= sizeof(nlmsghdr)) {
    const auto Header = ReadRecord<nlmsghdr>(Messages.data() + At);
    if (Header.nlmsg_len < sizeof(nlmsghdr) || Header.nlmsg_len > Messages.size() - At)
      return false;
    const std::string_view Payload(Messages.data() + At + NLMSG_HDRLEN, Header.nlmsg_len - NLMSG_HDRLEN);
    if (!Visit(Header, Payload))
      return true;
    At += std::min<size_t>(NLMSG_ALIGN(Header.nlmsg_len), Messages.size() - At);
  }
  return At == Messages.size();
}

// Call Visit(type, payload) for every attribute of Attributes; answer false on
// a length that runs past the buffer.
template <typename TVisit>
bool WalkAttributes(std::string_view Attributes, TVisit Visit)
{
  size_t At = 0;
  while (Attributes.size() - At >= sizeof(rtattr)) {
    const auto Header = ReadRecord<rtattr>(Attributes.data() + At);
    if (Header.rta_len < sizeof(rtattr) || Header.rta_len > Attributes.size() - At)
      return false;
    Visit(static_cast<uint16_t>(Header.rta_type & NLA_TYPE_MASK),
          std::string_view(Attributes.data() + At + RTA_LENGTH(0), Header.rta_len - RTA_LENGTH(0)));
    At += std::min<size_t>(RTA_ALIGN(Header.rta_len), Attributes.size() - At);
  }
  return At == Attributes.size();
}

// Answer the text of a string attribute, up to its first NUL.
std::string TextOf(std::string_view Payload)
{
  const size_t End = Payload.find('\0');
  return std::string(Payload.substr(0, End));
}

// Answer a 32-bit attribute, or 0 when the payload is too short.
uint32_t Uint32Of(std::string_view Payload)
{
  return Payload.size() >= 4 ? ReadRecord<uint32_t>(Payload.data()) : 0;
}

// Copy the head of Payload into a zeroed record of type T; a kernel may send a
// shorter or a longer one than this build knows.
template <typename T>
T PrefixOf(std::string_view Payload)
{
  T Value{};
  std::memcpy(&Value, Payload.data(), std::min(sizeof Value, Payload.size()));
  return Value;
}

// Copy the counters of a 64-bit or a 32-bit statistics record into Link.
template <typename TStats>
void CopyStats(const TStats& Stats, TLinkRecord& Link)
{
  Link.RxPackets = Stats.rx_packets;
  Link.TxPackets = Stats.tx_packets;
  Link.RxBytes = Stats.rx_bytes;
  Link.TxBytes = Stats.tx_bytes;
  Link.RxErrors = Stats.rx_errors;
  Link.TxErrors = Stats.tx_errors;
  Link.RxDropped = Stats.rx_dropped;
  Link.TxDropped = Stats.tx_dropped;
  Link.Multicast = Stats.multicast;
  Link.RxNoHandler = Stats.rx_nohandler;
}

// Parse the payload of one RTM_NEWLINK message into Link.
bool ParseLink(std::string_view Payload, TLinkRecord& Link)
{
  if (Payload.size() < sizeof(ifinfomsg))
    return false;
  const auto Info = ReadRecord<ifinfomsg>(Payload.data());
  Link.Index = static_cast<uint32_t>(Info.ifi_index);
  Link.ArpType = Info.ifi_type;
  Link.Flags = Info.ifi_flags;
  bool HaveStats64 = false;
  bool Ok = WalkAttributes(Payload.substr(NLMSG_ALIGN(sizeof(ifinfomsg))), [&](uint16_t Type, std::string_view Data) {
    switch (Type) {
    case IFLA_IFNAME:
      Link.Name = TextOf(Data);
      break;
    case IFLA_MTU:
      Link.Mtu = Uint32Of(Data);
      break;
    case IFLA_ADDRESS:
      Link.HwAddr.assign(Data.begin(), Data.end());
      break;
    case IFLA_STATS64:
      CopyStats(PrefixOf<rtnl_link_stats64>(Data), Link);
      HaveStats64 = true;
      break;
    case IFLA_STATS:
      if (!HaveStats64)
        CopyStats(PrefixOf<rtnl_link_stats>(Data), Link);
      break;
    case IFLA_LINKINFO:
      WalkAttributes(Data, [&](uint16_t InfoType, std::string_view InfoData) {
        if (InfoType == IFLA_INFO_KIND)
          Link.Kind = TextOf(InfoData);
      });
      break;
    default:
      break;
    }
  });
  return Ok;
}

// Parse the payload of one RTM_NEWADDR message; answer false when malformed.
// Addresses of other families leave Keep false.
bool ParseAddr(std::string_view Payload, TAddrRecord& Addr, bool& Keep)
{
  if (Payload.size() < sizeof(ifaddrmsg))
    return false;
  const auto Info = ReadRecord<ifaddrmsg>(Payload.data());
  Keep = Info.ifa_family == AF_INET;
  Addr.Index = Info.ifa_index;
  Addr.PrefixLen = Info.ifa_prefixlen;
  Addr.Flags = Info.ifa_flags;
  bool HaveLocal = false;
  bool HaveAddress = false;
  uint32_t Address = 0;
  const bool Ok = WalkAttributes(Payload.substr(NLMSG_ALIGN(sizeof(ifaddrmsg))), [&](uint16_t Type, std::string_view Data) {
    switch (Type) {
    case IFA_LOCAL:
      if (Data.size() >= 4) {
        Addr.Addr = ReadRecord<uint32_t>(Data.data());
        HaveLocal = true;
      }
      break;
    case IFA_ADDRESS:
      if (Data.size() >= 4) {
        Address = ReadRecord<uint32_t>(Data.data());
        HaveAddress = true;
      }
      break;
    case IFA_BROADCAST:
      Addr.Broadcast = Uint32Of(Data);
      break;
    case IFA_FLAGS:
      Addr.Flags = Uint32Of(Data);
      break;
    default:
      break;
    }
  });
  // IFA_LOCAL is this host's own address; IFA_ADDRESS is the peer's on a
  // point-to-point link and the same as IFA_LOCAL elsewhere.
  if (!HaveLocal && HaveAddress)
    Addr.Addr = Address;
  if (!HaveLocal && !HaveAddress)
    Keep = false;
  return Ok;
}

// Walk a whole dump, handing every data message of type DataType to Parse;
// answer false unless the dump ends with a clean end marker.
template <typename TParse>
bool ParseDump(std::string_view Messages, uint16_t DataType, TParse Parse)
{
  bool Ended = false;
  bool Ok = true;
  const bool Walked = WalkMessages(Messages, [&](const nlmsghdr& Header, std::string_view Payload) {
    if (Header.nlmsg_flags & NLM_F_DUMP_INTR) {
      Ok = false;
      return false;
    }
    if (Header.nlmsg_type == NLMSG_DONE) {
      // A dump that failed inside the kernel ends with a negative code.
      if (Payload.size() >= sizeof(int) && ReadRecord<int>(Payload.data()) < 0)
        Ok = false;
      Ended = true;
      return false;
    }
    if (Header.nlmsg_type == NLMSG_ERROR) {
      Ok = false;
      return false;
    }
    if (Header.nlmsg_type == DataType && !Parse(Payload))
      Ok = false;
    return Ok;
  });
  return Walked && Ok && Ended;
}

} // namespace

bool GatherDumpChunk(std::string_view Chunk, uint32_t Seq, std::string& Messages)
{
  bool Ends = false;
  size_t Kept = 0;
  const bool Walked = WalkMessages(Chunk, [&](const nlmsghdr& Header, std::string_view) {
    const size_t At = Kept;
    const size_t Length = std::min<size_t>(NLMSG_ALIGN(Header.nlmsg_len), Chunk.size() - At);
    Kept += Length;
    if (Header.nlmsg_seq != Seq)
      return true;
    Messages.append(Chunk.substr(At, Length));
    if (Header.nlmsg_type == NLMSG_DONE || Header.nlmsg_type == NLMSG_ERROR)
      Ends = true;
    return !Ends;
  });
  if (!Walked) {
    Messages.append(Chunk.substr(Kept));
    return true;
  }
  return Ends;
}

bool ParseLinkDump(std::string_view Messages, std::vector<TLinkRecord>& Links)
{
  Links.clear();
  return ParseDump(Messages, RTM_NEWLINK, [&](std::string_view Payload) {
    TLinkRecord Link;
    if (!ParseLink(Payload, Link))
      return false;
    Links.push_back(std::move(Link));
    return true;
  });
}

bool ParseAddrDump(std::string_view Messages, std::vector<TAddrRecord>& Addrs)
{
  Addrs.clear();
  return ParseDump(Messages, RTM_NEWADDR, [&](std::string_view Payload) {
    TAddrRecord Addr;
    bool Keep = false;
    if (!ParseAddr(Payload, Addr, Keep))
      return false;
    if (Keep)
      Addrs.push_back(Addr);
    return true;
  });
}
