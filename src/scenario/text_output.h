// How the runner writes values, errors and paths in its reports.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "automation/error.h"
#include "automation/variant.h"

namespace r58046::scenario {

// "error 5941: The requested member of the collection does not exist." (negative numbers
// also in hexadecimal, as HRESULTs are known).
std::u16string describeError(const automation::AutomationError& error);
// A value as a scenario writes it: strings quoted, Booleans True and False.
std::u16string describeValue(const automation::Variant& value);
std::u16string inQuotes(std::u16string_view text);
// Line feeds, carriage returns and tabs written \n, \r and \t.
std::u16string escapeControls(std::u16string_view text);
std::u16string numberText(int64_t value);
std::u16string pathText(const std::filesystem::path& path);
// A JSON string literal (UTF-8).
std::string jsonString(std::u16string_view text);
// The width of a UTF-8 text on a terminal, counted in code points.
size_t displayWidth(std::string_view utf8);

}  // namespace r58046::scenario
