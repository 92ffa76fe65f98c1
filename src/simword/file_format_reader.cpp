#include "simword/file_format_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "automation/text.h"
#include "simword/units.h"

namespace r58046::simword {

using automation::fromUtf8;
using automation::toUtf8;

namespace {

struct Token {
  std::string key;    // the word before "=", or the whole bare word
  std::string value;  // after "=" (or the text of a quoted word)
  bool hasValue = false;
  bool quoted = false;  // a quoted word standing alone
};

[[noreturn]] void fail(int line, const std::string& message) {
  throw FormatError(line, message);
}

// Reads a quoted string starting at s[i] == '"'; i ends after the closing quote.
std::string readQuoted(std::string_view s, size_t& i, int line) {
  std::string out;
  ++i;
  while (true) {
    if (i >= s.size()) {
      fail(line, "unterminated quoted text");
    }
    char c = s[i++];
    if (c == '"') {
      return out;
    }
    if (c == '\\') {
      if (i >= s.size()) {
        fail(line, "unterminated quoted text");
      }
      c = s[i++];
      if (c != '"' && c != '\\') {
        fail(line, "unknown escape in quoted text");
      }
    }
    out += c;
  }
}

std::vector<Token> tokenize(std::string_view s, int line) {
  std::vector<Token> out;
  size_t i = 0;
  while (true) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) {
      ++i;
    }
    if (i >= s.size()) {
      return out;
    }
    Token t;
    if (s[i] == '"') {
      t.value = readQuoted(s, i, line);
      t.quoted = true;
    } else {
      size_t start = i;
      while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != '=' && s[i] != '"') {
        ++i;
      }
      t.key = std::string(s.substr(start, i - start));
      if (i < s.size() && s[i] == '=') {
        ++i;
        t.hasValue = true;
        if (i < s.size() && s[i] == '"') {
          t.value = readQuoted(s, i, line);
        } else {
          size_t vstart = i;
          while (i < s.size() && s[i] != ' ' && s[i] != '\t') {
            ++i;
          }
          t.value = std::string(s.substr(vstart, i - vstart));
        }
      } else if (i < s.size() && s[i] == '"') {
        fail(line, "a quote inside a word");
      }
      if (t.key.empty()) {
        fail(line, "a value without a name");
      }
    }
    out.push_back(std::move(t));
  }
}

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

double parseNumber(std::string_view text, int line, std::string_view what) {
  std::string s(text);
  if (s.empty() || s.size() > 32) {
    fail(line, "bad " + std::string(what) + " \"" + s + "\"");
  }
  char* endp = nullptr;
  double v = std::strtod(s.c_str(), &endp);
  if (endp != s.c_str() + s.size() || !std::isfinite(v)) {
    fail(line, "bad " + std::string(what) + " \"" + s + "\"");
  }
  return v;
}

// A length: a number with a unit (cm, mm, in, pt, tw); a bare number is points.
int32_t parseLength(std::string_view text, int line) {
  std::string s = lowerAscii(text);
  double factor = 20.0;  // twips per point
  auto ends = [&](std::string_view unit) {
    return s.size() > unit.size() && s.compare(s.size() - unit.size(), unit.size(), unit) == 0;
  };
  if (ends("cm")) {
    factor = units::kPointsPerCentimetre * 20.0;
    s.resize(s.size() - 2);
  } else if (ends("mm")) {
    factor = units::kPointsPerCentimetre * 2.0;
    s.resize(s.size() - 2);
  } else if (ends("in")) {
    factor = units::kPointsPerInch * 20.0;
    s.resize(s.size() - 2);
  } else if (ends("pt")) {
    s.resize(s.size() - 2);
  } else if (ends("tw")) {
    factor = 1.0;
    s.resize(s.size() - 2);
  }
  double v = parseNumber(s, line, "length") * factor;
  if (std::fabs(v) > 1e7) {
    fail(line, "length out of range \"" + std::string(text) + "\"");
  }
  return static_cast<int32_t>(std::lround(v));
}

