#include "IPHelper.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Take one snapshot through Call, copying whole rows of type TRow from offset 4.
template <typename TRow, typename TTable, typename TCall>
void FetchTable(std::vector<TRow>& Rows, bool Order, TCall Call)
{
  uint32_t Size = 0;
  if (Call(static_cast<TTable*>(nullptr), &Size, Order) != ERROR_INSUFFICIENT_BUFFER)
    return;
  if (Size < sizeof(uint32_t))
    return;
  // The buffer is released on every path when it leaves scope.
  const auto Buffer = std::make_unique<unsigned char[]>(Size);
  uint32_t Filled = Size;
  if (Call(reinterpret_cast<TTable*>(Buffer.get()), &Filled, Order) != NO_ERROR)
    return;
  uint32_t Count = 0;
  std::memcpy(&Count, Buffer.get(), sizeof Count);
  if (Count == 0 || Count > (Size - sizeof(uint32_t)) / sizeof(TRow))
    return;
  Rows.resize(Count);
  for (uint32_t i = 0; i < Count; ++i)
    std::memcpy(&Rows[i], Buffer.get() + sizeof(uint32_t) + size_t(i) * sizeof(TRow), sizeof(TRow));
}

} // namespace

void FetchIfTable(TIpHelperService& Service, TMIBIfArray& Rows)
{
  FetchTable<MIB_IFROW, MIB_IFTABLE>(Rows, false, [&](MIB_IFTABLE* Table, uint32_t* Size, bool Order) {
    return Service.GetIfTable(Table, Size, Order);
  });
}

void FetchIPAddrTable(TIpHelperService& Service, TMibIPAddrArray& Rows)
{
  FetchTable<MIB_IPADDRROW, MIB_IPADDRTABLE>(Rows, true, [&](MIB_IPADDRTABLE* Table, uint32_t* Size, bool Order) {
    return Service.GetIpAddrTable(Table, Size, Order);
  });
}

std::string MacAddrToText(const uint8_t (&PhysAddr)[8], int32_t Count)
{
  if (Count <= 0)
    return "00-00-00-00-00-00";
  if (Count > 8)
    Count = 8;
  std::string Text;
  char Pair[4];
  for (int32_t i = 0; i < Count; ++i) {
    std::snprintf(Pair, sizeof Pair, "%02X", PhysAddr[i]);
    if (i > 0)
      Text += '-';
    Text += Pair;
  }
  return Text;
}

std::string IPAddrToText(uint32_t Addr)
{
  unsigned char Bytes[4];
  std::memcpy(Bytes, &Addr, sizeof Bytes);
  char Text[24];
  std::snprintf(Text, sizeof Text, "%3d.%3d.%3d.%3d", Bytes[0], Bytes[1], Bytes[2], Bytes[3]);
  return Text;
}
