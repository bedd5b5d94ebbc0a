#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What one link message of the kernel tells of an interface.
struct TLinkRecord {
  uint32_t Index = 0;
  uint16_t ArpType = 0;
  uint32_t Flags = 0;
  uint32_t Mtu = 0;
  std::string Name;
  std::string Kind; // driver kind of IFLA_LINKINFO, such as "veth"; empty when none
  std::vector<uint8_t> HwAddr;
  uint64_t RxPackets = 0;
  uint64_t TxPackets = 0;
  uint64_t RxBytes = 0;
  uint64_t TxBytes = 0;
  uint64_t RxErrors = 0;
  uint64_t TxErrors = 0;
  uint64_t RxDropped = 0;
  uint64_t TxDropped = 0;
  uint64_t Multicast = 0;
  uint64_t RxNoHandler = 0;
};

// What one IPv4 address message of the kernel tells.
struct TAddrRecord {
  uint32_t Index = 0;
  uint8_t PrefixLen = 0;
  uint32_t Flags = 0;
  uint32_t Addr = 0;      // network byte order
  uint32_t Broadcast = 0; // network byte order, 0 when none
};

// Append the messages of Chunk that carry sequence Seq to Messages; answer
// true when the chunk ends that dump, by its end marker, by an error message
// or by being malformed (the malformed rest is appended for the parser to refuse).
bool GatherDumpChunk(std::string_view Chunk, uint32_t Seq, std::string& Messages);
// Parse a whole RTM_GETLINK dump into Links; answer false when the dump is
// malformed, reports an error, was interrupted or lacks its end marker.
bool ParseLinkDump(std::string_view Messages, std::vector<TLinkRecord>& Links);
// Parse a whole RTM_GETADDR dump into Addrs, keeping IPv4 addresses only;
// answer false as ParseLinkDump does.
bool ParseAddrDump(std::string_view Messages, std::vector<TAddrRecord>& Addrs);