int32_t parseWhole(std::string_view text, int line, std::string_view what, int32_t low,
                   int32_t high) {
  double v = parseNumber(text, line, what);
  if (v != std::floor(v) || v < low || v > high) {
    fail(line, "bad " + std::string(what) + " \"" + std::string(text) + "\"");
  }
  return static_cast<int32_t>(v);
}

bool parseYesNo(std::string_view text, int line) {
  std::string s = lowerAscii(text);
  if (s == "yes" || s == "true") {
    return true;
  }
  if (s == "no" || s == "false") {
    return false;
  }
  fail(line, "expected yes or no, not \"" + std::string(text) + "\"");
}

int32_t parseColor(std::string_view text, int line) {
  std::string s = lowerAscii(text);
  for (int32_t i = 0; i <= 16; ++i) {
    if (s == kColorNames[i]) {
      return i;
    }
  }
  return parseWhole(text, line, "colour", 0, 16);
}

template <size_t N>
int32_t parseName(std::string_view text, const char* const (&names)[N], int line,
                  std::string_view what) {
  std::string s = lowerAscii(text);
  for (size_t i = 0; i < N; ++i) {
    if (names[i][0] != '\0' && s == names[i]) {
      return static_cast<int32_t>(i);
    }
  }
  fail(line, "unknown " + std::string(what) + " \"" + std::string(text) + "\"");
}

// "2cm", "11cm/right/dots"
TabStop parseTab(std::string_view text, int line) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    size_t slash = text.find('/', start);
    parts.push_back(text.substr(start, slash == std::string_view::npos ? slash : slash - start));
    if (slash == std::string_view::npos) {
      break;
    }
    start = slash + 1;
  }
  if (parts.size() > 3) {
    fail(line, "bad tab stop \"" + std::string(text) + "\"");
  }
  TabStop tab;
  tab.position = parseLength(parts[0], line);
  if (tab.position < 0 || tab.position > units::kMaxTwips) {
    fail(line, "tab stop out of range \"" + std::string(text) + "\"");
  }
  if (parts.size() > 1) {
    tab.alignment = parseName(parts[1], kTabAlignments, line, "tab alignment");
  }
  if (parts.size() > 2) {
    tab.leader = parseName(parts[2], kLeaders, line, "tab leader");
  }
  return tab;
}

