#include "TLinuxConnectedState.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "KernelFile.h"

namespace {

// Route flags shared by both files.
constexpr uint32_t RouteUp = 0x0001;
constexpr uint32_t RouteReject = 0x0200;

// Split one line into its blank-separated fields.
std::vector<std::string_view> SplitFields(std::string_view Line)
{
  std::vector<std::string_view> Fields;
  size_t At = 0;
  while (At < Line.size()) {
    while (At < Line.size() && (Line[At] == ' ' || Line[At] == '\t'))
      ++At;
    const size_t Start = At;
    while (At < Line.size() && Line[At] != ' ' && Line[At] != '\t')
      ++At;
    if (At > Start)
      Fields.push_back(Line.substr(Start, At - Start));
  }
  return Fields;
}

// Read a field of hexadecimal digits; false when it holds anything else or
// more than 32 bits.
bool ParseHex32(std::string_view Field, uint32_t& Value)
{
  if (Field.empty() || Field.size() > 8)
    return false;
  Value = 0;
  for (const char c : Field) {
    uint32_t Digit;
    if (c >= '0' && c <= '9')
      Digit = uint32_t(c - '0');
    else if (c >= 'a' && c <= 'f')
      Digit = uint32_t(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      Digit = uint32_t(c - 'A' + 10);
    else
      return false;
    Value = Value << 4 | Digit;
  }
  return true;
}

// Answer whether Flags marks a route that carries traffic.
bool IsUsable(uint32_t Flags)
{
  return (Flags & RouteUp) != 0 && (Flags & RouteReject) == 0;
}

// Call Visit on the fields of every line of Text from line First on, until it answers true.
template <typename TVisit>
bool AnyLine(std::string_view Text, size_t First, TVisit Visit)
{
  size_t Line = 0;
  size_t At = 0;
  while (At < Text.size()) {
    size_t End = Text.find('\n', At);
    if (End == std::string_view::npos)
      End = Text.size();
    if (Line++ >= First && Visit(SplitFields(Text.substr(At, End - At))))
      return true;
    At = End + 1;
  }
  return false;
}

} // namespace

bool HasIpv4DefaultRoute(std::string_view Text)
{
  // Iface Destination Gateway Flags RefCnt Use Metric Mask MTU Window IRTT,
  // after one header line.
  return AnyLine(Text, 1, [](const std::vector<std::string_view>& Fields) {
    uint32_t Destination, Flags, Mask;
    return Fields.size() >= 8 && ParseHex32(Fields[1], Destination) && ParseHex32(Fields[3], Flags) &&
           ParseHex32(Fields[7], Mask) && Destination == 0 && Mask == 0 && IsUsable(Flags);
  });
}

bool HasIpv6DefaultRoute(std::string_view Text)
{
  // Destination, its prefix length, source, its prefix length, next hop,
  // metric, references, use, flags, device; no header.
  return AnyLine(Text, 0, [](const std::vector<std::string_view>& Fields) {
    uint32_t PrefixLen, Flags;
    return Fields.size() >= 9 && Fields[0].size() == 32 && Fields[0].find_first_not_of('0') == std::string_view::npos &&
           ParseHex32(Fields[1], PrefixLen) && PrefixLen == 0 && ParseHex32(Fields[8], Flags) && IsUsable(Flags);
  });
}

TLinuxConnectedState::TLinuxConnectedState(std::string RoutePath, std::string Ipv6RoutePath)
    : FRoutePath(std::move(RoutePath)), FIpv6RoutePath(std::move(Ipv6RoutePath))
{
}

bool TLinuxConnectedState::InternetGetConnectedState()
{
  if (ReadKernelFile(FRoutePath, FText) && HasIpv4DefaultRoute(FText))
    return true;
  return ReadKernelFile(FIpv6RoutePath, FText) && HasIpv6DefaultRoute(FText);
}
