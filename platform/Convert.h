#pragma once
#include <cstdint>
#include <string>

// Convert decimal text to a signed 32-bit integer; leading blanks and one
// sign are accepted.  Anything else raises TConvertError.
int32_t StrToInt(const std::string& Text);
// Convert like StrToInt, answering false instead of raising.
bool TryStrToInt(const std::string& Text, int32_t& Value);
// Write a number as plain decimal digits, with a minus sign when negative.
std::string IntToStr(int64_t Value);
// Remove leading and trailing characters of code 32 or below.
std::string Trim(const std::string& Text);
