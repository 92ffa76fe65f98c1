// Unicode casing through the system (the Windows build).
#include <windows.h>

#include "automation/text.h"

namespace r58046::automation {
namespace {

std::u16string convert(std::u16string_view text, DWORD flag) {
  if (text.empty()) {
    return {};
  }
  std::u16string out(text);
  LCMapStringW(LOCALE_USER_DEFAULT, flag, reinterpret_cast<LPCWSTR>(text.data()),
               static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(out.data()),
               static_cast<int>(out.size()));
  return out;
}

}  // namespace

std::u16string lower(std::u16string_view text) { return convert(text, LCMAP_LOWERCASE); }
std::u16string upper(std::u16string_view text) { return convert(text, LCMAP_UPPERCASE); }

}  // namespace r58046::automation
