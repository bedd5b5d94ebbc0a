#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "IPHLPAPI.h"

// Build an interface row with the given index, description, physical address and counters.
MIB_IFROW MakeIfRow(uint32_t Index, const std::string& Descr, const std::vector<uint8_t>& Mac = {},
                    uint32_t InOctets = 0, uint32_t OutOctets = 0);
// Build an address row for a dotted address such as "10.0.0.1".
MIB_IPADDRROW MakeAddrRow(const std::string& Dotted, uint32_t Index);

// Table service answering from rows held in memory, with switches for the
// failures a real service can show.
class TFakeIpHelper : public TIpHelperService {
public:
  // Answer the interface table from IfRows.
  uint32_t GetIfTable(MIB_IFTABLE* pIfTable, uint32_t* pdwSize, bool bOrder) override;
  // Answer the address table from AddrRows, in the order held.
  uint32_t GetIpAddrTable(MIB_IPADDRTABLE* pIpAddrTable, uint32_t* pdwSize, bool bOrder) override;

  std::vector<MIB_IFROW> IfRows;
  std::vector<MIB_IPADDRROW> AddrRows;
  // Rows added to the interface table between the size query and the copy.
  int GrowBeforeCopy = 0;
  // Entries claimed in dwNumEntries beyond the rows copied.
  uint32_t ClaimExtraEntries = 0;
  // Answer this code to every call when not NO_ERROR.
  uint32_t ForceResult = NO_ERROR;
  int IfTableCalls = 0;
  int AddrTableCalls = 0;
  bool LastAddrOrder = false;
};

// Connected-state query answering Connected.
class TFakeConnectedState : public TConnectedStateQuery {
public:
  // Answer Connected and count the call.
  bool InternetGetConnectedState() override
  {
    ++Calls;
    return Connected;
  }
  bool Connected = false;
  int Calls = 0;
};
