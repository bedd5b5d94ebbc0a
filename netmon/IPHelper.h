#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "IPHLPAPI.h"

// A snapshot of the interface table, in the service's order.
using TMIBIfArray = std::vector<MIB_IFROW>;
// A snapshot of the address table, sorted by address.
using TMibIPAddrArray = std::vector<MIB_IPADDRROW>;

// Fill the empty Rows with a snapshot of the interface table; leave it empty on any failure.
void FetchIfTable(TIpHelperService& Service, TMIBIfArray& Rows);
// Fill the empty Rows with a sorted snapshot of the address table; leave it empty on any failure.
void FetchIPAddrTable(TIpHelperService& Service, TMibIPAddrArray& Rows);
// Write the first Count bytes of a physical address as XX-XX-..., or zeros when Count is 0.
std::string MacAddrToText(const uint8_t (&PhysAddr)[8], int32_t Count);
// Write an IPv4 address in network byte order as 15 characters, "%3d." per byte.
std::string IPAddrToText(uint32_t Addr);
