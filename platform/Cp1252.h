#pragma once
#include <string>

// Convert Windows-1252 bytes to UTF-8; the five undefined bytes map to U+FFFD.
std::string Cp1252ToUtf8(const std::string& Bytes);
// Convert UTF-8 text to Windows-1252; characters it cannot hold become '?'.
std::string Utf8ToCp1252(const std::string& Text);
