// Word statements: the small subset of VBA that a scenario line runs against Word's object
// model, parsed into a tree that the interpreter walks.
//
//   ActiveDocument.Range.InsertAfter "x"                    a call without parentheses
//   Documents.Open("...")                                    a call with them
//   ActiveDocument.Close , , ,                               omitted arguments
//   ActiveDocument.Close SaveChanges:=0                      named arguments
//   Options.DefaultFilePath(0) = "..."                       a property assignment
//   Set r = ActiveDocument.Bookmarks("s01").Range            an object variable
//   n = r.Paragraphs.Count                                   a value variable
//
// Expressions: numbers, strings in double quotes ("" for one quote), True, False, Nothing,
// member chains (which cover Chr(n), constants and variables), & + - * /, unary minus and
// parentheses. Keywords and names are case-insensitive. `'` starts a comment.
//
// An expression may nest at most kMaxNesting levels deep (parentheses, argument lists, signs,
// and each operator of a chain such as a & b & c): the parser refuses a deeper one with a
// syntax error, so that neither parsing nor evaluating a line can exhaust the stack.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "automation/variant.h"

namespace r58046::scenario {

// A syntax error; the column (1-based) is counted in the line that was given to the parser.
class SyntaxError : public std::runtime_error {
 public:
  SyntaxError(int column, const std::string& message)
      : std::runtime_error(message), column_(column) {}
  int column() const { return column_; }

 private:
  int column_;
};

inline constexpr int kMaxNesting = 200;

struct Expression;
using ExpressionPtr = std::shared_ptr<const Expression>;

// One argument of a call: omitted (no value), positional, or named (Name:=value).
struct Argument {
  ExpressionPtr value;  // null when omitted
  std::u16string name;  // empty for a positional argument
};

// One link of a member chain: `Name` or `Name(arguments)`. The first link of a chain is its
// root: a variable, a member of Word's global object, Application, a constant or Chr.
struct Link {
  std::u16string name;
  bool hasArguments = false;  // written with parentheses (possibly empty)
  std::vector<Argument> arguments;
  int column = 0;
};

struct Expression {
  enum class Kind { Literal, Chain, Negate, Binary };
  Kind kind = Kind::Literal;
  int column = 0;
  automation::Variant literal;  // Literal
  std::vector<Link> chain;      // Chain
  char16_t op = 0;              // Binary: one of & + - * /
  ExpressionPtr left;           // Binary; Negate: the operand
  ExpressionPtr right;          // Binary
  int height = 1;               // the levels of the tree from this node down, at most kMaxNesting
};

struct Statement {
  enum class Kind {
    Call,    // Target [arguments]
    Assign,  // Target = Expression
    Set,     // Set Target = Expression
  };
  Kind kind = Kind::Call;
  std::vector<Link> target;
  ExpressionPtr value;  // Assign, Set
};

// A comparison of two expressions, as expectations write them.
struct Comparison {
  ExpressionPtr left;
  bool equal = true;  // "=" (true) or "<>" (false)
  ExpressionPtr right;
};

// Each parser reads `line` from `offset` to its end (or to a comment); SyntaxError otherwise.
Statement parseStatement(std::u16string_view line, size_t offset = 0);
ExpressionPtr parseExpression(std::u16string_view line, size_t offset = 0);
Comparison parseComparison(std::u16string_view line, size_t offset = 0);

}  // namespace r58046::scenario
