#include "TVersionInfo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the ELF reader decodes little-endian files in place");

namespace {

// Largest section the reader accepts, far above any version block or section-name table.
constexpr uint64_t MaxSectionSize = 1 << 20;
// Largest number of section headers the reader walks.
constexpr uint64_t MaxSections = 1 << 16;

// Copy Length bytes at Offset into Out; answer false when they are not all there.
using TReadAt = std::function<bool(uint64_t Offset, size_t Length, void* Out)>;

// Answer whether [Offset, Offset + Length) lies within [0, Size).
bool Fits(uint64_t Offset, uint64_t Length, uint64_t Size)
{
  return Offset <= Size && Length <= Size - Offset;
}

// Read the contents of section Header into Out, bounded by FileSize.
bool ReadSection(const TReadAt& ReadAt, uint64_t FileSize, const Elf64_Shdr& Header, std::vector<unsigned char>& Out)
{
  if (Header.sh_type == SHT_NOBITS || Header.sh_size > MaxSectionSize || !Fits(Header.sh_offset, Header.sh_size, FileSize))
    return false;
  Out.resize(Header.sh_size);
  return Out.empty() || ReadAt(Header.sh_offset, Out.size(), Out.data());
}

// Find the version section of the ELF file behind ReadAt and read it into Block.
bool ReadVersionSection(const TReadAt& ReadAt, uint64_t FileSize, std::vector<unsigned char>& Block)
{
  Elf64_Ehdr Ehdr;
  if (!ReadAt(0, sizeof Ehdr, &Ehdr))
    return false;
  if (std::memcmp(Ehdr.e_ident, ELFMAG, SELFMAG) != 0 || Ehdr.e_ident[EI_CLASS] != ELFCLASS64 ||
      Ehdr.e_ident[EI_DATA] != ELFDATA2LSB)
    return false;
  if (Ehdr.e_shoff == 0 || Ehdr.e_shentsize < sizeof(Elf64_Shdr))
    return false;

  auto ReadHeader = [&](uint64_t Index, Elf64_Shdr& Out) {
    const uint64_t Offset = Ehdr.e_shoff + Index * Ehdr.e_shentsize;
    return Offset >= Ehdr.e_shoff && Fits(Offset, sizeof Out, FileSize) && ReadAt(Offset, sizeof Out, &Out);
  };
  uint64_t Count = Ehdr.e_shnum;
  uint64_t NamesIndex = Ehdr.e_shstrndx;
  if (Count == 0 || NamesIndex == SHN_XINDEX) {
    // Large section counts live in the first section header.
    Elf64_Shdr First;
    if (!ReadHeader(0, First))
      return false;
    if (Count == 0)
      Count = First.sh_size;
    if (NamesIndex == SHN_XINDEX)
      NamesIndex = First.sh_link;
  }
  if (Count == 0 || Count > MaxSections || NamesIndex >= Count || !Fits(Ehdr.e_shoff, Count * Ehdr.e_shentsize, FileSize))
    return false;

  Elf64_Shdr NamesHeader;
  std::vector<unsigned char> Names;
  if (!ReadHeader(NamesIndex, NamesHeader) || !ReadSection(ReadAt, FileSize, NamesHeader, Names))
    return false;
  const size_t WantedLength = sizeof VersionSectionName; // with its NUL
  for (uint64_t I = 0; I < Count; ++I) {
    Elf64_Shdr Header;
    if (!ReadHeader(I, Header))
      return false;
    if (Header.sh_name >= Names.size() || Names.size() - Header.sh_name < WantedLength)
      continue;
    if (std::memcmp(Names.data() + Header.sh_name, VersionSectionName, WantedLength) == 0)
      return ReadSection(ReadAt, FileSize, Header, Block);
  }
  return false;
}

// A bounds-checked reader over a version block.
class TCursor {
public:
  TCursor(const unsigned char* Data, size_t Size) : FData(Data), FSize(Size) {}
  // Read a little-endian integer of Bytes bytes; answer false past the end.
  bool Read(uint32_t& Value, size_t Bytes)
  {
    if (FSize - FAt < Bytes)
      return false;
    Value = 0;
    for (size_t I = 0; I < Bytes; ++I)
      Value |= uint32_t(FData[FAt + I]) << (8 * I);
    FAt += Bytes;
    return true;
  }
  // Read a text with its 16-bit length; answer false past the end.
  bool ReadText(std::string_view& Text)
  {
    uint32_t Length = 0;
    if (!Read(Length, 2) || FSize - FAt < Length)
      return false;
    Text = std::string_view(reinterpret_cast<const char*>(FData + FAt), Length);
    FAt += Length;
    return true;
  }
  // Answer whether every byte has been read.
  bool AtEnd() const { return FAt == FSize; }
  // Step over Bytes bytes; answer false past the end.
  bool Skip(uint64_t Bytes)
  {
    if (FSize - FAt < Bytes)
      return false;
    FAt += Bytes;
    return true;
  }

private:
  const unsigned char* FData;
  size_t FSize;
  size_t FAt = 0;
};

} // namespace

