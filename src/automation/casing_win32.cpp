// Unicode casing through the system (the Windows build). The invariant locale, as the native
// build's ICU root locale: the same text cases the same way whatever the user's language
// (no Turkish dotless i), and é/É, œ/Œ map as Unicode says.
#include <windows.h>

#include "automation/text.h"

namespace r58046::automation {
namespace {

std::u16string convert(std::u16string_view text, DWORD flag) {
  if (text.empty()) {
    return {};
  }
  std::u16string out(text.size(), u'\0');
  int n = LCMapStringW(LOCALE_INVARIANT, flag, reinterpret_cast<LPCWSTR>(text.data()),
                       static_cast<int>(text.size()), reinterpret_cast<LPWSTR>(out.data()),
                       static_cast<int>(out.size()));
  if (n <= 0) {
    return std::u16string(text);  // nothing the system could case
  }
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace

std::u16string lower(std::u16string_view text) {
  return convert(text, LCMAP_LOWERCASE);
}
std::u16string upper(std::u16string_view text) {
  return convert(text, LCMAP_UPPERCASE);
}

}  // namespace r58046::automation
