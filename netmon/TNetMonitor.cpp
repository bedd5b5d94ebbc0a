#include "TNetMonitor.h"

#include <algorithm>

#include "Convert.h"
#include "Cp1252.h"

void WriteGridHeaders(TStringGrid& Grid)
{
  static const char* const Headers[GridColumns] = {"adaptateur",  "Adresse Mac", "Adresse IP",
                                                   "oct/sec in",  "Max in/sec",  "Moy in/sec",
                                                   "oct/sec out", "Max out/sec", "Moy out/sec"};
  for (int Col = 0; Col < GridColumns; ++Col)
    Grid.SetCell(Col, 0, Headers[Col]);
}

bool NamesWanAdapter(const std::string& Text)
{
  return Text.find("Wan") != std::string::npos || Text.find("WAN") != std::string::npos ||
         Text.find("wan") != std::string::npos;
}

uint32_t RateBetween(uint32_t Last, uint32_t Now)
{
  if (Now < Last)
    return 0;
  return std::min<uint32_t>(Now - Last, 2147483647u);
}

namespace {

std::string AverageText(uint64_t Total, uint32_t Samples)
{
  return Samples > 0 ? std::to_string(Total / Samples) : NoAverage;
}

std::string DescriptionText(const MIB_IFROW& Row)
{
  const uint32_t Length = std::min<uint32_t>(Row.dwDescrLen, sizeof Row.bDescr + 1);
  if (Length <= 1)
    return "";
  const char* Bytes = reinterpret_cast<const char*>(Row.bDescr);
  return Trim(Cp1252ToUtf8(std::string(Bytes, std::min<size_t>(Length - 1, sizeof Row.bDescr))));
}

} // namespace

TNetMonitor::TNetMonitor(TIpHelperService& IpHelper, TConnectedStateQuery& ConnectedState)
    : FIpHelper(IpHelper), FConnectedState(ConnectedState)
{
}

void TNetMonitor::CaptureMIBData(bool Rebuild)
{
  TMIBIfArray Rows;
  FetchIfTable(FIpHelper, Rows);
  if (Rebuild)
    InitGrid(Rows);
  else
    Data2Grid(Rows);
}

void TNetMonitor::InitGrid(const TMIBIfArray& Rows)
{
  if (Rows.empty())
    return;
  const int N = static_cast<int>(Rows.size());
  sgmib.SetRowCount(N + 2);
  // A shrunk grid's new bottom row held an interface: it must read as empty,
  // for the throughput sum and for the link test.
  for (int Col = 0; Col < GridColumns; ++Col)
    sgmib.SetCell(Col, N + 1, "");
  IfStats.assign(Rows.size(), TStatRec{});
  for (int i = 0; i < N; ++i) {
    const MIB_IFROW& Row = Rows[size_t(i)];
    TStatRec& Stat = IfStats[size_t(i)];
    Stat.LastInOctets = Row.dwInOctets;
    Stat.LastOutOctets = Row.dwOutOctets;
    const int r = i + 1;
    sgmib.SetCell(0, r, DescriptionText(Row));
    sgmib.SetCell(1, r, MacAddrToText(Row.bPhysAddr, static_cast<int32_t>(std::min<uint32_t>(Row.dwPhysAddrLen, 8))));
    sgmib.SetCell(2, r, GetIPFromIFIndex(Row.dwIndex));
  }
}

void TNetMonitor::Data2Grid(const TMIBIfArray& Rows)
{
  const size_t Count = std::min(Rows.size(), IfStats.size());
  for (size_t i = 0; i < Count; ++i) {
    const MIB_IFROW& Row = Rows[i];
    TStatRec& Stat = IfStats[i];
    Stat.InRate = RateBetween(Stat.LastInOctets, Row.dwInOctets);
    Stat.TotalIn += Stat.InRate;
    if (Stat.InRate > 0)
      ++Stat.InSamples;
    Stat.LastInOctets = Row.dwInOctets;
    Stat.OutRate = RateBetween(Stat.LastOutOctets, Row.dwOutOctets);
    Stat.TotalOut += Stat.OutRate;
    if (Stat.OutRate > 0)
      ++Stat.OutSamples;
    Stat.LastOutOctets = Row.dwOutOctets;
    Stat.MaxIn = std::max(Stat.MaxIn, Stat.InRate);
    Stat.MaxOut = std::max(Stat.MaxOut, Stat.OutRate);
    const int r = static_cast<int>(i) + 1;
    sgmib.SetCell(3, r, std::to_string(Stat.InRate));
    sgmib.SetCell(4, r, std::to_string(Stat.MaxIn));
    sgmib.SetCell(5, r, AverageText(Stat.TotalIn, Stat.InSamples));
    sgmib.SetCell(6, r, std::to_string(Stat.OutRate));
    sgmib.SetCell(7, r, std::to_string(Stat.MaxOut));
    sgmib.SetCell(8, r, AverageText(Stat.TotalOut, Stat.OutSamples));
  }
}

std::string TNetMonitor::GetIPFromIFIndex(uint32_t IfIndex)
{
  TMibIPAddrArray Rows;
  FetchIPAddrTable(FIpHelper, Rows);
  for (const MIB_IPADDRROW& Row : Rows)
    if (Row.dwIndex == IfIndex)
      return IPAddrToText(Row.dwAddr);
  return "!not_found!";
}

bool TNetMonitor::TestInternetLink()
{
  const bool Connected = FConnectedState.InternetGetConnectedState();
  WanPresent = false;
  for (int Row = 1; Row < sgmib.RowCount(); ++Row)
    if (NamesWanAdapter(sgmib.Cell(0, Row)))
      WanPresent = true;
  return Connected;
}
