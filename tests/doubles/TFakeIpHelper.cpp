#include "TFakeIpHelper.h"

#include <arpa/inet.h>
#include <cstring>

MIB_IFROW MakeIfRow(uint32_t Index, const std::string& Descr, const std::vector<uint8_t>& Mac, uint32_t InOctets,
                    uint32_t OutOctets)
{
  MIB_IFROW Row{};
  Row.dwIndex = Index;
  Row.dwType = IF_TYPE_ETHERNET_CSMACD;
  Row.dwPhysAddrLen = static_cast<uint32_t>(Mac.size());
  if (!Mac.empty())
    std::memcpy(Row.bPhysAddr, Mac.data(), Mac.size() < 8 ? Mac.size() : 8);
  Row.dwInOctets = InOctets;
  Row.dwOutOctets = OutOctets;
  const size_t Length = Descr.size() < 255 ? Descr.size() : 255;
  std::memcpy(Row.bDescr, Descr.data(), Length);
  Row.dwDescrLen = static_cast<uint32_t>(Length + 1);
  return Row;
}

MIB_IPADDRROW MakeAddrRow(const std::string& Dotted, uint32_t Index)
{
  MIB_IPADDRROW Row{};
  in_addr Addr{};
  inet_pton(AF_INET, Dotted.c_str(), &Addr);
  std::memcpy(&Row.dwAddr, &Addr, 4);
  Row.dwIndex = Index;
  return Row;
}

namespace {

template <typename TRow>
uint32_t AnswerTable(void* Buffer, uint32_t* pdwSize, const std::vector<TRow>& Rows, size_t SizeRows,
                     uint32_t ExtraEntries)
{
  const uint32_t Needed = static_cast<uint32_t>(4 + SizeRows * sizeof(TRow));
  if (Buffer == nullptr || *pdwSize < Needed) {
    *pdwSize = Needed;
    return ERROR_INSUFFICIENT_BUFFER;
  }
  const uint32_t Count = static_cast<uint32_t>(Rows.size()) + ExtraEntries;
  auto* Bytes = static_cast<unsigned char*>(Buffer);
  std::memcpy(Bytes, &Count, 4);
  for (size_t i = 0; i < Rows.size(); ++i)
    std::memcpy(Bytes + 4 + i * sizeof(TRow), &Rows[i], sizeof(TRow));
  return NO_ERROR;
}

} // namespace

uint32_t TFakeIpHelper::GetIfTable(MIB_IFTABLE* pIfTable, uint32_t* pdwSize, bool)
{
  ++IfTableCalls;
  if (ForceResult != NO_ERROR)
    return ForceResult;
  if (pIfTable != nullptr && GrowBeforeCopy > 0) {
    for (int i = 0; i < GrowBeforeCopy; ++i)
      IfRows.push_back(MakeIfRow(1000 + uint32_t(i), "grown"));
    GrowBeforeCopy = 0;
  }
  return AnswerTable(pIfTable, pdwSize, IfRows, IfRows.size(), ClaimExtraEntries);
}

uint32_t TFakeIpHelper::GetIpAddrTable(MIB_IPADDRTABLE* pIpAddrTable, uint32_t* pdwSize, bool bOrder)
{
  ++AddrTableCalls;
  LastAddrOrder = bOrder;
  if (ForceResult != NO_ERROR)
    return ForceResult;
  return AnswerTable(pIpAddrTable, pdwSize, AddrRows, AddrRows.size(), 0);
}
