#include "Convert.h"

#include "TError.h"

bool TryStrToInt(const std::string& Text, int32_t& Value)
{
  size_t i = 0;
  while (i < Text.size() && Text[i] == ' ')
    ++i;
  bool Negative = false;
  if (i < Text.size() && (Text[i] == '+' || Text[i] == '-')) {
    Negative = Text[i] == '-';
    ++i;
  }
  if (i == Text.size())
    return false;
  int64_t Magnitude = 0;
  for (; i < Text.size(); ++i) {
    const char c = Text[i];
    if (c < '0' || c > '9')
      return false;
    Magnitude = Magnitude * 10 + (c - '0');
    if (Magnitude > int64_t(INT32_MAX) + 1)
      return false;
  }
  const int64_t Result = Negative ? -Magnitude : Magnitude;
  if (Result > INT32_MAX || Result < INT32_MIN)
    return false;
  Value = static_cast<int32_t>(Result);
  return true;
}

int32_t StrToInt(const std::string& Text)
{
  int32_t Value = 0;
  if (!TryStrToInt(Text, Value))
    throw TConvertError(Text);
  return Value;
}

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

std::string Trim(const std::string& Text)
{
  size_t First = 0;
  size_t Last = Text.size();
  while (First < Last && static_cast<unsigned char>(Text[First]) <= 32)
    ++First;
  while (Last > First && static_cast<unsigned char>(Text[Last - 1]) <= 32)
    --Last;
  return Text.substr(First, Last - First);
}
