#include "Cp1252.h"

#include <cstdint>

namespace {

// Code points of bytes 0x80 to 0x9F; 0 marks a byte with no character.
constexpr char32_t HighTable[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& Out, char32_t c)
{
  if (c < 0x80) {
    Out += static_cast<char>(c);
  } else if (c < 0x800) {
    Out += static_cast<char>(0xC0 | (c >> 6));
    Out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    Out += static_cast<char>(0xE0 | (c >> 12));
    Out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decode one UTF-8 sequence at Text[i]; answer U+FFFD for a malformed one.
char32_t DecodeUtf8(const std::string& Text, size_t& i)
{
  const auto Byte = [&](size_t k) { return static_cast<unsigned char>(Text[k]); };
  const unsigned char Lead = Byte(i);
  size_t Length = Lead < 0x80 ? 1 : (Lead >> 5) == 6 ? 2 : (Lead >> 4) == 14 ? 3 : (Lead >> 3) == 30 ? 4 : 0;
  if (Length == 0 || i + Length > Text.size()) {
    ++i;
    return 0xFFFD;
  }
  char32_t c = Length == 1 ? Lead : Lead & (0x7F >> Length);
  for (size_t k = 1; k < Length; ++k) {
    if ((Byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    c = (c << 6) | (Byte(i + k) & 0x3F);
  }
  i += Length;
  return c;
}

} // namespace

std::string Cp1252ToUtf8(const std::string& Bytes)
{
  std::string Out;
  Out.reserve(Bytes.size());
  for (const char Ch : Bytes) {
    const auto b = static_cast<unsigned char>(Ch);
    if (b >= 0x80 && b < 0xA0) {
      const char32_t c = HighTable[b - 0x80];
      AppendUtf8(Out, c ? c : 0xFFFD);
    } else {
      AppendUtf8(Out, b);
    }
  }
  return Out;
}

std::string Utf8ToCp1252(const std::string& Text)
{
  std::string Out;
  Out.reserve(Text.size());
  for (size_t i = 0; i < Text.size();) {
    const char32_t c = DecodeUtf8(Text, i);
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      Out += static_cast<char>(c);
      continue;
    }
    char Mapped = '?';
    for (int k = 0; k < 32; ++k)
      if (HighTable[k] == c && c != 0)
        Mapped = static_cast<char>(0x80 + k);
    Out += Mapped;
  }
  return Out;
}
