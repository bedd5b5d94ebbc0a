#include <algorithm>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#include "TError.h"
#include "TRegion.h"

namespace {

// The banner's window shape: the bar, then the tongue.
const std::vector<TRect> BannerRects = {
    {176, 0, 245, 7},  {30, 7, 246, 8},   {28, 8, 248, 9},   {27, 9, 249, 10},  {26, 10, 250, 11}, {25, 11, 251, 13},
    {24, 13, 252, 15}, {23, 15, 253, 18}, {22, 18, 254, 20}, {21, 20, 255, 23}, {20, 23, 256, 26}, {19, 26, 257, 28},
    {18, 28, 258, 31}, {17, 31, 259, 33}, {16, 33, 260, 36}, {15, 36, 261, 38}, {14, 38, 262, 41}, {13, 41, 263, 44},
    {12, 44, 264, 48}, {22, 48, 69, 49},  {27, 49, 65, 50},  {29, 50, 63, 51},  {30, 51, 61, 52},  {31, 52, 60, 53},
    {32, 53, 59, 54},  {33, 54, 58, 55},  {34, 55, 58, 56},  {34, 56, 57, 57},  {35, 57, 56, 59},  {36, 59, 55, 60},
    {37, 60, 55, 61},  {37, 61, 54, 62},  {38, 62, 54, 63},  {38, 63, 53, 64},  {39, 64, 53, 65},  {39, 65, 52, 67},
    {40, 67, 52, 68},  {40, 68, 51, 70},  {41, 70, 51, 71},  {41, 71, 50, 73},  {42, 73, 50, 74},  {42, 74, 49, 76},
    {43, 76, 49, 78},  {43, 78, 48, 80},  {44, 80, 48, 82},  {44, 82, 47, 84},  {45, 84, 47, 85},  {45, 85, 46, 86},
};

std::vector<unsigned char> ReadFile(const std::string& Path)
{
  std::ifstream In(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

void PutU32(std::vector<unsigned char>& Bytes, size_t At, uint32_t Value)
{
  for (int I = 0; I < 4; ++I)
    Bytes.at(At + I) = static_cast<unsigned char>(Value >> (8 * I));
}

// Encode Rects with their bounding box as a stored block.
std::vector<unsigned char> Encode(const std::vector<TRect>& Rects, TRect Bound)
{
  std::vector<unsigned char> Bytes(4 + 32 + 16 * Rects.size());
  PutU32(Bytes, 0, static_cast<uint32_t>(Bytes.size() - 4));
  const uint32_t Header[] = {32, 1, static_cast<uint32_t>(Rects.size()), static_cast<uint32_t>(16 * Rects.size())};
  for (size_t I = 0; I < 4; ++I)
    PutU32(Bytes, 4 + 4 * I, Header[I]);
  auto PutRect = [&](size_t At, const TRect& R) {
    PutU32(Bytes, At, static_cast<uint32_t>(R.Left));
    PutU32(Bytes, At + 4, static_cast<uint32_t>(R.Top));
    PutU32(Bytes, At + 8, static_cast<uint32_t>(R.Right));
    PutU32(Bytes, At + 12, static_cast<uint32_t>(R.Bottom));
  };
  PutRect(20, Bound);
  for (size_t I = 0; I < Rects.size(); ++I)
    PutRect(36 + 16 * I, Rects[I]);
  return Bytes;
}

const TRect BannerBound{12, 0, 264, 86};

} // namespace

TEST(DecodeRegionBlock, DecodesTheStoredBannerShape)
{
  const std::vector<unsigned char> Stored = ReadFile(TAVRELO_SOURCE_DIR "/resources/region.bin");
  ASSERT_EQ(Stored.size(), 804u);
  EXPECT_EQ(Stored, Encode(BannerRects, BannerBound));
  EXPECT_EQ(DecodeRegionBlock(Stored.data(), Stored.size()), BannerRects);
}

TEST(DecodeRegionBlock, RefusesMalformedBlocksWithoutReadingPastThem)
{
  const std::vector<unsigned char> Good = Encode(BannerRects, BannerBound);
  struct TCase {
    const char* What;
    size_t At; // offset of the 32-bit word to change
    uint32_t Value;
  };
  const TCase Cases[] = {
      {"length too large", 0, 801},
      {"length too small", 0, 799},
      {"length huge", 0, 0xFFFFFFFF},
      {"header size", 4, 40},
      {"type", 8, 2},
      {"no rectangles", 12, 0},
      {"count beyond the data", 12, 49},
      {"count overflowing the size", 12, 0x10000030},
      {"region size", 16, 784},
      {"empty bound", 28, 12},
      {"rectangle left of the bound", 36, 11},
      {"rectangle below the bound", 36 + 47 * 16 + 12, 87},
      {"rectangle right beyond the bound", 36 + 18 * 16 + 8, 265},
      {"empty rectangle", 36 + 8, 176},
      {"inverted rectangle", 36 + 20 * 16 + 12, 47},
      {"negative rectangle", 36 + 5 * 16 + 4, 0x80000000},
  };
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.What);
    std::vector<unsigned char> Bad = Good;
    PutU32(Bad, Case.At, Case.Value);
    try {
      DecodeRegionBlock(Bad.data(), Bad.size());
      ADD_FAILURE() << "accepted";
    } catch (const TError& Error) {
      EXPECT_EQ(std::string(Error.what()).rfind("Bloc de région invalide : ", 0), 0u) << Error.what();
    }
  }

  // Every truncation, and one byte too many, is refused, with the length word
  // kept and with it rewritten to match; each copy is exactly as long as
  // said, so a read past it shows under the sanitizers.
  for (size_t Size = 0; Size <= Good.size() + 1; ++Size) {
    if (Size == Good.size())
      continue;
    for (bool FixLength : {false, true}) {
      std::vector<unsigned char> Exact(Good.begin(), Good.begin() + std::min(Size, Good.size()));
      Exact.resize(Size);
      if (FixLength && Size >= 4)
        PutU32(Exact, 0, static_cast<uint32_t>(Size - 4));
      EXPECT_THROW(DecodeRegionBlock(Exact.data(), Exact.size()), TError) << Size << " " << FixLength;
    }
  }
  EXPECT_THROW(DecodeRegionBlock(nullptr, 0), TError);
}

TEST(DecodeRegionBlock, AcceptsASingleRectangleFillingItsBound)
{
  const std::vector<unsigned char> One = Encode({{-5, -5, 5, 5}}, {-5, -5, 5, 5});
  EXPECT_EQ(DecodeRegionBlock(One.data(), One.size()), (std::vector<TRect>{{-5, -5, 5, 5}}));
}
