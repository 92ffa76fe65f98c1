#include "scenario/statement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "automation/text.h"

namespace r58046::scenario {

using automation::Variant;

namespace {

enum class Tok {
  End,
  Name,
  Number,
  String,
  Dot,
  Comma,
  LParen,
  RParen,
  Equal,
  NotEqual,
  NamedAssign,  // :=
  Amp,
  Plus,
  Minus,
  Star,
  Slash,
};

struct Token {
  Tok kind = Tok::End;
  std::u16string text;  // Name: as written; String: the value
  Variant number;
  int column = 0;
  bool spaceBefore = false;
};

bool isLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c >= 0xC0;
}
bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool isHexDigit(char16_t c) {
  return isDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}
bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

[[noreturn]] void fail(int column, const std::string& message) {
  throw SyntaxError(column, message);
}

// A decimal literal as VB types it: Integer or Long when whole and in range, else Double.
Variant decimalLiteral(const std::string& text, bool whole, int column) {
  double value = std::strtod(text.c_str(), nullptr);
  if (!std::isfinite(value)) {
    fail(column, "number out of range: " + text);
  }
  if (whole) {
    if (value <= std::numeric_limits<int16_t>::max()) {
      return Variant(static_cast<int16_t>(value));
    }
    if (value <= std::numeric_limits<int32_t>::max()) {
      return Variant(static_cast<int32_t>(value));
    }
  }
  return Variant(value);
}

// &Hxxxx: up to 4 digits is an Integer and up to 8 a Long, both wrapping as VB reads them
// (&HFFFF is -1); a trailing & makes it a Long.
Variant hexLiteral(std::u16string_view digits, bool forceLong, int column) {
  if (digits.size() > 8) {
    fail(column, "hexadecimal number out of range");
  }
  uint32_t value = 0;
  for (char16_t c : digits) {
    uint32_t d = isDigit(c) ? c - u'0' : (c | 0x20) - u'a' + 10;
    value = value * 16 + d;
  }
  if (digits.size() <= 4 && !forceLong) {
    return Variant(static_cast<int16_t>(static_cast<uint16_t>(value)));
  }
  return Variant(static_cast<int32_t>(value));
}

std::vector<Token> tokenize(std::u16string_view line, size_t offset) {
  std::vector<Token> out;
  size_t i = offset;
  bool space = true;
  auto column = [](size_t pos) { return static_cast<int>(pos) + 1; };
  while (true) {
    while (i < line.size() && isBlank(line[i])) {
      ++i;
      space = true;
    }
    Token t;
    t.column = column(i);
    t.spaceBefore = space;
    space = false;
    if (i >= line.size() || line[i] == u'\'') {
      t.kind = Tok::End;
      out.push_back(std::move(t));
      return out;
    }
    char16_t c = line[i];
    if (isLetter(c)) {
      size_t start = i;
      while (i < line.size() && (isLetter(line[i]) || isDigit(line[i]) || line[i] == u'_')) {
        ++i;
      }
      t.kind = Tok::Name;
      t.text = std::u16string(line.substr(start, i - start));
    } else if (isDigit(c) || (c == u'.' && i + 1 < line.size() && isDigit(line[i + 1]))) {
      std::string text;
      bool whole = true;
      while (i < line.size() && isDigit(line[i])) {
        text += static_cast<char>(line[i++]);
      }
      if (i < line.size() && line[i] == u'.' && i + 1 < line.size() && isDigit(line[i + 1])) {
        whole = false;
        text += static_cast<char>(line[i++]);
        while (i < line.size() && isDigit(line[i])) {
          text += static_cast<char>(line[i++]);
        }
      }
      if (i < line.size() && (line[i] == u'E' || line[i] == u'e')) {
        size_t j = i + 1;
        if (j < line.size() && (line[j] == u'+' || line[j] == u'-')) {
          ++j;
        }
        if (j < line.size() && isDigit(line[j])) {
          whole = false;
          text += 'E';
          for (size_t k = i + 1; k < j; ++k) {
            text += static_cast<char>(line[k]);
          }
          i = j;
          while (i < line.size() && isDigit(line[i])) {
            text += static_cast<char>(line[i++]);
          }
        }
      }
      if (i < line.size() && (isLetter(line[i]) || line[i] == u'_')) {
        fail(column(i), "unexpected character after a number");
      }
      t.kind = Tok::Number;
      t.number = decimalLiteral(text, whole, t.column);
    } else if (c == u'&' && i + 2 < line.size() && (line[i + 1] == u'H' || line[i + 1] == u'h') &&
               isHexDigit(line[i + 2])) {
      size_t start = i + 2;
      i = start;
      while (i < line.size() && isHexDigit(line[i])) {
        ++i;
      }
      std::u16string_view digits = line.substr(start, i - start);
      bool forceLong = i < line.size() && line[i] == u'&';
      if (forceLong) {
        ++i;
      }
      t.kind = Tok::Number;
      t.number = hexLiteral(digits, forceLong, t.column);
    } else if (c == u'"') {
      ++i;
      std::u16string value;
      while (true) {
        if (i >= line.size()) {
          fail(t.column, "unterminated string");
        }
        if (line[i] == u'"') {
          if (i + 1 < line.size() && line[i + 1] == u'"') {
            value += u'"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        value += line[i++];
      }
      t.kind = Tok::String;
      t.text = std::move(value);
    } else {
      ++i;
      switch (c) {
        case u'.':
          t.kind = Tok::Dot;
          break;
        case u',':
          t.kind = Tok::Comma;
          break;
        case u'(':
          t.kind = Tok::LParen;
          break;
        case u')':
          t.kind = Tok::RParen;
          break;
        case u'=':
          t.kind = Tok::Equal;
          break;
        case u'&':
          t.kind = Tok::Amp;
          break;
        case u'+':
          t.kind = Tok::Plus;
          break;
        case u'-':
          t.kind = Tok::Minus;
          break;
        case u'*':
          t.kind = Tok::Star;
          break;
        case u'/':
          t.kind = Tok::Slash;
          break;
        case u'<':
          if (i < line.size() && line[i] == u'>') {
            ++i;
            t.kind = Tok::NotEqual;
            break;
          }
          fail(t.column, "unsupported operator '<'");
        case u':':
          if (i < line.size() && line[i] == u'=') {
            ++i;
            t.kind = Tok::NamedAssign;
            break;
          }
          fail(t.column, "unexpected ':'");
        default:
          fail(t.column, "unexpected character '" + automation::toUtf8(std::u16string(1, c)) + "'");
      }
    }
    out.push_back(std::move(t));
  }
}

class Parser {
 public:
  Parser(std::u16string_view line, size_t offset) : tokens_(tokenize(line, offset)) {}

  Statement statement() {
    Statement s;
    if (at(Tok::Name) && isKeyword(u"Set") && peek(1).kind == Tok::Name) {
      advance();
      s.kind = Statement::Kind::Set;
      s.target = chain();
      expect(Tok::Equal, "expected '=' after the target of Set");
      s.value = expression();
      end();
      return s;
    }
    bool explicitCall = false;
    if (at(Tok::Name) && isKeyword(u"Call") && peek(1).kind == Tok::Name) {
      advance();
      explicitCall = true;
    }
    if (!at(Tok::Name)) {
      fail(current().column, "expected a statement");
    }
    s.target = chain();
    if (at(Tok::Equal) && !explicitCall) {
      advance();
      s.kind = Statement::Kind::Assign;
      s.value = expression();
      end();
      return s;
    }
    s.kind = Statement::Kind::Call;
    if (!at(Tok::End) && !explicitCall) {
      Link& last = s.target.back();
      if (last.hasArguments) {
        // VB reads `Name (x) & y, z` as a call whose first argument starts with a
        // parenthesised expression: go back to the parenthesis.
        if (!lastOpenHadSpace_) {
          fail(current().column, "expected end of statement");
        }
        pos_ = lastOpen_;
        last.arguments.clear();
      }
      last.arguments = arguments(Tok::End);
      last.hasArguments = true;
    }
    end();
    return s;
  }

  ExpressionPtr wholeExpression() {
    ExpressionPtr e = expression();
    end();
    return e;
  }

  Comparison comparison() {
    Comparison c;
    c.left = expression();
    if (at(Tok::Equal)) {
      c.equal = true;
    } else if (at(Tok::NotEqual)) {
      c.equal = false;
    } else {
      fail(current().column, "expected '=' or '<>'");
    }
    advance();
    c.right = expression();
    end();
    return c;
  }

 private:
  const Token& current() const { return tokens_[pos_]; }
  const Token& peek(size_t n) const { return tokens_[std::min(pos_ + n, tokens_.size() - 1)]; }
  bool at(Tok kind) const { return current().kind == kind; }
  void advance() {
    if (pos_ + 1 < tokens_.size()) {
      ++pos_;
    }
  }
  bool isKeyword(std::u16string_view word) const {
    return automation::equalsAsciiNoCase(current().text, word);
  }
  void expect(Tok kind, const char* message) {
    if (!at(kind)) {
      fail(current().column, message);
    }
    advance();
  }
  void end() {
    if (!at(Tok::End)) {
      fail(current().column, "expected end of statement");
    }
  }

  // Name[(args)] { .Name[(args)] }
  std::vector<Link> chain() {
    std::vector<Link> links;
    links.push_back(link());
    while (at(Tok::Dot)) {
      advance();
      if (!at(Tok::Name)) {
        fail(current().column, "expected a member name after '.'");
      }
      links.push_back(link());
    }
    return links;
  }

  Link link() {
    Link l;
    l.name = current().text;
    l.column = current().column;
    advance();
    if (at(Tok::LParen)) {
      size_t open = pos_;
      bool space = current().spaceBefore;
      advance();
      l.hasArguments = true;
      l.arguments = arguments(Tok::RParen);
      expect(Tok::RParen, "expected ')'");
      // Set after the arguments, so that it names this link's parenthesis and not one of a
      // nested chain's.
      lastOpen_ = open;
      lastOpenHadSpace_ = space;
    }
    return l;
  }

  // Arguments up to (not including) `close`: positional ones, possibly empty, then named
  // ones. Trailing omitted positional arguments are dropped, as a caller that gives fewer
  // arguments passes them.
  std::vector<Argument> arguments(Tok close) {
    std::vector<Argument> args;
    if (at(close)) {
      return args;
    }
    bool named = false;
    while (true) {
      Argument a;
      int column = current().column;
      if (at(Tok::Name) && peek(1).kind == Tok::NamedAssign) {
        a.name = current().text;
        advance();
        advance();
        a.value = expression();
        named = true;
      } else if (at(Tok::Comma) || at(close)) {
        if (named) {
          fail(column, "an omitted argument cannot follow a named argument");
        }
      } else {
        if (named) {
          fail(column, "a positional argument cannot follow a named argument");
        }
        a.value = expression();
      }
      args.push_back(std::move(a));
      if (!at(Tok::Comma)) {
        break;
      }
      advance();
    }
    size_t positional = 0;
    while (positional < args.size() && args[positional].name.empty()) {
      ++positional;
    }
    size_t keep = positional;
    while (keep > 0 && !args[keep - 1].value) {
      --keep;
    }
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(keep),
               args.begin() + static_cast<std::ptrdiff_t>(positional));
    return args;
  }

  // Counts the levels of parsing under way: a line nested deeper than kMaxNesting is refused
  // before the parser's own recursion can exhaust the stack.
  class Nesting {
   public:
    Nesting(Parser& parser, int column) : parser_(parser) {
      if (parser_.depth_ >= kMaxNesting) {
        tooDeep(column);
      }
      ++parser_.depth_;
    }
    ~Nesting() { --parser_.depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    Parser& parser_;
  };

  [[noreturn]] static void tooDeep(int column) {
    fail(column, "expression nested too deeply (more than " + std::to_string(kMaxNesting) +
                     " levels of parentheses, calls or operators)");
  }

  // A node whose height the tree may not exceed, so that evaluating it stays within bounds.
  static ExpressionPtr bounded(std::shared_ptr<Expression> e) {
    if (e->height > kMaxNesting) {
      tooDeep(e->column);
    }
    return e;
  }

  // expression := additive { & additive }
  ExpressionPtr expression() {
    Nesting nesting(*this, current().column);
    ExpressionPtr left = additive();
    while (at(Tok::Amp)) {
      left = binary(u'&', left, [this] { return additive(); });
    }
    return left;
  }
  ExpressionPtr additive() {
    ExpressionPtr left = term();
    while (at(Tok::Plus) || at(Tok::Minus)) {
      left = binary(at(Tok::Plus) ? u'+' : u'-', left, [this] { return term(); });
    }
    return left;
  }
  ExpressionPtr term() {
    ExpressionPtr left = unary();
    while (at(Tok::Star) || at(Tok::Slash)) {
      left = binary(at(Tok::Star) ? u'*' : u'/', left, [this] { return unary(); });
    }
    return left;
  }
  template <class Next>
  ExpressionPtr binary(char16_t op, const ExpressionPtr& left, Next next) {
    auto e = std::make_shared<Expression>();
    e->kind = Expression::Kind::Binary;
    e->column = current().column;
    e->op = op;
    advance();
    e->left = left;
    e->right = next();
    e->height = 1 + std::max(e->left->height, e->right->height);
    return bounded(std::move(e));
  }
  ExpressionPtr unary() {
    if (at(Tok::Minus)) {
      auto e = std::make_shared<Expression>();
      e->kind = Expression::Kind::Negate;
      e->column = current().column;
      advance();
      Nesting nesting(*this, e->column);
      e->left = unary();
      e->height = 1 + e->left->height;
      return bounded(std::move(e));
    }
    if (at(Tok::Plus)) {
      Nesting nesting(*this, current().column);
      advance();
      return unary();
    }
    return primary();
  }
  ExpressionPtr primary() {
    auto e = std::make_shared<Expression>();
    e->column = current().column;
    switch (current().kind) {
      case Tok::Number:
        e->literal = current().number;
        advance();
        return e;
      case Tok::String:
        e->literal = Variant(current().text);
        advance();
        return e;
      case Tok::LParen: {
        advance();
        ExpressionPtr inner = expression();
        expect(Tok::RParen, "expected ')'");
        return inner;
      }
      case Tok::Name:
        if (isKeyword(u"True") || isKeyword(u"False")) {
          e->literal = Variant::boolean(isKeyword(u"True"));
          advance();
          return e;
        }
        if (isKeyword(u"Nothing")) {
          e->literal = Variant::nothing();
          advance();
          return e;
        }
        e->kind = Expression::Kind::Chain;
        e->chain = chain();
        for (const Link& link : e->chain) {
          for (const Argument& a : link.arguments) {
            if (a.value) {
              e->height = std::max(e->height, 1 + a.value->height);
            }
          }
        }
        return bounded(std::move(e));
      default:
        fail(current().column, "expected an expression");
    }
  }

  std::vector<Token> tokens_;
  size_t pos_ = 0;
  size_t lastOpen_ = 0;  // the token index of the last argument list's "("
  bool lastOpenHadSpace_ = false;
  int depth_ = 0;  // the levels of parsing under way (Nesting)
};

}  // namespace

Statement parseStatement(std::u16string_view line, size_t offset) {
  return Parser(line, offset).statement();
}

ExpressionPtr parseExpression(std::u16string_view line, size_t offset) {
  return Parser(line, offset).wholeExpression();
}

Comparison parseComparison(std::u16string_view line, size_t offset) {
  return Parser(line, offset).comparison();
}

}  // namespace r58046::scenario
