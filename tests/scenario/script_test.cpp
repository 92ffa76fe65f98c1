// Scenario files read into lines: every command and expectation form, the $ names, and
// where a line that cannot be parsed is reported.
#include "scenario/script.h"

#include <gtest/gtest.h>

#include "automation/text.h"

namespace r58046::scenario {
namespace {

const Substitutions kNames = {{u"WORK", u"/tmp/w x/"},
                              {u"DOCS", u"/tmp/d/"},
                              {u"USERTEMPLATES", u"/tmp/t"},
                              {u"TEMPLATES", u"/tmp/t/Oxel Mod\u00e8les/"}};

Line only(std::string_view text) {
  Script s = parseScript(text, kNames);
  EXPECT_EQ(s.lines.size(), 1U);
  return s.lines.empty() ? Line{} : s.lines[0];
}

// "line:column: message" of the first line that cannot be parsed.
std::string error(std::string_view text) {
  try {
    parseScript(text, kNames);
  } catch (const ScriptError& e) {
    return std::to_string(e.line()) + ":" + std::to_string(e.column()) + ": " + e.what();
  }
  return "parsed";
}

std::string utf8(std::u16string_view s) {
  return automation::toUtf8(s);
}

TEST(ScriptParser, SubstitutesDollarNamesAndKeepsOriginalColumns) {
  std::vector<int> columns;
  EXPECT_EQ(substitute(u"a $WORKb $TEMPLATES$USERTEMPLATES $HOME", kNames, &columns),
            u"a /tmp/w x/b /tmp/t/Oxel Mod\u00e8les//tmp/t $HOME");
  EXPECT_EQ(columns[0], 1);
  EXPECT_EQ(columns[2], 3);   // the first character of $WORK's folder
  EXPECT_EQ(columns[10], 3);  // its last
  EXPECT_EQ(columns[11], 8);  // "b"

  // An error after a replaced name is reported at its column in the file's line.
  EXPECT_EQ(error("word Documents.Open \"$WORKa.doc\", )"), "1:35: expected an expression");
  Line l = only("word Documents.Open \"$WORKa.doc\"");
  EXPECT_EQ(utf8(l.text), "word Documents.Open \"/tmp/w x/a.doc\"");
}

TEST(ScriptParser, CommandsAndTheirArguments) {
  Script s = parseScript(
      "\xEF\xBB\xBF# Question 0201, answered in centimetres\r\n"
      "# a second comment\r\n"
      "\r\n"
      "INIT 201\r\n"
      "init 219 Host-Word\n"
      "Word Set r = ActiveDocument.Range\n"
      "try ActiveDocument.Close , , ,\n"
      "check\n"
      "close\n"
      "quit\n",
      kNames);
  EXPECT_EQ(utf8(s.description), "Question 0201, answered in centimetres");
  ASSERT_EQ(s.lines.size(), 7U);
  EXPECT_EQ(s.lines[0].number, 4);
  EXPECT_EQ(s.lines[0].command, Command::Init);
  EXPECT_EQ(s.lines[0].question, 201);
  EXPECT_FALSE(s.lines[0].hostWord);
  EXPECT_TRUE(s.lines[1].hostWord);
  EXPECT_EQ(s.lines[2].command, Command::Word);
  EXPECT_EQ(s.lines[2].statement.kind, Statement::Kind::Set);
  EXPECT_EQ(s.lines[3].command, Command::Try);
  EXPECT_EQ(s.lines[4].command, Command::Check);
  EXPECT_EQ(s.lines[5].command, Command::Close);
  EXPECT_EQ(s.lines[6].command, Command::Quit);

  Line f = only("fault Range");
  EXPECT_EQ(utf8(f.member), "Range");
  EXPECT_EQ(f.occurrence, 1);
  EXPECT_EQ(f.error, 4198);
  f = only("fault TabStops 3 &H80010001");
  EXPECT_EQ(f.occurrence, 3);
  EXPECT_EQ(f.error, static_cast<int32_t>(0x80010001U));

  EXPECT_EQ(utf8(only("desktop dialog").caption), "Paragraphe");
  EXPECT_EQ(utf8(only("desktop dialog Police de caract\xC3\xA8res").caption),
            "Police de caract\xC3\xA8res");
  EXPECT_EQ(utf8(only("desktop dialog \"Enregistrer sous\"").caption), "Enregistrer sous");
  EXPECT_EQ(only("desktop close-word").event, DesktopEvent::CloseWord);
  EXPECT_EQ(only("desktop Dialog-In-Dialog").event, DesktopEvent::DialogInDialog);
  Line prompt = only("desktop save-prompt Cancel");
  EXPECT_EQ(prompt.event, DesktopEvent::SavePrompt);
  EXPECT_EQ(prompt.saveAnswer, simword::SaveAnswer::Cancel);
  EXPECT_EQ(only("desktop save-prompt yes").saveAnswer, simword::SaveAnswer::Yes);
  EXPECT_EQ(only("desktop save-prompt no").saveAnswer, simword::SaveAnswer::No);
  EXPECT_EQ(error("desktop save-prompt\n"), "1:20: expected the answer: yes, no or cancel");
  EXPECT_EQ(error("desktop save-prompt maybe\n"), "1:21: expected the answer: yes, no or cancel");
  EXPECT_EQ(error("desktop save-prompt yes no\n").substr(0, 5), "1:25:");

  Line file = only("file $WORKBiscuits d'or.doc readonly");
  EXPECT_EQ(utf8(file.path), "/tmp/w x/Biscuits d'or.doc");
  EXPECT_EQ(file.attribute, platform::FileAttribute::ReadOnly);
  EXPECT_EQ(utf8(only("file \"$WORKa \"\"b\"\".doc\" hidden").path), "/tmp/w x/a \"b\".doc");
}

TEST(ScriptParser, Expectations) {
  Expectation x = only("expect ok").expect;
  EXPECT_EQ(x.kind, ExpectKind::Ok);
  x = only("expect error").expect;
  EXPECT_EQ(x.kind, ExpectKind::Error);
  EXPECT_FALSE(x.errorNumber);
  x = only("expect error -2147417846").expect;
  EXPECT_EQ(x.errorNumber, -2147417846);
  x = only("expect error source \"CLASSE Module\\n\\r - SERVICE \"\"x\"\"\"").expect;
  EXPECT_EQ(x.kind, ExpectKind::ErrorSource);
  EXPECT_EQ(utf8(x.text), "CLASSE Module\n\r - SERVICE \"x\"");

  x = only("expect file \"$TEMPLATESCourrier Oxel.dot\" exists").expect;
  EXPECT_EQ(x.kind, ExpectKind::File);
  EXPECT_TRUE(x.positive);
  EXPECT_EQ(utf8(x.text), "/tmp/t/Oxel Mod\xC3\xA8les/Courrier Oxel.dot");
  x = only("expect folder $TEMPLATES ABSENT").expect;
  EXPECT_EQ(x.kind, ExpectKind::Folder);
  EXPECT_FALSE(x.positive);
  EXPECT_FALSE(only("expect no-word-running").expect.positive);
  EXPECT_TRUE(only("expect word-running").expect.positive);

  x = only("expect word ActiveDocument.Paragraphs(1).LeftIndent <> 0").expect;
  EXPECT_EQ(x.kind, ExpectKind::Word);
  EXPECT_FALSE(x.comparison.equal);

  x = only("expect CauseErreur = \"D\"").expect;
  EXPECT_EQ(x.kind, ExpectKind::Reading);
  EXPECT_EQ(x.reading, Reading::CauseErreur);
  EXPECT_EQ(only("expect erreurgenerale = True").expect.reading, Reading::ErreurGenerale);
  EXPECT_EQ(only("expect BravoNuance <> False").expect.reading, Reading::BravoNuance);
  EXPECT_EQ(only("expect Complement.count = 0").expect.reading, Reading::ComplementCount);
  x = only("expect Complement(2) = \"x\"").expect;
  EXPECT_EQ(x.reading, Reading::ComplementItem);
  EXPECT_EQ(x.item, 2);
  EXPECT_EQ(only("expect Complement.Item(1) = \"x\"").expect.item, 1);
}

TEST(ScriptParser, ErrorsNameLineAndColumn) {
  EXPECT_EQ(error("# c\ninit\n"), "2:5: expected a question number");
  EXPECT_EQ(error("init 201 host\n"), "1:10: expected host-word or the end of the line");
  EXPECT_EQ(error("check now\n"), "1:7: unexpected text at the end of the line");
  EXPECT_EQ(error("\n  launch Word\n"),
            "2:3: unknown command \"launch\" (word, try, init, check, close, quit, desktop, "
            "fault, file, expect)");
  EXPECT_EQ(error("word\n"), "1:5: expected a Word statement");
  EXPECT_EQ(error("word x = \"abc\n"), "1:10: unterminated string");
  EXPECT_EQ(error("expect file $WORKa.doc there\n"), "1:24: expected exists or absent");
  EXPECT_EQ(error("expect file exists\n"), "1:13: expected a path followed by exists or absent");
  EXPECT_EQ(error("file $WORKa.doc locked\n"), "1:17: expected readonly, hidden, system or normal");
  EXPECT_EQ(error("fault Range 0\n"), "1:13: expected which call fails, counted from 1");
  EXPECT_EQ(error("desktop explode\n").substr(0, 4), "1:9:");
  EXPECT_EQ(error("expect Verdict = \"A\"\n"),
            "1:8: expected CauseErreur, ErreurGenerale, BravoNuance, Complement.count or "
            "Complement(N)");
  EXPECT_EQ(error("expect CauseErreur \"A\"\n"), "1:20: expected '=' or '<>'");
  EXPECT_EQ(error("expect error source CLASSE\n"),
            "1:21: expected the source text in double quotes");
  EXPECT_EQ(error("expect error maybe\n"), "1:14: expected an error number or source \"TEXT\"");
}

TEST(ScriptParser, WholeNumbers) {
  EXPECT_EQ(parseWholeNumber(u"201"), 201);
  EXPECT_EQ(parseWholeNumber(u"-1"), -1);
  EXPECT_EQ(parseWholeNumber(u"-2147483648"), INT32_MIN);
  EXPECT_EQ(parseWholeNumber(u"2147483648"), std::nullopt);
  EXPECT_EQ(parseWholeNumber(u"&hFF"), 255);
  EXPECT_EQ(parseWholeNumber(u"12a"), std::nullopt);
  EXPECT_EQ(parseWholeNumber(u"-"), std::nullopt);
}

}  // namespace
}  // namespace r58046::scenario
