#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// One rectangle of a window region; Right and Bottom are exclusive.
struct TRect {
  int32_t Left;
  int32_t Top;
  int32_t Right;
  int32_t Bottom;
  // Compare two rectangles member by member.
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Decode a stored region block: a 4-byte little-endian length, then that many
// bytes of region data (a 32-byte header followed by the rectangles).  Raise
// TError on a malformed block; never read outside Data[0, Size).
std::vector<TRect> DecodeRegionBlock(const unsigned char* Data, size_t Size);
