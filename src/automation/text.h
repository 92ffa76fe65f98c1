// Text helpers: UTF-16 is the automation string; UTF-8 only at files and the terminal.
#pragma once

#include <string>
#include <string_view>

namespace r58046::automation {

std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// Unicode lower- and upper-casing (é and É, œ and Œ), as VB's LCase and UCase do.
std::u16string lower(std::u16string_view text);
std::u16string upper(std::u16string_view text);

// Comparison without regard to letter case (through lower()).
bool equalsNoCase(std::u16string_view a, std::u16string_view b);

// ASCII-only case folding, for member and class names, which are ASCII.
bool equalsAsciiNoCase(std::u16string_view a, std::u16string_view b);
std::u16string asciiLower(std::u16string_view text);

// VB's InStr from position 1 (1-based result, 0 when absent) and Trim.
size_t inStr(std::u16string_view text, std::u16string_view what);
std::u16string trim(std::u16string_view text);

// VB's Replace over the whole text.
std::u16string replaceAll(std::u16string_view text, std::u16string_view what,
                          std::u16string_view with);

// Backslash escapes, for text written on one line: line feed, carriage return and tab as
// \n, \r and \t; each character of `alsoEscaped` preceded by a backslash; with
// `controlsAsHex`, the other control characters as \u00XX.
std::u16string escapeText(std::u16string_view text, std::u16string_view alsoEscaped = {},
                          bool controlsAsHex = false);

}  // namespace r58046::automation
