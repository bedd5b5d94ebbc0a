#include "TProofRig.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <unistd.h>

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

TScratchDirectory::TScratchDirectory(const std::string& Name, bool Enter)
    : FPath(std::filesystem::temp_directory_path() / ("tavrelo-" + Name + "-" + std::to_string(::getpid())))
{
  std::filesystem::remove_all(FPath);
  std::filesystem::create_directories(FPath);
  if (Enter) {
    FOld = std::filesystem::current_path();
    std::filesystem::current_path(FPath);
  }
}

TScratchDirectory::~TScratchDirectory()
{
  std::error_code Ignored;
  if (!FOld.empty())
    std::filesystem::current_path(FOld, Ignored);
  std::filesystem::remove_all(FPath, Ignored);
}

std::string ReadCounterBytes(const std::filesystem::path& Dir)
{
  std::ifstream In(Dir / "decompte_internet.log", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

int32_t CounterTotal(const std::string& Bytes)
{
  const size_t First = Bytes.find("\r\n");
  return std::stoi(Bytes.substr(First + 2, Bytes.find("\r\n", First + 2) - First - 2));
}

bool IsWholeCounterFile(const std::string& Bytes)
{
  static const std::regex Whole("\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\r\n\\d+\r\n\\d+\r\n");
  return std::regex_match(Bytes, Whole);
}
