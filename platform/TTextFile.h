#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Longest line kept by ReadTextLines; the rest of a longer line is skipped.
inline constexpr size_t MaxLineBytes = 4096;

// Answer whether Path names an existing file that is not a directory.
bool FileExists(const std::string& Path);
// Delete the file at Path; answer false when that fails.
bool DeleteFile(const std::string& Path);
// Read the first Count lines of the Windows-1252 file at Path as UTF-8.
// A line ends at CR, at LF or at the end of the file; after a CR the reader
// skips past the next LF.  A missing line reads as empty.  Raises TInOutError.
std::vector<std::string> ReadTextLines(const std::string& Path, size_t Count);
// Replace the file at Path with Lines, each ended by CR LF, in Windows-1252.
// The text goes to a new temporary file beside it, synced, then renamed over
// Path, so a failed write leaves the previous file whole.  Raises TInOutError.
void WriteTextLines(const std::string& Path, const std::vector<std::string>& Lines);
