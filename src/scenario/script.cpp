#include "scenario/script.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "automation/error.h"
#include "automation/text.h"

namespace r58046::scenario {

using automation::equalsAsciiNoCase;

namespace {

bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r';
}

// Reads the words of one line; positions are 0-based in the (substituted) line.
class Cursor {
 public:
  explicit Cursor(std::u16string_view line) : line_(line) {}

  size_t position() {
    skipBlanks();
    return pos_;
  }
  bool atEnd() { return position() >= line_.size(); }
  // The next blank-delimited word (empty at the end).
  std::u16string_view word() {
    skipBlanks();
    size_t start = pos_;
    while (pos_ < line_.size() && !isBlank(line_[pos_])) {
      ++pos_;
    }
    return line_.substr(start, pos_ - start);
  }
  std::u16string_view rest() {
    skipBlanks();
    return line_.substr(pos_);
  }
  int column() { return static_cast<int>(position()) + 1; }

 private:
  void skipBlanks() {
    while (pos_ < line_.size() && isBlank(line_[pos_])) {
      ++pos_;
    }
  }
  std::u16string_view line_;
  size_t pos_ = 0;
};

[[noreturn]] void fail(int column, const std::string& message) {
  throw SyntaxError(column, message);
}

std::u16string_view trimBlanks(std::u16string_view text) {
  while (!text.empty() && isBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && isBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// A text that may be written in double quotes ("" for one quote); `column` is where it
// starts in the line.
std::u16string unquote(std::u16string_view text, int column) {
  if (text.empty() || text.front() != u'"') {
    return std::u16string(text);
  }
  std::u16string out;
  size_t i = 1;
  while (true) {
    if (i >= text.size()) {
      fail(column, "unterminated string");
    }
    if (text[i] == u'"') {
      if (i + 1 < text.size() && text[i + 1] == u'"') {
        out += u'"';
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    out += text[i++];
  }
  if (!trimBlanks(text.substr(i)).empty()) {
    fail(column + static_cast<int>(i), "unexpected text after the closing quote");
  }
  return out;
}

// "PATH LASTWORD": the path (quoted or not, blanks allowed) and the last word.
std::pair<std::u16string, std::u16string_view> pathAndLastWord(Cursor& cursor, const char* what) {
  int column = cursor.column();
  std::u16string_view rest = trimBlanks(cursor.rest());
  size_t split = rest.size();
  while (split > 0 && !isBlank(rest[split - 1])) {
    --split;
  }
  std::u16string_view last = rest.substr(split);
  std::u16string_view path = trimBlanks(rest.substr(0, split));
  if (path.empty()) {
    fail(column, std::string("expected a path followed by ") + what);
  }
  return {unquote(path, column), last};
}

void endOfLine(Cursor& cursor) {
  if (!cursor.atEnd()) {
    fail(cursor.column(), "unexpected text at the end of the line");
  }
}

// CauseErreur, ErreurGenerale, BravoNuance, Complement.count, Complement(i) and
// Complement.item(i), as the left side of an expectation.
void readingOf(const Expression& e, Expectation& x) {
  auto literalItem = [&](const Link& link) {
    if (link.arguments.size() != 1 || !link.arguments[0].value ||
        link.arguments[0].value->kind != Expression::Kind::Literal ||
        !link.arguments[0].value->literal.isNumeric()) {
      fail(link.column, "expected the position of a complementary string, as a number");
    }
    double position = link.arguments[0].value->literal.toDouble();
    if (!(position >= 1 && position <= std::numeric_limits<int32_t>::max())) {
      fail(link.column, "expected the position of a complementary string, from 1");
    }
    x.reading = Reading::ComplementItem;
    x.item = link.arguments[0].value->literal.toLong();
  };
  if (e.kind == Expression::Kind::Chain) {
    const auto& c = e.chain;
    if (c.size() == 1 && !c[0].hasArguments) {
      if (equalsAsciiNoCase(c[0].name, u"CauseErreur")) {
        x.reading = Reading::CauseErreur;
        return;
      }
      if (equalsAsciiNoCase(c[0].name, u"ErreurGenerale")) {
        x.reading = Reading::ErreurGenerale;
        return;
      }
      if (equalsAsciiNoCase(c[0].name, u"BravoNuance")) {
        x.reading = Reading::BravoNuance;
        return;
      }
    }
    if (!c.empty() && equalsAsciiNoCase(c[0].name, u"Complement")) {
      if (c.size() == 1 && c[0].hasArguments) {
        literalItem(c[0]);
        return;
      }
      if (c.size() == 2 && !c[0].hasArguments) {
        if (equalsAsciiNoCase(c[1].name, u"count") && !c[1].hasArguments) {
          x.reading = Reading::ComplementCount;
          return;
        }
        if (equalsAsciiNoCase(c[1].name, u"item") && c[1].hasArguments) {
          literalItem(c[1]);
          return;
        }
      }
    }
  }
  fail(e.column,
       "expected CauseErreur, ErreurGenerale, BravoNuance, Complement.count or "
       "Complement(N)");
}

Expectation parseExpect(Cursor& cursor, std::u16string_view line) {
  Expectation x;
  size_t start = cursor.position();
  int column = cursor.column();
  std::u16string_view kind = cursor.word();
  if (kind.empty()) {
    fail(column, "expected what to expect");
  }
  if (equalsAsciiNoCase(kind, u"ok")) {
    x.kind = ExpectKind::Ok;
    endOfLine(cursor);
  } else if (equalsAsciiNoCase(kind, u"error")) {
    x.kind = ExpectKind::Error;
    if (!cursor.atEnd()) {
      int at = cursor.column();
      std::u16string_view next = cursor.word();
      if (equalsAsciiNoCase(next, u"source")) {
        x.kind = ExpectKind::ErrorSource;
        int textColumn = cursor.column();
        std::u16string_view rest = trimBlanks(cursor.rest());
        if (rest.empty() || rest.front() != u'"') {
          fail(textColumn, "expected the source text in double quotes");
        }
        std::u16string text = unquote(rest, textColumn);
        text = automation::replaceAll(text, u"\\n", u"\n");
        x.text = automation::replaceAll(text, u"\\r", u"\r");
        return x;
      }
      x.errorNumber = parseWholeNumber(next);
      if (!x.errorNumber) {
        fail(at, "expected an error number or source \"TEXT\"");
      }
      endOfLine(cursor);
    }
  } else if (equalsAsciiNoCase(kind, u"file") || equalsAsciiNoCase(kind, u"folder")) {
    x.kind = equalsAsciiNoCase(kind, u"file") ? ExpectKind::File : ExpectKind::Folder;
    auto [path, last] = pathAndLastWord(cursor, "exists or absent");
    if (equalsAsciiNoCase(last, u"exists")) {
      x.positive = true;
    } else if (equalsAsciiNoCase(last, u"absent")) {
      x.positive = false;
    } else {
      fail(static_cast<int>(last.data() - line.data()) + 1, "expected exists or absent");
    }
    x.text = std::move(path);
  } else if (equalsAsciiNoCase(kind, u"word-running") ||
             equalsAsciiNoCase(kind, u"no-word-running")) {
    x.kind = ExpectKind::WordRunning;
    x.positive = equalsAsciiNoCase(kind, u"word-running");
    endOfLine(cursor);
  } else if (equalsAsciiNoCase(kind, u"word")) {
    x.kind = ExpectKind::Word;
    x.comparison = parseComparison(line, cursor.position());
  } else {
    x.kind = ExpectKind::Reading;
    x.comparison = parseComparison(line, start);
    readingOf(*x.comparison.left, x);
  }
  return x;
}

Line parseLine(std::u16string_view text) {
  Line l;
  l.text = std::u16string(text);
  Cursor cursor(text);
  int column = cursor.column();
  std::u16string_view command = cursor.word();
  auto is = [&](std::u16string_view name) { return equalsAsciiNoCase(command, name); };
  if (is(u"word") || is(u"try")) {
    l.command = is(u"word") ? Command::Word : Command::Try;
    if (cursor.atEnd()) {
      fail(cursor.column(), "expected a Word statement");
    }
    l.statement = parseStatement(text, cursor.position());
  } else if (is(u"init")) {
    l.command = Command::Init;
    int at = cursor.column();
    auto question = parseWholeNumber(cursor.word());
    if (!question) {
      fail(at, "expected a question number");
    }
    l.question = *question;
    if (!cursor.atEnd()) {
      at = cursor.column();
      if (!equalsAsciiNoCase(cursor.word(), u"host-word")) {
        fail(at, "expected host-word or the end of the line");
      }
      l.hostWord = true;
    }
    endOfLine(cursor);
  } else if (is(u"check") || is(u"close") || is(u"quit")) {
    l.command = is(u"check") ? Command::Check : is(u"close") ? Command::Close : Command::Quit;
    endOfLine(cursor);
  } else if (is(u"desktop")) {
    l.command = Command::Desktop;
    int at = cursor.column();
    std::u16string_view event = cursor.word();
    static const std::pair<const char16_t*, DesktopEvent> kEvents[] = {
        {u"dialog", DesktopEvent::Dialog},
        {u"dialog-in-dialog", DesktopEvent::DialogInDialog},
        {u"balloon", DesktopEvent::Balloon},
        {u"minimize", DesktopEvent::Minimize},
        {u"hide", DesktopEvent::Hide},
        {u"close-word", DesktopEvent::CloseWord},
        {u"embedded-edit", DesktopEvent::EmbeddedEdit},
        {u"save-prompt", DesktopEvent::SavePrompt},
    };
    const auto* found = std::find_if(std::begin(kEvents), std::end(kEvents), [&](const auto& e) {
      return equalsAsciiNoCase(event, e.first);
    });
    if (found == std::end(kEvents)) {
      fail(at,
           "expected a desktop event: dialog, dialog-in-dialog, balloon, minimize, hide, "
           "close-word, embedded-edit or save-prompt");
    }
    l.event = found->second;
    if (l.event == DesktopEvent::Dialog) {
      int captionColumn = cursor.column();
      std::u16string caption = unquote(trimBlanks(cursor.rest()), captionColumn);
      l.caption = caption.empty() ? u"Paragraphe" : caption;
    } else if (l.event == DesktopEvent::SavePrompt) {
      at = cursor.column();
      std::u16string_view answer = cursor.word();
      if (equalsAsciiNoCase(answer, u"yes")) {
        l.saveAnswer = simword::SaveAnswer::Yes;
      } else if (equalsAsciiNoCase(answer, u"no")) {
        l.saveAnswer = simword::SaveAnswer::No;
      } else if (equalsAsciiNoCase(answer, u"cancel")) {
        l.saveAnswer = simword::SaveAnswer::Cancel;
      } else {
        fail(at, "expected the answer: yes, no or cancel");
      }
      endOfLine(cursor);
    } else {
      endOfLine(cursor);
    }
  } else if (is(u"fault")) {
    l.command = Command::Fault;
    int at = cursor.column();
    l.member = std::u16string(cursor.word());
    if (l.member.empty()) {
      fail(at, "expected a member name");
    }
    if (!cursor.atEnd()) {
      at = cursor.column();
      auto n = parseWholeNumber(cursor.word());
      if (!n || *n < 1) {
        fail(at, "expected which call fails, counted from 1");
      }
      l.occurrence = *n;
    }
    if (!cursor.atEnd()) {
      at = cursor.column();
      auto error = parseWholeNumber(cursor.word());
      if (!error) {
        fail(at, "expected an error number");
      }
      l.error = *error;
    }
    endOfLine(cursor);
  } else if (is(u"file")) {
    l.command = Command::File;
    auto pathAndAttribute = pathAndLastWord(cursor, "readonly, hidden, system or normal");
    std::u16string_view last = pathAndAttribute.second;
    static const std::pair<const char16_t*, platform::FileAttribute> kAttributes[] = {
        {u"readonly", platform::FileAttribute::ReadOnly},
        {u"hidden", platform::FileAttribute::Hidden},
        {u"system", platform::FileAttribute::System},
        {u"normal", platform::FileAttribute::Normal},
    };
    const auto* found =
        std::find_if(std::begin(kAttributes), std::end(kAttributes),
                     [&](const auto& a) { return equalsAsciiNoCase(last, a.first); });
    if (found == std::end(kAttributes)) {
      fail(static_cast<int>(last.data() - text.data()) + 1,
           "expected readonly, hidden, system or normal");
    }
    l.path = std::move(pathAndAttribute.first);
    l.attribute = found->second;
  } else if (is(u"expect")) {
    l.command = Command::Expect;
    l.expect = parseExpect(cursor, text);
  } else {
    fail(column, "unknown command \"" + automation::toUtf8(command) +
                     "\" (word, try, init, check, close, quit, desktop, fault, file, expect)");
  }
  return l;
}

}  // namespace

std::optional<int32_t> parseWholeNumber(std::u16string_view text) {
  if (text.size() > 2 && text[0] == u'&' && (text[1] == u'H' || text[1] == u'h')) {
    std::u16string_view digits = text.substr(2);
    if (digits.size() > 8) {
      return std::nullopt;
    }
    uint32_t value = 0;
    for (char16_t c : digits) {
      uint32_t d = 0;
      if (c >= u'0' && c <= u'9') {
        d = c - u'0';
      } else if ((c | 0x20) >= u'a' && (c | 0x20) <= u'f') {
        d = (c | 0x20) - u'a' + 10;
      } else {
        return std::nullopt;
      }
      value = value * 16 + d;
    }
    return static_cast<int32_t>(value);
  }
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (i >= text.size()) {
    return std::nullopt;
  }
  int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') {
      return std::nullopt;
    }
    value = value * 10 + (text[i] - u'0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) {
      return std::nullopt;
    }
  }
  value = negative ? -value : value;
  if (value > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(value);
}

std::u16string substitute(std::u16string_view line, const Substitutions& names,
                          std::vector<int>* columns) {
  // Longest names first, so that no name is taken for the beginning of a longer one.
  std::vector<const std::pair<const std::u16string, std::u16string>*> order;
  for (const auto& n : names) {
    order.push_back(&n);
  }
  std::sort(order.begin(), order.end(),
            [](auto* a, auto* b) { return a->first.size() > b->first.size(); });
  std::u16string out;
  if (columns != nullptr) {
    columns->clear();
  }
  size_t i = 0;
  while (i < line.size()) {
    const std::pair<const std::u16string, std::u16string>* match = nullptr;
    if (line[i] == u'$') {
      for (const auto* n : order) {
        if (line.substr(i + 1, n->first.size()) == n->first) {
          match = n;
          break;
        }
      }
    }
    if (match != nullptr) {
      out += match->second;
      if (columns != nullptr) {
        columns->insert(columns->end(), match->second.size(), static_cast<int>(i) + 1);
      }
      i += 1 + match->first.size();
    } else {
      out += line[i];
      if (columns != nullptr) {
        columns->push_back(static_cast<int>(i) + 1);
      }
      ++i;
    }
  }
  if (columns != nullptr) {
    columns->push_back(static_cast<int>(line.size()) + 1);
  }
  return out;
}

Script parseScript(std::string_view text, const Substitutions& names) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    text.remove_prefix(3);
  }
  Script script;
  bool described = false;
  int number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    ++number;
    std::u16string raw = automation::fromUtf8(text.substr(start, end - start));
    start = end + 1;
    std::u16string_view content = trimBlanks(raw);
    if (content.empty()) {
      continue;
    }
    if (content.front() == u'#') {
      if (!described) {
        script.description = std::u16string(trimBlanks(content.substr(1)));
        described = true;
      }
      continue;
    }
    std::vector<int> columns;
    std::u16string line = substitute(raw, names, &columns);
    try {
      Line parsed = parseLine(line);
      parsed.number = number;
      script.lines.push_back(std::move(parsed));
    } catch (const SyntaxError& e) {
      size_t at = std::clamp<size_t>(static_cast<size_t>(std::max(e.column(), 1)) - 1, 0,
                                     columns.size() - 1);
      throw ScriptError(number, columns[at], e.what());
    } catch (const automation::AutomationError& e) {
      // A value the line holds that cannot be taken as it must (a number out of range):
      // the line cannot be parsed, and says where it starts.
      int first = static_cast<int>(raw.find_first_not_of(u" \t\r")) + 1;
      throw ScriptError(number, first, automation::toUtf8(e.description()));
    }
  }
  return script;
}

}  // namespace r58046::scenario
