#include <cstring>
#include <elf.h>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "TVersionInfo.h"

namespace {

const TInfo AllKeys[] = {CompanyName,      FileDescription, FileVersion,   InternalName, LegalCopyright,
                         OriginalFilename, ProductName,     ProductVersion};

constexpr uint32_t French1252 = 0x040C | 0x04E4u << 16;

template <size_t N>
std::vector<unsigned char> Block(std::span<const uint32_t> Translations, std::string_view Table,
                                 std::span<const TVersionString> Strings)
{
  const std::array<unsigned char, N> Bytes = BuildVersionBlock<N>(Translations, Table, Strings);
  return {Bytes.begin(), Bytes.end()};
}

// Build a version block from runtime arguments, writing the layout by hand
// (the builder wants its size at compile time).
std::vector<unsigned char> MakeBlock(std::vector<uint32_t> Translations, std::string_view Table,
                                     std::vector<TVersionString> Strings)
{
  std::vector<unsigned char> Out(VersionBlockSize(Translations, Table, Strings));
  size_t At = 0;
  auto Put = [&](uint64_t Value, int Bytes) {
    for (int I = 0; I < Bytes; ++I)
      Out[At++] = static_cast<unsigned char>(Value >> (8 * I));
  };
  auto PutText = [&](std::string_view Text) {
    Put(Text.size(), 2);
    for (char C : Text)
      Out[At++] = static_cast<unsigned char>(C);
  };
  for (char C : VersionBlockMagic)
    Out[At++] = static_cast<unsigned char>(C);
  Put(Out.size(), 4);
  Put(Translations.size(), 4);
  for (uint32_t T : Translations)
    Put(T, 4);
  Put(1, 4);
  PutText(Table);
  Put(Strings.size(), 4);
  for (const TVersionString& S : Strings) {
    PutText(S.Key);
    PutText(S.Value);
  }
  return Out;
}

// Lay out a minimal 64-bit ELF file: header, section contents, section names,
// then three section headers (null, Name holding Contents, the names).
std::vector<unsigned char> MakeElf(const std::vector<unsigned char>& Contents, const std::string& Name = VersionSectionName)
{
  const std::string Names = std::string("\0", 1) + Name + std::string("\0.shstrtab\0", 11);
  const size_t ContentsAt = sizeof(Elf64_Ehdr);
  const size_t NamesAt = ContentsAt + Contents.size();
  const size_t HeadersAt = (NamesAt + Names.size() + 7) & ~size_t(7);
  std::vector<unsigned char> Image(HeadersAt + 3 * sizeof(Elf64_Shdr));

  Elf64_Ehdr Ehdr{};
  std::memcpy(Ehdr.e_ident, ELFMAG, SELFMAG);
  Ehdr.e_ident[EI_CLASS] = ELFCLASS64;
  Ehdr.e_ident[EI_DATA] = ELFDATA2LSB;
  Ehdr.e_ident[EI_VERSION] = EV_CURRENT;
  Ehdr.e_type = ET_EXEC;
  Ehdr.e_machine = EM_X86_64;
  Ehdr.e_version = EV_CURRENT;
  Ehdr.e_ehsize = sizeof(Elf64_Ehdr);
  Ehdr.e_shoff = HeadersAt;
  Ehdr.e_shentsize = sizeof(Elf64_Shdr);
  Ehdr.e_shnum = 3;
  Ehdr.e_shstrndx = 2;
  std::memcpy(Image.data(), &Ehdr, sizeof Ehdr);
  std::memcpy(Image.data() + ContentsAt, Contents.data(), Contents.size());
  std::memcpy(Image.data() + NamesAt, Names.data(), Names.size());

  Elf64_Shdr Headers[3]{};
  Headers[1].sh_name = 1;
  Headers[1].sh_type = SHT_PROGBITS;
  Headers[1].sh_flags = SHF_ALLOC;
  Headers[1].sh_offset = ContentsAt;
  Headers[1].sh_size = Contents.size();
  Headers[2].sh_name = static_cast<uint32_t>(1 + Name.size() + 1);
  Headers[2].sh_type = SHT_STRTAB;
  Headers[2].sh_offset = NamesAt;
  Headers[2].sh_size = Names.size();
  std::memcpy(Image.data() + HeadersAt, Headers, sizeof Headers);
  return Image;
}

const std::vector<TVersionString> SomeStrings = {{"ProductName", "Tavrelo"}, {"FileVersion", "4.0.0.3"}, {"LegalCopyright", ""}};

// Offsets within MakeElf(MakeBlock({French1252}, "040C04E4", SomeStrings)).
constexpr size_t BlockAt = sizeof(Elf64_Ehdr);

bool Query(const std::vector<unsigned char>& Image, TInfo Key, std::string& Value)
{
  return QueryVersionValue(Image.data(), Image.size(), Key, Value);
}

void WriteFile(const std::string& Path, const std::vector<unsigned char>& Bytes)
{
  std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
  Out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
}

} // namespace

