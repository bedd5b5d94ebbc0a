#pragma once
#include <cstddef>
#include <string_view>

// One file embedded in the program.
struct TResource {
  std::string_view Name;
  const unsigned char* Data;
  size_t Size;
};

// Names of the embedded files.
inline constexpr std::string_view SkinResource = "skin.bmp";            // 265 x 91, 24-bit BMP
inline constexpr std::string_view RegionResource = "region.bin";        // 800-byte region block with its length
inline constexpr std::string_view IconResource32 = "tavrelo-32.png";    // application icon 32 x 32
inline constexpr std::string_view IconResource16 = "tavrelo-16.png";    // application icon 16 x 16
inline constexpr std::string_view FrameResource0 = "frame0.png";        // connected animation, 16 x 16
inline constexpr std::string_view FrameResource1 = "frame1.png";
inline constexpr std::string_view FrameResource2 = "frame2.png";
inline constexpr std::string_view HelpResource = "help.txt";            // 27 lines, each ended by CR LF, UTF-8
inline constexpr std::string_view AboutResource = "about.txt";          // 11 lines, CR LF between, UTF-8

// Return the embedded file Name, or nullptr when there is none.
const TResource* FindResource(std::string_view Name);
