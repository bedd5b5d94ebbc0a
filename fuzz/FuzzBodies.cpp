#include "FuzzBodies.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "Convert.h"
#include "TError.h"
#include "TNetMonitor.h"
#include "TRegion.h"
#include "TTextFile.h"

namespace {

void Check(bool Condition, const char* What)
{
  if (!Condition) {
    std::fprintf(stderr, "fuzz check failed: %s\n", What);
    std::abort();
  }
}

std::string ScratchPath()
{
  static const std::string Path = "/tmp/tavrelo-fuzz-" + std::to_string(::getpid()) + ".txt";
  return Path;
}

// Table service that answers both tables from the same fuzz bytes: the first
// half as the interface table, the second as the address table.
class TBytesIpHelper : public TIpHelperService {
public:
  TBytesIpHelper(const uint8_t* Data, size_t Size)
  {
    const size_t Half = Size / 2;
    FIf.assign(Data, Data + Half);
    FAddr.assign(Data + Half, Data + Size);
  }
  uint32_t GetIfTable(MIB_IFTABLE* Table, uint32_t* Size, bool) override { return Answer(FIf, Table, Size); }
  uint32_t GetIpAddrTable(MIB_IPADDRTABLE* Table, uint32_t* Size, bool) override
  {
    return Answer(FAddr, Table, Size);
  }
  // Advance every interface counter so updates see traffic and wraps.
  void Age(uint32_t Step)
  {
    for (size_t Offset = 4 + offsetof(MIB_IFROW, dwInOctets); Offset + 4 <= FIf.size(); Offset += sizeof(MIB_IFROW)) {
      uint32_t Value;
      std::memcpy(&Value, &FIf[Offset], 4);
      Value += Step;
      std::memcpy(&FIf[Offset], &Value, 4);
    }
  }

private:
  static uint32_t Answer(const std::vector<uint8_t>& Bytes, void* Table, uint32_t* Size)
  {
    if (Table == nullptr || *Size < Bytes.size()) {
      *Size = static_cast<uint32_t>(Bytes.size());
      return ERROR_INSUFFICIENT_BUFFER;
    }
    std::memcpy(Table, Bytes.data(), Bytes.size());
    return NO_ERROR;
  }
  std::vector<uint8_t> FIf;
  std::vector<uint8_t> FAddr;
};

class TFixedConnectedState : public TConnectedStateQuery {
public:
  bool InternetGetConnectedState() override { return true; }
};

} // namespace

void FuzzCounterFile(const uint8_t* Data, size_t Size)
{
  const std::string Path = ScratchPath();
  FILE* File = std::fopen(Path.c_str(), "wb");
  Check(File != nullptr, "scratch file");
  if (Size > 0)
    std::fwrite(Data, 1, Size, File);
  std::fclose(File);

  const std::vector<std::string> Lines = ReadTextLines(Path, 3);
  Check(Lines.size() == 3, "three lines");
  for (const std::string& Line : Lines) {
    Check(Line.size() <= 3 * MaxLineBytes, "bounded line");
    int32_t Value = 0;
    const bool Converts = TryStrToInt(Line, Value);
    try {
      Check(StrToInt(Line) == Value && Converts, "conversions agree");
    } catch (const TConvertError& Error) {
      Check(!Converts, "conversions agree on failure");
      if (Line.find('\0') == std::string::npos)
        Check(std::string(Error.what()).find(Line) != std::string::npos, "text in the message");
    }
  }
  // The start month is read from the two characters after the first slash.
  const std::string& Start = Lines[0];
  const size_t Slash = Start.find('/');
  int32_t Month = 0;
  TryStrToInt(Start.substr(Slash == std::string::npos ? 0 : Slash + 1, 2), Month);
  const std::vector<std::string> ResetDay = ReadTextLines(Path, 1);
  Check(ResetDay.size() == 1 && ResetDay[0] == Lines[0], "reset-day line");
  ::unlink(Path.c_str());
}

void FuzzRegionBlock(const uint8_t* Data, size_t Size)
{
  try {
    const std::vector<TRect> Rects = DecodeRegionBlock(Data, Size);
    for (const TRect& Rect : Rects)
      Check(Rect.Left <= Rect.Right && Rect.Top <= Rect.Bottom, "well-formed rectangle");
  } catch (const TError&) {
  }
}

void FuzzGridUpdate(const uint8_t* Data, size_t Size)
{
  TBytesIpHelper Service(Data, Size);
  TFixedConnectedState Connected;
  TNetMonitor Monitor(Service, Connected);
  WriteGridHeaders(Monitor.sgmib);
  for (int Round = 0; Round < 3; ++Round) {
    Monitor.CaptureMIBData(true);
    for (uint32_t Step : {1000u, 0u, 0xF0000000u}) {
      Service.Age(Step);
      Monitor.CaptureMIBData(false);
    }
    Monitor.TestInternetLink();
    Check(Monitor.sgmib.RowCount() >= 2, "grid keeps its header");
    Check(Monitor.IfStats.size() + 2 == size_t(Monitor.sgmib.RowCount()) || Monitor.IfStats.empty(),
          "statistics match the grid");
    for (int Row = 1; Row < Monitor.sgmib.RowCount(); ++Row)
      for (int Col : {3, 6}) {
        const std::string& Cell = Monitor.sgmib.Cell(Col, Row);
        int32_t Value = 0;
        Check(Cell.empty() || (TryStrToInt(Cell, Value) && Value >= 0), "rate column converts");
      }
    Check(Monitor.sgmib.Cell(0, Monitor.sgmib.RowCount() - 1).empty(), "bottom row empty");
  }
}