TEST(QueryVersionValue, ReadsEveryKeyFromAProgramCarryingTheSection)
{
#ifndef TAVRELO_VERSION_PROBE
  GTEST_SKIP() << "built without the desktop targets, so there is no program carrying the version section";
#else
  const struct {
    TInfo Key;
    const char* Value;
  } Cases[] = {
      {CompanyName, "l'équipe Tavrelo"},
      {FileDescription, "Décompte du temps de connexion à Internet"},
      {FileVersion, "4.0.0.3"},
      {InternalName, "tavrelo"},
      {LegalCopyright, "l'équipe Tavrelo, 2003-2026"},
      {OriginalFilename, "tavrelo"},
      {ProductName, "Tavrelo"},
      {ProductVersion, "4.0.0.3"},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(InfoName(Case.Key));
    std::string Value = "before";
    EXPECT_TRUE(QueryVersionValue(TAVRELO_VERSION_PROBE, Case.Key, Value));
    EXPECT_EQ(Value, Case.Value);
  }
#endif
}

TEST(QueryVersionValue, FilesWithoutTheSectionAnswerFalseAndKeepTheValue)
{
  const std::string Text = testing::TempDir() + "version_text.txt";
  WriteFile(Text, {'h', 'e', 'l', 'l', 'o'});
  const std::string Paths[] = {"/proc/self/exe", "/bin/true", "/nonexistent/tavrelo", "/tmp", Text, ""};
  for (const std::string& Path : Paths)
    for (TInfo Key : AllKeys) {
      SCOPED_TRACE(Path + " " + InfoName(Key));
      std::string Value = "kept";
      EXPECT_FALSE(QueryVersionValue(Path, Key, Value));
      EXPECT_EQ(Value, "kept");
    }
  ::unlink(Text.c_str());
}

TEST(QueryVersionValue, LooksTheKeyUpInTheTableOfTheFirstTranslation)
{
  const struct {
    const char* What;
    std::vector<uint32_t> Translations;
    const char* Table;
    TInfo Key;
    bool Found;
    const char* Value;
  } Cases[] = {
      {"found", {French1252}, "040C04E4", ProductName, true, "Tavrelo"},
      {"second key", {French1252}, "040C04E4", FileVersion, true, "4.0.0.3"},
      {"later translations ignored", {French1252, 0x04B00409}, "040C04E4", ProductName, true, "Tavrelo"},
      {"table of another translation", {0x04B00409}, "040C04E4", ProductName, false, ""},
      {"first translation elsewhere", {0x04B00409, French1252}, "040C04E4", ProductName, false, ""},
      {"no translation", {}, "040C04E4", ProductName, false, ""},
      {"lower-case table name", {French1252}, "040c04e4", ProductName, false, ""},
      {"empty value", {French1252}, "040C04E4", LegalCopyright, false, ""},
      {"key absent", {French1252}, "040C04E4", CompanyName, false, ""},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.What);
    const std::vector<unsigned char> Image = MakeElf(MakeBlock(Case.Translations, Case.Table, SomeStrings));
    std::string Value = "kept";
    EXPECT_EQ(Query(Image, Case.Key, Value), Case.Found);
    EXPECT_EQ(Value, Case.Found ? Case.Value : "kept");
  }
  std::string Value = "kept";
  EXPECT_FALSE(Query(MakeElf(MakeBlock({French1252}, "040C04E4", SomeStrings), ".data"), ProductName, Value));
  EXPECT_EQ(Value, "kept");
}

TEST(QueryVersionValue, BuilderMatchesTheReader)
{
  static constexpr uint32_t Translations[] = {French1252};
  static constexpr TVersionString Strings[] = {{"InternalName", "x"}, {"ProductName", "Tavrelo"}};
  constexpr size_t Size = VersionBlockSize(Translations, "040C04E4", Strings);
  const std::vector<unsigned char> Built = Block<Size>(Translations, "040C04E4", Strings);
  EXPECT_EQ(Built, MakeBlock({French1252}, "040C04E4", {Strings[0], Strings[1]}));
  std::string Value;
  EXPECT_TRUE(QueryVersionBlock(Built.data(), Built.size(), ProductName, Value));
  EXPECT_EQ(Value, "Tavrelo");
  EXPECT_THROW((BuildVersionBlock<Size + 1>(Translations, "040C04E4", Strings)), std::length_error);
}

