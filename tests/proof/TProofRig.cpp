#include "TProofRig.h"

#include <fstream>
#include <iterator>
#include <regex>

TProofRig::TProofRig()
{
  IpHelper.IfRows = {MakeIfRow(1, "Loopback lo"), MakeIfRow(2, "Ethernet wan0", {2, 0, 0, 0, 0, 1})};
  IpHelper.AddrRows = {MakeAddrRow("127.0.0.1", 1), MakeAddrRow("192.0.2.2", 2)};
  WriteGridHeaders(Monitor.sgmib);
  Accounting.PrepareState();
  Monitor.CaptureMIBData(true);
  Accounting.FormClick();
}

void TProofRig::Tick(bool LinkUp)
{
  Connected.Connected = LinkUp;
  IpHelper.IfRows[1].dwInOctets += LinkUp ? 1500 : 0;
  Accounting.Timer1Timer();
}

std::string ReadCounterBytes()
{
  std::ifstream In("decompte_internet.log", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

bool IsWholeCounterFile(const std::string& Bytes)
{
  static const std::regex Whole("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\r\n\\d+\r\n\\d+\r\n");
  return std::regex_match(Bytes, Whole);
}