void addTab(TabChanges& tabs, const TabStop& tab) {
  auto it = std::find_if(tabs.set.begin(), tabs.set.end(),
                         [&](const TabStop& t) { return t.position == tab.position; });
  if (it != tabs.set.end()) {
    *it = tab;
  } else {
    tabs.set.push_back(tab);
  }
  tabs.cleared.erase(std::remove(tabs.cleared.begin(), tabs.cleared.end(), tab.position),
                     tabs.cleared.end());
  std::sort(tabs.set.begin(), tabs.set.end(),
            [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
}

void clearTab(TabChanges& tabs, int32_t position) {
  tabs.set.erase(std::remove_if(tabs.set.begin(), tabs.set.end(),
                                [&](const TabStop& t) { return t.position == position; }),
                 tabs.set.end());
  if (!std::binary_search(tabs.cleared.begin(), tabs.cleared.end(), position)) {
    tabs.cleared.push_back(position);
    std::sort(tabs.cleared.begin(), tabs.cleared.end());
  }
}

// A paragraph-formatting key; false when the key is none.
bool paraKey(ParaFormat& f, const Token& t, int line) {
  const std::string& k = t.key;
  auto length = [&]() {
    int32_t v = parseLength(t.value, line);
    if (v < -units::kMaxTwips || v > units::kMaxTwips) {
      fail(line, "length out of range \"" + t.value + "\"");
    }
    return v;
  };
  if (k == "left-indent") {
    f.leftIndent = length();
  } else if (k == "first-line-indent") {
    f.firstLineIndent = length();
  } else if (k == "right-indent") {
    f.rightIndent = length();
  } else if (k == "space-before") {
    f.spaceBefore = std::max(0, length());
  } else if (k == "space-after") {
    f.spaceAfter = std::max(0, length());
  } else if (k == "alignment") {
    f.alignment = parseName(t.value, kParagraphAlignments, line, "alignment");
  } else if (k == "tab") {
    addTab(f.tabs, parseTab(t.value, line));
  } else if (k == "no-tab") {
    clearTab(f.tabs, parseLength(t.value, line));
  } else {
    return false;
  }
  return true;
}

bool charKey(CharFormat& f, const Token& t, int line) {
  const std::string& k = t.key;
  if (k == "font") {
    if (t.value.empty()) {
      fail(line, "empty font name");
    }
    f.fontName = fromUtf8(t.value);
  } else if (k == "size") {
    double v = parseNumber(t.value, line, "size");
    if (v < 1 || v > 1638) {
      fail(line, "size out of range \"" + t.value + "\"");
    }
    f.halfPoints = static_cast<int32_t>(std::lround(v * 2));
  } else if (k == "color") {
    f.colorIndex = parseColor(t.value, line);
  } else if (k == "spacing") {
    int32_t v = parseLength(t.value, line);
    if (v < -units::kMaxTwips || v > units::kMaxTwips) {
      fail(line, "spacing out of range \"" + t.value + "\"");
    }
    f.spacing = v;
  } else if (k == "bold") {
    f.bold = parseYesNo(t.value, line);
  } else if (k == "italic") {
    f.italic = parseYesNo(t.value, line);
  } else {
    return false;
  }
  return true;
}

void requireValue(const Token& t, int line) {
  if (!t.hasValue) {
    fail(line, "\"" + t.key + "\" needs a value");
  }
}

struct StyleRefs {
  StyleId id;
  std::optional<std::u16string> base;  // empty text: none
  std::optional<std::u16string> next;
  int line;
};

struct OpenSpan {
  std::u16string name;
  int32_t start;
};

class Reader {
 public:
  Reader() : content_(std::make_unique<Content>()), builder_(*content_) {}

  ParsedDocument read(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
      bytes.remove_prefix(3);
    }
    int line = 0;
    size_t at = 0;
    bool first = true;
    while (at < bytes.size() || first) {
      size_t nl = bytes.find('\n', at);
      std::string_view text =
          bytes.substr(at, nl == std::string_view::npos ? std::string_view::npos : nl - at);
      at = nl == std::string_view::npos ? bytes.size() : nl + 1;
      ++line;
      if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
      }
      if (first) {
        if (text != kFormatHeader) {
          fail(line, "not a simulated Word document (the first line must be \"" +
                         std::string(kFormatHeader) + "\")");
        }
        first = false;
        continue;
      }
      lineOf(text, line);
    }
    if (!ended_) {
      fail(line, "the document does not end with \"end\" (a truncated file?)");
    }
    ParsedDocument out;
    out.properties = props_;
    out.content = std::move(content_);
    return out;
  }

 private:
  void lineOf(std::string_view text, int line) {
    size_t lead = text.find_first_not_of(" \t");
    if (lead == std::string_view::npos || text[lead] == '#') {
      return;
    }
    if (ended_) {
      fail(line, "text after \"end\"");
    }
    size_t space = text.find(' ', lead);
    std::string word(
        text.substr(lead, space == std::string_view::npos ? std::string_view::npos : space - lead));
    std::string_view rest =
        space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    if (word == "text") {
      startContent();
      if (!inParagraph_) {
        openParagraph({}, line);
      }
      markup(rest, line, true);
      return;
    }
    if (word == "tail") {
      startContent();
      closeParagraph();
      tail_ = true;
      markup(rest, line, false);
      return;
    }
    std::vector<Token> tokens = tokenize(rest, line);
    if (word == "paragraph") {
      startContent();
      if (tail_) {
        fail(line, "a paragraph after \"tail\"");
      }
      closeParagraph();
      openParagraph(tokens, line);
    } else if (word == "end") {
      if (!tokens.empty()) {
        fail(line, "\"end\" takes nothing");
      }
      startContent();
      finish(line);
    } else if (word == "style") {
      if (contentStarted_) {
        fail(line, "styles come before the paragraphs");
      }
      style(tokens, line);
    } else if (contentStarted_) {
      fail(line, "\"" + word + "\" comes before the paragraphs");
    } else {
      property(word, tokens, line);
    }
  }

  void property(const std::string& word, const std::vector<Token>& tokens, int line) {
    auto single = [&]() -> const Token& {
      if (tokens.size() != 1) {
        fail(line, "\"" + word + "\" takes one value");
      }
      return tokens[0];
    };
    auto text = [&]() {
      const Token& t = single();
      return fromUtf8(t.quoted ? t.value : t.key);
    };
    if (word == "kind") {
      std::string k = lowerAscii(single().key);
      if (k != "document" && k != "template") {
        fail(line, "kind is document or template");
      }
      props_.isTemplate = k == "template";
    } else if (word == "attached-template") {
      props_.attachedTemplate = text();
    } else if (word == "password") {
      props_.password = text();
    } else if (word == "protection") {
      if (tokens.empty() || tokens[0].hasValue || tokens[0].quoted) {
        fail(line, "protection needs its kind");
      }
      std::string k = lowerAscii(tokens[0].key);
      props_.protection =
          k == "none" ? kNoProtection : parseName(k, kProtections, line, "protection");
      for (size_t i = 1; i < tokens.size(); ++i) {
        if (tokens[i].key != "password") {
          fail(line, "unknown protection setting \"" + tokens[i].key + "\"");
        }
        requireValue(tokens[i], line);
        props_.protectionPassword = fromUtf8(tokens[i].value);
      }
    } else if (word == "update-styles-on-open") {
      props_.updateStylesOnOpen = parseYesNo(single().key, line);
    } else if (word == "spelling-errors" || word == "grammar-errors") {
      std::string k = lowerAscii(single().key);
      if (k != "shown" && k != "hidden") {
        fail(line, "\"" + word + "\" is shown or hidden");
      }
      (word == "spelling-errors" ? props_.showSpellingErrors : props_.showGrammaticalErrors) =
          k == "shown";
    } else if (word == "envelope") {
      content_->envelope().present = true;
      for (const Token& t : tokens) {
        if (t.key != "face-up") {
          fail(line, "unknown envelope setting \"" + t.key + "\"");
        }
        requireValue(t, line);
        content_->envelope().defaultFaceUp = parseYesNo(t.value, line);
      }
    } else {
      fail(line, "unknown line \"" + word + "\"");
    }
  }

  void style(const std::vector<Token>& tokens, int line) {
    if (tokens.empty() || !tokens[0].quoted || tokens[0].value.empty()) {
      fail(line, "a style line starts with the style's name in quotes");
    }
    std::u16string name = fromUtf8(tokens[0].value);
    StyleSheet& sheet = content_->styles();
    int32_t type = kStyleTypeParagraph;
    for (size_t i = 1; i < tokens.size(); ++i) {
      if (tokens[i].key == "type") {
        requireValue(tokens[i], line);
        type = parseName(tokens[i].value, kStyleTypes, line, "style type");
      }
    }
    StyleDef* def = sheet.find(name);
    if (def == nullptr) {
      def = &sheet.add(name, type);
    } else if (def->type != type) {
      fail(line, "style \"" + tokens[0].value + "\" is of another type");
    }
    StyleRefs refs{def->id, {}, {}, line};
    for (size_t i = 1; i < tokens.size(); ++i) {
      const Token& t = tokens[i];
      if (t.key == "type") {
        continue;
      }
      requireValue(t, line);
      if (t.key == "base") {
        refs.base = t.value == "none" && !t.quoted ? u"" : fromUtf8(t.value);
      } else if (t.key == "next") {
        refs.next = fromUtf8(t.value);
      } else if (!paraKey(def->para, t, line) && !charKey(def->chars, t, line)) {
        fail(line, "unknown style setting \"" + t.key + "\"");
      }
    }
    styleRefs_.push_back(std::move(refs));
  }

  // Base and next styles may name styles defined further down: they are settled once every
  // style is known.
  void startContent() {
    if (contentStarted_) {
      return;
    }
    contentStarted_ = true;
    StyleSheet& sheet = content_->styles();
    for (const StyleRefs& r : styleRefs_) {
      auto lookup = [&](const std::u16string& name) -> StyleId {
        const StyleDef* s = sheet.find(name);
        if (s == nullptr) {
          fail(r.line, "no style \"" + toUtf8(name) + "\"");
        }
        return s->id;
      };
      if (r.base) {
        StyleId base = r.base->empty() ? 0 : lookup(*r.base);
        if (base != 0 && sheet.wouldCycle(r.id, base)) {
          fail(r.line, "a style based on itself");
        }
        sheet.byId(r.id)->base = base;
      }
      if (r.next) {
        StyleId next = lookup(*r.next);
        sheet.byId(r.id)->next = next == r.id ? 0 : next;
      }
    }
  }

  void openParagraph(const std::vector<Token>& tokens, int line) {
    inParagraph_ = true;
    paraStyle_ = content_->styles().normal();
    paraDirect_ = ParaFormat{};
    paraSection_ = 0;
    for (const Token& t : tokens) {
      requireValue(t, line);
      if (t.key == "style") {
        const StyleDef* s = content_->styles().find(fromUtf8(t.value));
        if (s == nullptr || s->type != kStyleTypeParagraph) {
          fail(line, "no paragraph style \"" + t.value + "\"");
        }
        paraStyle_ = s->id;
      } else if (t.key == "end") {
        paraSection_ = parseName(t.value, kSectionEnds, line, "paragraph end");
      } else if (!paraKey(paraDirect_, t, line)) {
        fail(line, "unknown paragraph setting \"" + t.key + "\"");
      }
    }
  }

  void closeParagraph() {
    if (!inParagraph_) {
      return;
    }
    builder_.endParagraph(paraStyle_, paraDirect_, paraSection_, font());
    lastSection_ = paraSection_;
    inParagraph_ = false;
  }

  CharFormat font() const { return fonts_.empty() ? CharFormat{} : fonts_.back(); }

  void appendChar(char32_t c, bool textAllowed, int line) {
    if (!textAllowed) {
      fail(line, "only marks may follow \"tail\"");
    }
    std::u16string s;
    if (c >= 0x10000) {
      c -= 0x10000;
      s += static_cast<char16_t>(0xD800 + (c >> 10));
      s += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      s += static_cast<char16_t>(c);
    }
    builder_.appendText(s, font());
  }

  void markup(std::string_view text, int line, bool textAllowed) {
    size_t i = 0;
    size_t plain = 0;
    auto flush = [&](size_t upTo) {
      if (upTo > plain) {
        if (!textAllowed) {
          fail(line, "only marks may follow \"tail\"");
        }
        std::u16string run = fromUtf8(text.substr(plain, upTo - plain));
        for (char16_t c : run) {
          if (c < 0x20 && c != kTab) {
            fail(line, "a control character in the text (write it as {U+XXXX})");
          }
        }
        builder_.appendText(run, font());
      }
    };
    while (i < text.size()) {
      if (text[i] != '{') {
        ++i;
        continue;
      }
      flush(i);
      if (i + 1 < text.size() && text[i + 1] == '{') {
        appendChar(u'{', textAllowed, line);
        i += 2;
        plain = i;
        continue;
      }
      size_t j = i + 1;
      bool inQuote = false;
      while (j < text.size() && (inQuote || text[j] != '}')) {
        if (text[j] == '\\' && inQuote) {
          ++j;
        } else if (text[j] == '"') {
          inQuote = !inQuote;
        }
        ++j;
      }
      if (j >= text.size()) {
        fail(line, R"(a "{" without its "}")");
      }
      tag(text.substr(i + 1, j - i - 1), line, textAllowed);
      i = j + 1;
      plain = i;
    }
    flush(text.size());
  }

  void tag(std::string_view inside, int line, bool textAllowed) {
    std::vector<Token> tokens = tokenize(inside, line);
    if (tokens.empty() || tokens[0].quoted || tokens[0].hasValue) {
      fail(line, "an empty or bad mark {" + std::string(inside) + "}");
    }
    std::string name = lowerAscii(tokens[0].key);
    auto noArgs = [&]() {
      if (tokens.size() != 1) {
        fail(line, "{" + name + "} takes nothing");
      }
    };
    auto nameArg = [&]() {
      if (tokens.size() != 2 || tokens[1].hasValue) {
        fail(line, "{" + name + "} takes a name");
      }
      std::u16string n = fromUtf8(tokens[1].quoted ? tokens[1].value : tokens[1].key);
      if (!validBookmarkName(n)) {
        fail(line, "bad bookmark name \"" + toUtf8(n) + "\"");
      }
      return n;
    };
    if (name == "tab" || name == "line" || name == "page" || name == "column" || name == "nbsp") {
      noArgs();
      appendChar(name == "tab"      ? kTab
                 : name == "line"   ? kLineBreak
                 : name == "page"   ? kPageBreak
                 : name == "column" ? kColumnBreak
                                    : char16_t{0xA0},
                 textAllowed, line);
    } else if (name.size() > 2 && name[0] == 'u' && name[1] == '+') {
      noArgs();
      std::string hex = name.substr(2);
      if (hex.size() > 6 || hex.find_first_not_of("0123456789abcdef") != std::string::npos) {
        fail(line, "bad character code {" + std::string(inside) + "}");
      }
      auto code = static_cast<char32_t>(std::strtoul(hex.c_str(), nullptr, 16));
      if (code > 0x10FFFF || code == kParagraphMark) {
        fail(line, "character {" + std::string(inside) + "} cannot be written so");
      }
      appendChar(code, textAllowed, line);
    } else if (name == "bookmark") {
      std::u16string n = nameArg();
      for (const auto& b : openBookmarks_) {
        if (automation::equalsNoCase(b.name, n)) {
          fail(line, "bookmark \"" + toUtf8(n) + "\" opened twice");
        }
      }
      if (content_->bookmark(n) != nullptr) {
        fail(line, "a second bookmark \"" + toUtf8(n) + "\"");
      }
      openBookmarks_.push_back(OpenSpan{n, builder_.position()});
    } else if (name == "/bookmark") {
      std::u16string n = nameArg();
      auto it = std::find_if(openBookmarks_.begin(), openBookmarks_.end(), [&](const OpenSpan& b) {
        return automation::equalsNoCase(b.name, n);
      });
      if (it == openBookmarks_.end()) {
        fail(line, "bookmark \"" + toUtf8(n) + "\" closed but not opened");
      }
      content_->setBookmark(it->name, it->start, builder_.position());
      openBookmarks_.erase(it);
    } else if (name == "checkbox" || name == "textfield" || name == "dropdown") {
      if (!textAllowed) {
        fail(line, "only marks may follow \"tail\"");
      }
      std::u16string fieldName;
      bool checked = false;
      for (size_t k = 1; k < tokens.size(); ++k) {
        const Token& t = tokens[k];
        if (t.key == "checked" && !t.hasValue && name == "checkbox") {
          checked = true;
        } else if (t.key == "name" && t.hasValue) {
          fieldName = fromUtf8(t.value);
        } else {
          fail(line, "unknown form field setting \"" + t.key + "\"");
        }
      }
      int32_t type = name == "checkbox"   ? kFieldFormCheckBox
                     : name == "dropdown" ? kFieldFormDropDown
                                          : kFieldFormTextInput;
      if (fieldName.empty()) {
        fieldName = (type == kFieldFormCheckBox   ? u"Check"
                     : type == kFieldFormDropDown ? u"Dropdown"
                                                  : u"Text") +
                    fromUtf8(std::to_string(++fieldCounts_[type]));
      }
      builder_.appendField(type, fieldName, checked, font());
    } else if (name == "font") {
      CharFormat f = font();
      // A character style first: what it sets, then the settings beside it over that.
      for (size_t k = 1; k < tokens.size(); ++k) {
        if (tokens[k].key == "style") {
          requireValue(tokens[k], line);
          const StyleDef* s = content_->styles().find(fromUtf8(tokens[k].value));
          if (s == nullptr || s->type != kStyleTypeCharacter) {
            fail(line, "no character style \"" + tokens[k].value + "\"");
          }
          f.merge(content_->styles().characterLayers(s->id));
          f.charStyle = s->builtin == kStyleDefaultParagraphFont ? 0 : s->id;
        }
      }
      for (size_t k = 1; k < tokens.size(); ++k) {
        requireValue(tokens[k], line);
        if (tokens[k].key != "style" && !charKey(f, tokens[k], line)) {
          fail(line, "unknown font setting \"" + tokens[k].key + "\"");
        }
      }
      fonts_.push_back(f);
    } else if (name == "/font") {
      noArgs();
      if (fonts_.empty()) {
        fail(line, "{/font} without {font}");
      }
      fonts_.pop_back();
    } else if (name == "address" || name == "return-address") {
      noArgs();
      auto& open = name == "address" ? addressStart_ : returnStart_;
      if (open ||
          (name == "address" ? content_->envelope().address : content_->envelope().returnAddress)) {
        fail(line, "a second {" + name + "}");
      }
      open = builder_.position();
    } else if (name == "/address" || name == "/return-address") {
      noArgs();
      bool address = name == "/address";
      auto& open = address ? addressStart_ : returnStart_;
      if (!open) {
        fail(line, "{" + name + "} without its start");
      }
      (address ? content_->envelope().address : content_->envelope().returnAddress) =
          content_->track(*open, builder_.position());
      open.reset();
    } else {
      fail(line, "unknown mark {" + name + "}");
    }
  }

  void finish(int line) {
    closeParagraph();
    if (lastSection_ != 0) {
      fail(line, "the last paragraph cannot end with a section break");
    }
    if (!builder_.finish()) {
      fail(line, "the last paragraph cannot end with a section break");
    }
    if (!openBookmarks_.empty()) {
      fail(line, "bookmark \"" + toUtf8(openBookmarks_.front().name) + "\" is not closed");
    }
    if (addressStart_ || returnStart_) {
      fail(line, "an envelope address is not closed");
    }
    EnvelopeData& env = content_->envelope();
    if ((env.address || env.returnAddress) && !env.present) {
      fail(line, "envelope addresses without an \"envelope\" line");
    }
    if (env.present && !env.address) {
      fail(line, "an envelope without its {address}");
    }
    if (env.present && !env.returnAddress) {
      env.returnAddress = content_->track(env.address->start, env.address->start);
    }
    ended_ = true;
  }

  std::unique_ptr<Content> content_;
  ContentBuilder builder_;
  DocumentProperties props_;
  std::vector<StyleRefs> styleRefs_;
  std::vector<OpenSpan> openBookmarks_;
  std::vector<CharFormat> fonts_;
  std::optional<int32_t> addressStart_;
  std::optional<int32_t> returnStart_;
  bool contentStarted_ = false;
  bool inParagraph_ = false;
  bool tail_ = false;
  bool ended_ = false;
  StyleId paraStyle_ = 0;
  ParaFormat paraDirect_;
  int32_t paraSection_ = 0;
  int32_t lastSection_ = 0;
  std::map<int32_t, int> fieldCounts_;  // for Word's default names, per kind of field
};

}  // namespace

ParsedDocument parseDocument(std::string_view bytes) {
  try {
    return Reader().read(bytes);
  } catch (const FormatError&) {
    throw;
  } catch (const std::exception& e) {
    // A style the file defines twice, a name Word refuses...
    throw FormatError(0, e.what());
  }
}

}  // namespace r58046::simword
