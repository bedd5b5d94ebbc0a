// The program's version information, kept in an ELF section of its own so
// that the about box can read it back from the executable file.
#include "TVersionInfo.h"

namespace {

// French, code page 1252.
constexpr uint32_t Translations[] = {0x040C | 0x04E4u << 16};
constexpr char TableName[] = "040C04E4";
constexpr TVersionString Strings[] = {
    {"CompanyName", "l'équipe Tavrelo"},
    {"FileDescription", "Décompte du temps de connexion à Internet"},
    {"FileVersion", "4.0.0.3"},
    {"InternalName", "tavrelo"},
    {"LegalCopyright", "l'équipe Tavrelo, 2003-2026"},
    {"OriginalFilename", "tavrelo"},
    {"ProductName", "Tavrelo"},
    {"ProductVersion", "4.0.0.3"},
};
constexpr size_t BlockSize = VersionBlockSize(Translations, TableName, Strings);

} // namespace

// The version block itself; "used" keeps it in the executable though nothing refers to it.
extern const std::array<unsigned char, BlockSize> TavreloVersionBlock;
[[gnu::section(".tavrelo.version"), gnu::used]] const std::array<unsigned char, BlockSize> TavreloVersionBlock =
    BuildVersionBlock<BlockSize>(Translations, TableName, Strings);
