// Unicode casing through ICU (the native build). The Windows build backs the same two
// functions with the system's own casing.
#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include "automation/text.h"

namespace r58046::automation {
namespace {

template <class Fn>
std::u16string convert(std::u16string_view text, Fn fn) {
  if (text.empty()) {
    return {};
  }
  std::u16string out(text.size() + 8, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  auto n = fn(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
              reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()), "",
              &status);
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    out.assign(static_cast<size_t>(n), u'\0');
    status = U_ZERO_ERROR;
    n = fn(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
           reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()), "",
           &status);
  }
  if (U_FAILURE(status)) {
    return std::u16string(text);
  }
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace

std::u16string lower(std::u16string_view text) {
  return convert(text, u_strToLower);
}
std::u16string upper(std::u16string_view text) {
  return convert(text, u_strToUpper);
}

}  // namespace r58046::automation
