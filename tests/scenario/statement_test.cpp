// The parser of Word statements: statement forms, arguments, literals, precedence and the
// columns of syntax errors.
#include "scenario/statement.h"

#include <gtest/gtest.h>

#include "automation/text.h"

namespace r58046::scenario {
namespace {

using automation::Variant;
using automation::VarType;

// The chain's names joined by dots, with "(n)" for the number of arguments of a link.
std::string chainText(const std::vector<Link>& chain) {
  std::string out;
  for (const Link& l : chain) {
    out += (out.empty() ? "" : ".") + automation::toUtf8(l.name);
    if (l.hasArguments) {
      out += "(" + std::to_string(l.arguments.size()) + ")";
    }
  }
  return out;
}

// An expression in prefix form: literals by their value, chains by chainText.
std::string shape(const Expression& e) {
  switch (e.kind) {
    case Expression::Kind::Literal:
      return automation::toUtf8(e.literal.describe());
    case Expression::Kind::Chain:
      return chainText(e.chain);
    case Expression::Kind::Negate:
      return "(- " + shape(*e.left) + ")";
    case Expression::Kind::Binary:
      return "(" + automation::toUtf8(std::u16string(1, e.op)) + " " + shape(*e.left) + " " +
             shape(*e.right) + ")";
  }
  return "?";
}

std::string parsed(std::u16string_view text) {
  return shape(*parseExpression(text));
}

int errorColumn(std::u16string_view text) {
  try {
    parseStatement(text);
  } catch (const SyntaxError& e) {
    return e.column();
  }
  return 0;
}

TEST(StatementParser, CallsWithAndWithoutParentheses) {
  Statement s = parseStatement(u"ActiveDocument.Range.InsertAfter \"x\"");
  EXPECT_EQ(s.kind, Statement::Kind::Call);
  EXPECT_EQ(chainText(s.target), "ActiveDocument.Range.InsertAfter(1)");

  s = parseStatement(u"Documents.Open(\"a.doc\")");
  EXPECT_EQ(chainText(s.target), "Documents.Open(1)");

  s = parseStatement(u"Selection.TypeParagraph");
  EXPECT_EQ(chainText(s.target), "Selection.TypeParagraph");

  s = parseStatement(u"call ActiveDocument.Save");
  EXPECT_EQ(chainText(s.target), "ActiveDocument.Save");

  // Documents(1) indexes a collection in the middle of a chain.
  s = parseStatement(u"Documents(1).Close SaveChanges:=0");
  EXPECT_EQ(chainText(s.target), "Documents(1).Close(1)");
}

TEST(StatementParser, ParenthesisedFirstArgumentOfACallWithoutParentheses) {
  // VB reads the parentheses as part of the first argument when more follows them.
  Statement s = parseStatement(u"Selection.TypeText (\"a\") & \"b\", True");
  ASSERT_EQ(chainText(s.target), "Selection.TypeText(2)");
  EXPECT_EQ(shape(*s.target.back().arguments[0].value), "(& \"a\" \"b\")");
  // Without a blank before the parenthesis, more text is an error.
  EXPECT_EQ(errorColumn(u"Selection.TypeText(\"a\") & \"b\""), 25);
}

TEST(StatementParser, AssignmentsAndSet) {
  Statement s = parseStatement(u"Options.DefaultFilePath(0) = \"C:\\\"");
  EXPECT_EQ(s.kind, Statement::Kind::Assign);
  EXPECT_EQ(chainText(s.target), "Options.DefaultFilePath(1)");
  EXPECT_EQ(shape(*s.value), "\"C:\\\"");

  s = parseStatement(u"SET r = ActiveDocument.Bookmarks(\"s01\").Range");
  EXPECT_EQ(s.kind, Statement::Kind::Set);
  EXPECT_EQ(chainText(s.target), "r");
  EXPECT_EQ(shape(*s.value), "ActiveDocument.Bookmarks(1).Range");

  // A variable named like a keyword's prefix is still a variable.
  s = parseStatement(u"Settings = 1");
  EXPECT_EQ(s.kind, Statement::Kind::Assign);
}

TEST(StatementParser, OmittedAndNamedArguments) {
  Statement s = parseStatement(u"ActiveDocument.Close , , ,");
  EXPECT_TRUE(s.target.back().arguments.empty()) << "trailing omitted arguments are dropped";

  s = parseStatement(u"Documents.Open \"a\", , True, Format:=1, Visible:=False");
  const auto& args = s.target.back().arguments;
  ASSERT_EQ(args.size(), 5U);
  EXPECT_EQ(shape(*args[0].value), "\"a\"");
  EXPECT_FALSE(args[1].value);
  EXPECT_EQ(automation::toUtf8(args[3].name), "Format");
  EXPECT_EQ(automation::toUtf8(args[4].name), "Visible");

  s = parseStatement(u"x.Add(, 2)");
  ASSERT_EQ(s.target.back().arguments.size(), 2U);
  EXPECT_FALSE(s.target.back().arguments[0].value);

  EXPECT_EQ(errorColumn(u"x.Add A:=1, 2"), 13);
  EXPECT_EQ(errorColumn(u"x.Add A:=1, , B:=2"), 13);
}

TEST(StatementParser, Literals) {
  auto literal = [](std::u16string_view text) { return parseExpression(text)->literal; };
  EXPECT_EQ(literal(u"\"il dit \"\"oui\"\"\""), Variant(u"il dit \"oui\""));
  EXPECT_EQ(literal(u"\"\""), Variant(u""));
  EXPECT_EQ(literal(u"2").type(), VarType::Integer);
  EXPECT_EQ(literal(u"40000").type(), VarType::Long);
  EXPECT_EQ(literal(u"3000000000").type(), VarType::Double);
  EXPECT_EQ(literal(u"56.7"), Variant(56.7));
  EXPECT_EQ(literal(u".5"), Variant(0.5));
  EXPECT_EQ(literal(u"1E3"), Variant(1000.0));
  EXPECT_EQ(literal(u"&HFFFF"), Variant(int16_t{-1}));
  EXPECT_EQ(literal(u"&HFFFF&"), Variant(int32_t{65535}));
  EXPECT_EQ(literal(u"&H80010001"), Variant(static_cast<int32_t>(0x80010001U)));
  EXPECT_EQ(literal(u"true"), Variant::boolean(true));
  EXPECT_EQ(literal(u"FALSE"), Variant::boolean(false));
  EXPECT_TRUE(literal(u"Nothing").isNothing());
}

TEST(StatementParser, Precedence) {
  EXPECT_EQ(parsed(u"1 + 2 * 3"), "(+ 1 (* 2 3))");
  EXPECT_EQ(parsed(u"(1 + 2) * 3"), "(* (+ 1 2) 3)");
  EXPECT_EQ(parsed(u"-2 * 3"), "(* (- 2) 3)");
  EXPECT_EQ(parsed(u"8 - 2 - 1"), "(- (- 8 2) 1)");
  EXPECT_EQ(parsed(u"\"a\" & 1 + 2 & \"b\""), "(& (& \"a\" (+ 1 2)) \"b\")");
  EXPECT_EQ(parsed(u"- -x.y / 2"), "(/ (- (- x.y)) 2)");
  EXPECT_EQ(parsed(u"Chr(13) & vbTab"), "(& Chr(1) vbTab)");
}

TEST(StatementParser, ComparisonsAndComments) {
  Comparison c = parseComparison(u"ActiveDocument.Name <> \"a\" ' not that one");
  EXPECT_FALSE(c.equal);
  EXPECT_EQ(shape(*c.left), "ActiveDocument.Name");
  c = parseComparison(u"x = -1");
  EXPECT_TRUE(c.equal);
  EXPECT_EQ(shape(*c.right), "(- 1)");
  EXPECT_THROW(parseComparison(u"x"), SyntaxError);
  // A quote inside a string does not start a comment.
  EXPECT_EQ(parsed(u"\"l'été\""), "\"l'été\"");
}

TEST(StatementParser, SyntaxErrorsNameTheColumn) {
  EXPECT_EQ(errorColumn(u"x.InsertAfter \"abc"), 15);  // where the string starts
  EXPECT_EQ(errorColumn(u"ActiveDocument."), 16);
  EXPECT_EQ(errorColumn(u"x = "), 5);
  EXPECT_EQ(errorColumn(u"x = 1 +"), 8);
  EXPECT_EQ(errorColumn(u"x.Add(1"), 8);
  EXPECT_EQ(errorColumn(u"x = $WORK"), 5);
  EXPECT_EQ(errorColumn(u"x = 1 < 2"), 7);
  EXPECT_EQ(errorColumn(u"42"), 1);
  EXPECT_EQ(errorColumn(u"x = 12abc"), 7);
  // Columns count in the whole line when parsing starts further on.
  try {
    parseStatement(u"word x = (", 5);
    FAIL();
  } catch (const SyntaxError& e) {
    EXPECT_EQ(e.column(), 11);
  }
}

}  // namespace
}  // namespace r58046::scenario
