#pragma once
// Text conversions at the edge of the system.
#include <string>
#include <string_view>

namespace vexa {

// UTF-16 to the system's 8-bit (ANSI) code page; characters the code page
// cannot hold become '?'. On hosts other than Windows the code page is
// Windows-1252's Latin-1 subset.
std::string ToAnsi(std::wstring_view text);

// The system's 8-bit code page to UTF-16.
std::wstring FromAnsi(std::string_view text);

// UTF-8 to UTF-16 and back (for literals and tests).
std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);

// Letters folded to capitals, and texts compared without regard to case, as
// the system compares file names and registry keys.
std::wstring FoldCase(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix);

// Blanks trimmed at both ends; a text is blank when nothing remains.
std::wstring Trim(std::wstring_view text);
bool IsBlank(std::wstring_view text);

}  // namespace vexa
