#include "automation/text.h"

#include <algorithm>

namespace r58046::automation {

std::string toUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::u16string fromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<unsigned char>(text[i]);
    char32_t c = 0xFFFD;
    size_t len = 1;
    if (b < 0x80) {
      c = b;
    } else if ((b & 0xE0) == 0xC0) {
      len = 2;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4;
    }
    if (len > 1) {
      if (i + len > text.size()) {
        len = 1;
      } else {
        c = b & (0x7F >> len);
        for (size_t k = 1; k < len; ++k) {
          auto cb = static_cast<unsigned char>(text[i + k]);
          if ((cb & 0xC0) != 0x80) {
            c = 0xFFFD;
            len = k;
            break;
          }
          c = (c << 6) | (cb & 0x3F);
        }
        // An overlong form ("\xC0\xAF" for "/"), an encoded surrogate or a value beyond
        // Unicode is no character: it reads as the replacement character, never as another.
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c != 0xFFFD && (c < kLeast[len] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)) {
          c = 0xFFFD;
        }
      }
    }
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += len;
  }
  return out;
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
  return lower(a) == lower(b);
}

std::u16string asciiLower(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) {
    if (c >= u'A' && c <= u'Z') {
      c = static_cast<char16_t>(c - u'A' + u'a');
    }
  }
  return out;
}

bool equalsAsciiNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

size_t inStr(std::u16string_view text, std::u16string_view what) {
  auto pos = text.find(what);
  return pos == std::u16string_view::npos ? 0 : pos + 1;
}

std::u16string trim(std::u16string_view text) {
  size_t b = 0;
  size_t e = text.size();
  while (b < e && text[b] == u' ') {
    ++b;
  }
  while (e > b && text[e - 1] == u' ') {
    --e;
  }
  return std::u16string(text.substr(b, e - b));
}

std::u16string replaceAll(std::u16string_view text, std::u16string_view what,
                          std::u16string_view with) {
  if (what.empty()) {
    return std::u16string(text);
  }
  std::u16string out;
  size_t pos = 0;
  while (true) {
    auto hit = text.find(what, pos);
    if (hit == std::u16string_view::npos) {
      out.append(text.substr(pos));
      return out;
    }
    out.append(text.substr(pos, hit - pos));
    out.append(with);
    pos = hit + what.size();
  }
}

std::u16string escapeText(std::u16string_view text, std::u16string_view alsoEscaped,
                          bool controlsAsHex) {
  static constexpr std::u16string_view kHex = u"0123456789abcdef";
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c == u'\n') {
      out += u"\\n";
    } else if (c == u'\r') {
      out += u"\\r";
    } else if (c == u'\t') {
      out += u"\\t";
    } else if (alsoEscaped.find(c) != std::u16string_view::npos) {
      out += u'\\';
      out += c;
    } else if (controlsAsHex && c < 0x20) {
      out += u"\\u00";
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace r58046::automation
