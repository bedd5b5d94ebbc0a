#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "IPHelper.h"
#include "TStringGrid.h"

// Statistics of one interface since the last rebuild.
struct TStatRec {
  uint32_t InSamples = 0;
  uint32_t OutSamples = 0;
  uint32_t LastInOctets = 0;
  uint32_t LastOutOctets = 0;
  uint64_t TotalIn = 0; // 64-bit, so the average stays right past 4 GiB
  uint64_t TotalOut = 0;
  uint32_t InRate = 0;
  uint32_t OutRate = 0;
  uint32_t MaxIn = 0;
  uint32_t MaxOut = 0;
};

// Statistics of every interface, entry i for grid row i + 1.
using TStatArr = std::vector<TStatRec>;

// Number of columns of the connection-state grid.
inline constexpr int GridColumns = 9;
// Placeholder of an average with no sample.
inline constexpr const char* NoAverage = "  --  ";

// Write the nine header cells of row 0 of the connection-state grid.
void WriteGridHeaders(TStringGrid& Grid);
// Answer whether an adapter text names a WAN adapter ("Wan", "WAN" or "wan").
bool NamesWanAdapter(const std::string& Text);
// Answer the rate from one counter reading to the next: 0 when the counter
// went back (wrapped or reset), capped at 2147483647.
uint32_t RateBetween(uint32_t Last, uint32_t Now);

// The per-interface statistics held in the connection-state grid, and the
// link test that reads it.
class TNetMonitor {
public:
  // Build over the table and connected-state services; the grid starts with 5 rows.
  TNetMonitor(TIpHelperService& IpHelper, TConnectedStateQuery& ConnectedState);

  // Take an interface snapshot and rebuild the grid from it, or update the statistics.
  void CaptureMIBData(bool Rebuild);
  // Rebuild the grid's rows and the statistics from Rows; an empty snapshot changes nothing.
  void InitGrid(const TMIBIfArray& Rows);
  // Update the statistics and columns 3 to 8 from Rows, pairing rows by position.
  // Rows past the statistics of the last rebuild are skipped until the next rebuild.
  void Data2Grid(const TMIBIfArray& Rows);
  // Answer the address text of the interface with index IfIndex, or "!not_found!".
  std::string GetIPFromIFIndex(uint32_t IfIndex);
  // Ask the connected-state query and set WanPresent from the grid's adapter texts.
  bool TestInternetLink();

  TStringGrid sgmib{GridColumns, 5};
  TStatArr IfStats;
  bool WanPresent = false;

private:
  TIpHelperService& FIpHelper;
  TConnectedStateQuery& FConnectedState;
};
