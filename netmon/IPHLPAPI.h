#pragma once
#include <cstddef>
#include <cstdint>

// Results of the table calls.
inline constexpr uint32_t NO_ERROR = 0;
inline constexpr uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr uint32_t ERROR_GEN_FAILURE = 31;
inline constexpr uint32_t ERROR_INVALID_PARAMETER = 87;

// One row of the interface table, 860 bytes, little-endian.
struct MIB_IFROW {
  char16_t wszName[256];
  uint32_t dwIndex;
  uint32_t dwType;
  uint32_t dwMtu;
  uint32_t dwSpeed;
  uint32_t dwPhysAddrLen;
  uint8_t bPhysAddr[8];
  uint32_t dwAdminStatus;
  uint32_t dwOperStatus;
  uint32_t dwLastChange;
  uint32_t dwInOctets;
  uint32_t dwInUcastPkts;
  uint32_t dwInNUcastPkts;
  uint32_t dwInDiscards;
  uint32_t dwInErrors;
  uint32_t dwInUnknownProtos;
  uint32_t dwOutOctets;
  uint32_t dwOutUcastPkts;
  uint32_t dwOutNUcastPkts;
  uint32_t dwOutDiscards;
  uint32_t dwOutErrors;
  uint32_t dwOutQLen;
  uint32_t dwDescrLen;
  uint8_t bDescr[256];
};
static_assert(sizeof(MIB_IFROW) == 860);
static_assert(offsetof(MIB_IFROW, dwIndex) == 512);
static_assert(offsetof(MIB_IFROW, dwType) == 516);
static_assert(offsetof(MIB_IFROW, dwMtu) == 520);
static_assert(offsetof(MIB_IFROW, dwSpeed) == 524);
static_assert(offsetof(MIB_IFROW, dwPhysAddrLen) == 528);
static_assert(offsetof(MIB_IFROW, bPhysAddr) == 532);
static_assert(offsetof(MIB_IFROW, dwAdminStatus) == 540);
static_assert(offsetof(MIB_IFROW, dwOperStatus) == 544);
static_assert(offsetof(MIB_IFROW, dwInOctets) == 552);
static_assert(offsetof(MIB_IFROW, dwOutOctets) == 576);
static_assert(offsetof(MIB_IFROW, dwOutQLen) == 596);
static_assert(offsetof(MIB_IFROW, dwDescrLen) == 600);
static_assert(offsetof(MIB_IFROW, bDescr) == 604);

// The interface table: a count followed by that many rows, packed.
struct MIB_IFTABLE {
  uint32_t dwNumEntries;
  MIB_IFROW table[1];
};
static_assert(offsetof(MIB_IFTABLE, table) == 4);

// One row of the IPv4 address table, 24 bytes.
struct MIB_IPADDRROW {
  uint32_t dwAddr; // network byte order: first octet first in memory
  uint32_t dwIndex;
  uint32_t dwMask;
  uint32_t dwBCastAddr;
  uint32_t dwReasmSize;
  uint16_t unused1;
  uint16_t wType;
};
static_assert(sizeof(MIB_IPADDRROW) == 24);
static_assert(offsetof(MIB_IPADDRROW, dwAddr) == 0);
static_assert(offsetof(MIB_IPADDRROW, dwIndex) == 4);
static_assert(offsetof(MIB_IPADDRROW, dwMask) == 8);
static_assert(offsetof(MIB_IPADDRROW, wType) == 22);

// The address table: a count followed by that many rows, packed.
struct MIB_IPADDRTABLE {
  uint32_t dwNumEntries;
  MIB_IPADDRROW table[1];
};
static_assert(offsetof(MIB_IPADDRTABLE, table) == 4);

// Interface types of dwType.
inline constexpr uint32_t IF_TYPE_OTHER = 1;
inline constexpr uint32_t IF_TYPE_ETHERNET_CSMACD = 6;
inline constexpr uint32_t IF_TYPE_PPP = 23;
inline constexpr uint32_t IF_TYPE_SOFTWARE_LOOPBACK = 24;
inline constexpr uint32_t IF_TYPE_IEEE80211 = 71;
inline constexpr uint32_t IF_TYPE_TUNNEL = 131;
inline constexpr uint32_t IF_TYPE_WWANPP = 243;

// Administrative states of dwAdminStatus.
inline constexpr uint32_t MIB_IF_ADMIN_STATUS_UP = 1;
inline constexpr uint32_t MIB_IF_ADMIN_STATUS_DOWN = 2;
// Operational states of dwOperStatus.
inline constexpr uint32_t IF_OPER_STATUS_NON_OPERATIONAL = 0;
inline constexpr uint32_t IF_OPER_STATUS_DISCONNECTED = 2;
inline constexpr uint32_t IF_OPER_STATUS_OPERATIONAL = 5;

// Address flags of wType.
inline constexpr uint16_t MIB_IPADDR_PRIMARY = 0x0001;
inline constexpr uint16_t MIB_IPADDR_DYNAMIC = 0x0004;

// Port to the interface and address tables.  Each call with a size too small
// for the table stores the needed size and answers ERROR_INSUFFICIENT_BUFFER;
// with a large enough buffer it fills it and answers NO_ERROR.
class TIpHelperService {
public:
  virtual ~TIpHelperService() = default;
  // Copy the interface table into pIfTable, in the service's own order.
  virtual uint32_t GetIfTable(MIB_IFTABLE* pIfTable, uint32_t* pdwSize, bool bOrder) = 0;
  // Copy the IPv4 address table into pIpAddrTable, sorted by address when bOrder.
  virtual uint32_t GetIpAddrTable(MIB_IPADDRTABLE* pIpAddrTable, uint32_t* pdwSize, bool bOrder) = 0;
};

// Port to the question whether the machine considers itself connected.
class TConnectedStateQuery {
public:
  virtual ~TConnectedStateQuery() = default;
  // Answer true when the machine is connected to the Internet.
  virtual bool InternetGetConnectedState() = 0;
};