const char* InfoName(TInfo Key)
{
  static const char* const Names[] = {"CompanyName",    "FileDescription",  "FileVersion", "InternalName",
                                      "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};
  const auto Index = static_cast<size_t>(Key);
  return Index < std::size(Names) ? Names[Index] : "";
}

bool QueryVersionBlock(const unsigned char* Block, size_t Size, TInfo Key, std::string& Value)
{
  if (Block == nullptr || Size < 8 || std::memcmp(Block, VersionBlockMagic, 4) != 0)
    return false;
  TCursor Cursor(Block, Size);
  uint32_t BlockSize = 0;
  if (!Cursor.Skip(4) || !Cursor.Read(BlockSize, 4) || BlockSize < 8 || BlockSize > Size)
    return false;
  Cursor = TCursor(Block, BlockSize);
  Cursor.Skip(8);

  // The first translation names the string table to search.
  uint32_t Translations = 0;
  if (!Cursor.Read(Translations, 4))
    return false;
  std::string Language;
  if (Translations > 0) {
    uint32_t First = 0;
    if (!Cursor.Read(First, 4))
      return false;
    char Text[9];
    std::snprintf(Text, sizeof Text, "%04X%04X", First & 0xFFFF, First >> 16);
    Language = Text;
    if (!Cursor.Skip(uint64_t(Translations - 1) * 4))
      return false;
  }

  // Walk the whole block, so that a malformed one answers nothing.
  const std::string_view Wanted = InfoName(Key);
  std::string_view Found;
  bool Matched = false;
  uint32_t Tables = 0;
  if (!Cursor.Read(Tables, 4))
    return false;
  for (uint32_t T = 0; T < Tables; ++T) {
    std::string_view Name;
    uint32_t Strings = 0;
    if (!Cursor.ReadText(Name) || !Cursor.Read(Strings, 4))
      return false;
    for (uint32_t S = 0; S < Strings; ++S) {
      std::string_view StringKey, StringValue;
      if (!Cursor.ReadText(StringKey) || !Cursor.ReadText(StringValue))
        return false;
      if (!Matched && Name == Language && StringKey == Wanted) {
        Found = StringValue;
        Matched = true;
      }
    }
  }
  if (!Cursor.AtEnd() || Found.empty())
    return false;
  Value.assign(Found);
  return true;
}

bool QueryVersionValue(const unsigned char* Image, size_t Size, TInfo Key, std::string& Value)
{
  if (Image == nullptr)
    return false;
  TReadAt ReadAt = [&](uint64_t Offset, size_t Length, void* Out) {
    if (!Fits(Offset, Length, Size))
      return false;
    std::memcpy(Out, Image + Offset, Length);
    return true;
  };
  std::vector<unsigned char> Block;
  return ReadVersionSection(ReadAt, Size, Block) && QueryVersionBlock(Block.data(), Block.size(), Key, Value);
}

bool QueryVersionValue(const std::string& ExePath, TInfo Key, std::string& Value)
{
  const int Fd = ::open(ExePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0)
    return false;
  struct stat Info;
  bool Found = false;
  if (::fstat(Fd, &Info) == 0 && S_ISREG(Info.st_mode)) {
    const uint64_t FileSize = static_cast<uint64_t>(Info.st_size);
    TReadAt ReadAt = [&](uint64_t Offset, size_t Length, void* Out) {
      if (!Fits(Offset, Length, FileSize))
        return false;
      auto* Bytes = static_cast<unsigned char*>(Out);
      while (Length > 0) {
        const ssize_t Got = ::pread(Fd, Bytes, Length, static_cast<off_t>(Offset));
        if (Got < 0 && errno == EINTR)
          continue;
        if (Got <= 0)
          return false;
        Bytes += Got;
        Offset += static_cast<uint64_t>(Got);
        Length -= static_cast<size_t>(Got);
      }
      return true;
    };
    std::vector<unsigned char> Block;
    Found = ReadVersionSection(ReadAt, FileSize, Block) && QueryVersionBlock(Block.data(), Block.size(), Key, Value);
  }
  ::close(Fd);
  return Found;
}
