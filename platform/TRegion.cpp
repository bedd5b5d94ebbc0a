#include "TRegion.h"

#include <cstring>
#include <string>

#include "TError.h"

namespace {

constexpr size_t HeaderSize = 32;
constexpr size_t RectSize = 16;
constexpr uint32_t RectanglesType = 1;

// Raise the error for a malformed block, with Detail saying why.
[[noreturn]] void Refuse(const std::string& Detail)
{
  throw TError("Bloc de région invalide : " + Detail);
}

// Read a little-endian 32-bit word at P.
uint32_t ReadU32(const unsigned char* P)
{
  return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24;
}

// Read a little-endian signed 32-bit integer at P.
int32_t ReadI32(const unsigned char* P)
{
  const uint32_t Word = ReadU32(P);
  int32_t Value;
  std::memcpy(&Value, &Word, sizeof Value);
  return Value;
}

// Read four integers at P as a rectangle.
TRect ReadRect(const unsigned char* P)
{
  return TRect{ReadI32(P), ReadI32(P + 4), ReadI32(P + 8), ReadI32(P + 12)};
}

// Return the rectangle as "(l, t, r, b)".
std::string Show(const TRect& R)
{
  return "(" + std::to_string(R.Left) + ", " + std::to_string(R.Top) + ", " + std::to_string(R.Right) + ", " +
         std::to_string(R.Bottom) + ")";
}

} // namespace

std::vector<TRect> DecodeRegionBlock(const unsigned char* Data, size_t Size)
{
  if (Data == nullptr || Size < 4)
    Refuse("longueur absente");
  const uint32_t Length = ReadU32(Data);
  if (Length != Size - 4)
    Refuse("longueur annoncée " + std::to_string(Length) + ", " + std::to_string(Size - 4) + " octets présents");
  if (Length < HeaderSize)
    Refuse("en-tête tronqué");
  const unsigned char* Header = Data + 4;
  const uint32_t DwSize = ReadU32(Header);
  const uint32_t Type = ReadU32(Header + 4);
  const uint32_t Count = ReadU32(Header + 8);
  const uint32_t RgnSize = ReadU32(Header + 12);
  const TRect Bound = ReadRect(Header + 16);
  if (DwSize != HeaderSize)
    Refuse("taille d'en-tête " + std::to_string(DwSize) + " au lieu de 32");
  if (Type != RectanglesType)
    Refuse("type " + std::to_string(Type) + " au lieu de 1");
  if (Count == 0)
    Refuse("aucun rectangle");
  if (uint64_t(Count) * RectSize != RgnSize)
    Refuse(std::to_string(Count) + " rectangles pour " + std::to_string(RgnSize) + " octets");
  if (HeaderSize + uint64_t(RgnSize) != Length)
    Refuse(std::to_string(RgnSize) + " octets de rectangles pour un bloc de " + std::to_string(Length) + " octets");
  if (Bound.Left >= Bound.Right || Bound.Top >= Bound.Bottom)
    Refuse("cadre " + Show(Bound) + " vide");

  std::vector<TRect> Rects;
  Rects.reserve(Count);
  const unsigned char* P = Header + HeaderSize;
  for (uint32_t I = 0; I < Count; ++I, P += RectSize) {
    const TRect R = ReadRect(P);
    if (R.Left >= R.Right || R.Top >= R.Bottom)
      Refuse("rectangle " + std::to_string(I + 1) + " " + Show(R) + " vide");
    if (R.Left < Bound.Left || R.Top < Bound.Top || R.Right > Bound.Right || R.Bottom > Bound.Bottom)
      Refuse("rectangle " + std::to_string(I + 1) + " " + Show(R) + " hors du cadre " + Show(Bound));
    Rects.push_back(R);
  }
  return Rects;
}
