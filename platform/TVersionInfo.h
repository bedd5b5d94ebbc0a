#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

// The keys of the program's version information, looked up by their names.
enum TInfo { CompanyName, FileDescription, FileVersion, InternalName, LegalCopyright, OriginalFilename, ProductName, ProductVersion };

// Name of the ELF section that carries the version information.
inline constexpr char VersionSectionName[] = ".tavrelo.version";

// Return the key text of Key, e.g. "ProductName".
const char* InfoName(TInfo Key);

// Look Key up in the version information of the executable file at ExePath.
// On success store the value (UTF-8) in Value and answer true; on any failure
// (no such file, not an ELF file, no section, no translation, no table, no key,
// an empty value, a malformed block) leave Value as it was and answer false.
bool QueryVersionValue(const std::string& ExePath, TInfo Key, std::string& Value);

// Same lookup in an ELF image held in memory; never reads outside Image[0, Size).
bool QueryVersionValue(const unsigned char* Image, size_t Size, TInfo Key, std::string& Value);

// Look Key up in a version block itself (the section's contents).
bool QueryVersionBlock(const unsigned char* Block, size_t Size, TInfo Key, std::string& Value);

// One entry of a version string table.
struct TVersionString {
  std::string_view Key;
  std::string_view Value;
};

// Version block layout, all integers little-endian:
//   "TVI1", u32 block size,
//   u32 translation count, that many u32 (language | code page << 16),
//   u32 table count, then per table: u16 name length, name,
//     u32 string count, then per string: u16 key length, key, u16 value length, value.
inline constexpr char VersionBlockMagic[4] = {'T', 'V', 'I', '1'};

// Return the size of the block that BuildVersionBlock makes from the same arguments.
constexpr size_t VersionBlockSize(std::span<const uint32_t> Translations, std::string_view TableName,
                                  std::span<const TVersionString> Strings)
{
  size_t Size = 4 + 4 + 4 + 4 * Translations.size() + 4 + 2 + TableName.size() + 4;
  for (const TVersionString& S : Strings)
    Size += 2 + S.Key.size() + 2 + S.Value.size();
  return Size;
}

// Build a version block with the given translations and one string table named TableName.
template <size_t N>
constexpr std::array<unsigned char, N> BuildVersionBlock(std::span<const uint32_t> Translations,
                                                         std::string_view TableName,
                                                         std::span<const TVersionString> Strings)
{
  if (N != VersionBlockSize(Translations, TableName, Strings))
    throw std::length_error("version block size mismatch");
  std::array<unsigned char, N> Block{};
  size_t At = 0;
  auto Put = [&](uint64_t Value, int Bytes) {
    for (int I = 0; I < Bytes; ++I)
      Block[At++] = static_cast<unsigned char>(Value >> (8 * I));
  };
  auto PutText = [&](std::string_view Text) {
    Put(Text.size(), 2);
    for (char C : Text)
      Block[At++] = static_cast<unsigned char>(C);
  };
  for (char C : VersionBlockMagic)
    Block[At++] = static_cast<unsigned char>(C);
  Put(N, 4);
  Put(Translations.size(), 4);
  for (uint32_t T : Translations)
    Put(T, 4);
  Put(1, 4);
  PutText(TableName);
  Put(Strings.size(), 4);
  for (const TVersionString& S : Strings) {
    PutText(S.Key);
    PutText(S.Value);
  }
  return Block;
}