TEST(QueryVersionValue, CorruptOrTruncatedFilesAnswerFalseWithoutReadingPastThem)
{
  const std::vector<unsigned char> Good = MakeElf(MakeBlock({French1252}, "040C04E4", SomeStrings));
  std::string Value;
  ASSERT_TRUE(Query(Good, ProductName, Value));

  Elf64_Ehdr Ehdr;
  std::memcpy(&Ehdr, Good.data(), sizeof Ehdr);
  const size_t Sh1 = Ehdr.e_shoff + sizeof(Elf64_Shdr);
  const size_t Sh2 = Ehdr.e_shoff + 2 * sizeof(Elf64_Shdr);
  const size_t Table = BlockAt + 4 + 4 + 4 + 4 + 4; // the table's name length
  const struct {
    const char* What;
    size_t At;
    int Width;
    uint64_t Value;
  } Cases[] = {
      {"bad magic", 0, 1, 0x7E},
      {"32-bit class", EI_CLASS, 1, ELFCLASS32},
      {"big-endian data", EI_DATA, 1, ELFDATA2MSB},
      {"no section headers", offsetof(Elf64_Ehdr, e_shoff), 8, 0},
      {"section headers past the end", offsetof(Elf64_Ehdr, e_shoff), 8, 1u << 30},
      {"section headers overflowing", offsetof(Elf64_Ehdr, e_shoff), 8, UINT64_MAX - 8},
      {"short section headers", offsetof(Elf64_Ehdr, e_shentsize), 2, 16},
      {"huge section headers", offsetof(Elf64_Ehdr, e_shentsize), 2, 0xFFFF},
      {"too many sections", offsetof(Elf64_Ehdr, e_shnum), 2, 0xFEFF},
      {"no sections, none in the first header", offsetof(Elf64_Ehdr, e_shnum), 2, 0},
      {"name table index out of range", offsetof(Elf64_Ehdr, e_shstrndx), 2, 3},
      {"extended name table index of 0", offsetof(Elf64_Ehdr, e_shstrndx), 2, SHN_XINDEX},
      {"name past the name table", Sh1 + offsetof(Elf64_Shdr, sh_name), 4, 0xFFFFFFF0},
      {"name at the table's last byte", Sh1 + offsetof(Elf64_Shdr, sh_name), 4, 27},
      {"name table past the end", Sh2 + offsetof(Elf64_Shdr, sh_offset), 8, 1u << 30},
      {"name table overflowing", Sh2 + offsetof(Elf64_Shdr, sh_size), 8, UINT64_MAX},
      {"contents past the end", Sh1 + offsetof(Elf64_Shdr, sh_offset), 8, 1u << 20},
      {"contents overflowing", Sh1 + offsetof(Elf64_Shdr, sh_size), 8, UINT64_MAX - 0x30},
      {"contents longer than the file", Sh1 + offsetof(Elf64_Shdr, sh_size), 8, 4096},
      {"contents not in the file", Sh1 + offsetof(Elf64_Shdr, sh_type), 4, SHT_NOBITS},
      {"block magic", BlockAt, 1, 'X'},
      {"block longer than its section", BlockAt + 4, 4, 4096},
      {"block shorter than its header", BlockAt + 4, 4, 4},
      {"block cut before its table", BlockAt + 4, 4, 20},
      {"huge translation count", BlockAt + 8, 4, 0x40000000},
      {"huge table count", BlockAt + 16, 4, 0xFFFFFFFF},
      {"table name past the block", Table, 2, 0xFFFF},
      {"huge string count", Table + 2 + 8, 4, 0xFFFFFFFF},
      {"key past the block", Table + 2 + 8 + 4, 2, 0xFFFF},
  };
  for (const auto& Case : Cases) {
    SCOPED_TRACE(Case.What);
    std::vector<unsigned char> Bad = Good;
    for (int I = 0; I < Case.Width; ++I)
      Bad.at(Case.At + I) = static_cast<unsigned char>(Case.Value >> (8 * I));
    std::string Kept = "kept";
    EXPECT_FALSE(Query(Bad, ProductName, Kept));
    EXPECT_EQ(Kept, "kept");
  }

  // Every truncation of the image, in memory and as a file.
  const std::string Path = testing::TempDir() + "version_cut.elf";
  for (size_t Size = 0; Size < Good.size(); ++Size) {
    const std::vector<unsigned char> Cut(Good.begin(), Good.begin() + Size);
    std::string Kept = "kept";
    EXPECT_FALSE(QueryVersionValue(Cut.data(), Cut.size(), ProductName, Kept)) << Size;
    WriteFile(Path, Cut);
    EXPECT_FALSE(QueryVersionValue(Path, ProductName, Kept)) << Size;
    EXPECT_EQ(Kept, "kept");
  }
  WriteFile(Path, Good);
  EXPECT_TRUE(QueryVersionValue(Path, FileVersion, Value));
  EXPECT_EQ(Value, "4.0.0.3");
  ::unlink(Path.c_str());
}
