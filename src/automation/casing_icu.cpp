// Unicode casing through ICU (the native build). The Windows build backs the same two
// functions with the system's own casing, which maps each character to one character; so
// does this one, with Unicode's simple case mappings: "ß" and "ﬁ" stay as they are when
// upper-cased (never "SS" or "FI"), "İ" lower-cases to "i". A cased text keeps its length,
// so a position found in it is a position in the text it came from.
#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include "automation/text.h"

namespace r58046::automation {
namespace {

template <class Fn>
std::u16string convert(std::u16string_view text, Fn fn) {
  std::u16string out;
  out.reserve(text.size());
  const auto length = static_cast<int32_t>(text.size());
  const char16_t* units = text.data();
  int32_t i = 0;
  while (i < length) {
    UChar32 c = 0;
    U16_NEXT(units, i, length, c);
    UChar32 mapped = fn(c);
    // A mapping that would change the number of code units (none in Unicode today) keeps
    // the character.
    if (U16_LENGTH(mapped) != U16_LENGTH(c)) {
      mapped = c;
    }
    if (U16_LENGTH(mapped) == 1) {
      out.push_back(static_cast<char16_t>(mapped));
    } else {
      out.push_back(static_cast<char16_t>(U16_LEAD(mapped)));
      out.push_back(static_cast<char16_t>(U16_TRAIL(mapped)));
    }
  }
  return out;
}

}  // namespace

std::u16string lower(std::u16string_view text) {
  return convert(text, u_tolower);
}
std::u16string upper(std::u16string_view text) {
  return convert(text, u_toupper);
}

}  // namespace r58046::automation
