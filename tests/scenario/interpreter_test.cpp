// The interpreter over a fake object model: invocation kinds, Set against the default
// value, where root names are looked up, arguments, VB's operators, and collections reached
// through their default member.
#include "scenario/interpreter.h"

#include <gtest/gtest.h>

#include "automation/members.h"
#include "fakes.h"
#include "support/error_of.h"

namespace r58046::scenario {
namespace {

using automation::Args;
using automation::InvokeKind;
using automation::Variant;
using automation::VarType;
using testing::FakeObject;
using testing::Journal;

using testsupport::errorOf;

class InterpreterTest : public ::testing::Test {
 protected:
  InterpreterTest() {
    doc->value(u"Name", Variant(u"Bulletin.doc"));
    doc->on(u"", [this](InvokeKind, Args&) { return doc->stored(u"Name"); });
    doc->on(u"Range", [this](InvokeKind, Args&) { return Variant(range); });
    doc->on(u"Close", [](InvokeKind, Args&) { return Variant(); });
    range->value(u"Text", Variant(u"abc"));
    range->on(u"InsertAfter", [](InvokeKind, Args&) { return Variant(); });
    options->on(u"DefaultFilePath", [](InvokeKind, Args&) { return Variant(u"/docs/"); });
    app->on(u"ActiveDocument", [this](InvokeKind, Args&) { return Variant(doc); });
    app->on(u"Options", [this](InvokeKind, Args&) { return Variant(options); });
    app->value(u"UserAddress", Variant(u""));
    app->on(u"CentimetersToPoints", [](InvokeKind, Args& a) {
      return Variant(static_cast<float>(a.at(0).get().toDouble() * 28.35));
    });
    app->on(u"ChangeFileOpenDirectory", [](InvokeKind, Args&) { return Variant(); });
    app->on(u"Documents", [](InvokeKind, Args&) -> Variant {
      automation::raiseError(automation::errors::kWordNoSuchMember, {}, u"Microsoft Word");
    });
  }

  void run(std::u16string_view statement) { interpreter.execute(parseStatement(statement)); }
  Variant eval(std::u16string_view expression) {
    return interpreter.evaluate(*parseExpression(expression));
  }
  std::vector<std::string> calls() {
    std::vector<std::string> out = *journal;
    journal->clear();
    return out;
  }

  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  std::shared_ptr<FakeObject> app = FakeObject::make("app", journal);
  std::shared_ptr<FakeObject> doc = FakeObject::make("doc", journal);
  std::shared_ptr<FakeObject> range = FakeObject::make("range", journal);
  std::shared_ptr<FakeObject> options = FakeObject::make("options", journal);
  int globalAsked = 0;
  Interpreter interpreter{[this] {
    ++globalAsked;
    return automation::ObjectRef(app);
  }};
};

using Calls = std::vector<std::string>;

TEST_F(InterpreterTest, StatementsCallValuesGetAssignmentsPut) {
  run(u"ActiveDocument.Range.InsertAfter \"x\"");
  EXPECT_EQ(calls(),
            (Calls{"app.ActiveDocument:G()", "doc.Range:G()", "range.InsertAfter:M(\"x\")"}));
  run(u"ActiveDocument.Range.Text = \"y\"");
  EXPECT_EQ(calls(), (Calls{"app.ActiveDocument:G()", "doc.Range:G()", "range.Text:P(\"y\")"}));
  EXPECT_EQ(eval(u"ActiveDocument.Range.Text"), Variant(u"y"));
  EXPECT_EQ(calls(), (Calls{"app.ActiveDocument:G()", "doc.Range:G()", "range.Text:G()"}));
  run(u"ChangeFileOpenDirectory \"/tmp\"");
  EXPECT_EQ(calls(), (Calls{"app.ChangeFileOpenDirectory:M(\"/tmp\")"}));
}

TEST_F(InterpreterTest, SetKeepsTheObjectAndLetTakesItsDefaultValue) {
  run(u"Set d = ActiveDocument");
  EXPECT_EQ(calls(), (Calls{"app.ActiveDocument:G()"}));
  EXPECT_EQ(eval(u"d.Name"), Variant(u"Bulletin.doc"));
  EXPECT_EQ(calls(), (Calls{"doc.Name:G()"}));

  run(u"n = ActiveDocument");
  EXPECT_EQ(calls(), (Calls{"app.ActiveDocument:G()", "doc.:G()"}));
  EXPECT_EQ(eval(u"n"), Variant(u"Bulletin.doc"));
  EXPECT_TRUE(calls().empty());

  EXPECT_EQ(errorOf([&] { run(u"Set x = 5"); }), automation::errors::kObjectRequired);
  EXPECT_EQ(errorOf([&] { run(u"x = Nothing"); }), automation::errors::kObjectVariableNotSet);
  run(u"Set nobody = Nothing");
  EXPECT_TRUE(eval(u"nobody").isNothing());
  EXPECT_EQ(errorOf([&] { eval(u"nobody.Name"); }), automation::errors::kObjectVariableNotSet);
}

TEST_F(InterpreterTest, RootNamesVariablesThenWordThenConstants) {
  // Constants and Application are known without asking Word.
  EXPECT_EQ(eval(u"WDALIGNTABRIGHT"), Variant(int32_t{2}));
  EXPECT_EQ(eval(u"msoBarFloating"), Variant(int32_t{4}));
  EXPECT_EQ(eval(u"wdUndefined"), Variant(int32_t{9999999}));
  EXPECT_EQ(globalAsked, 0);
  EXPECT_EQ(eval(u"Application.UserAddress"), Variant(u""));
  EXPECT_EQ(calls(), (Calls{"app.UserAddress:G()"}));

  // A member of Word's global object is assigned; anything else becomes a variable.
  run(u"UserAddress = \"12 rue\"");
  EXPECT_EQ(calls(), (Calls{"app.UserAddress:P(\"12 rue\")"}));
  EXPECT_FALSE(interpreter.hasVariable(u"UserAddress"));
  run(u"total = 3");
  run(u"TOTAL = total + 1");
  EXPECT_TRUE(calls().empty());
  EXPECT_EQ(eval(u"Total"), Variant(int16_t{4}));

  // A variable comes before Word's member of the same name.
  run(u"Set Selection = ActiveDocument");
  calls();
  EXPECT_EQ(eval(u"Selection.Name"), Variant(u"Bulletin.doc"));
  EXPECT_EQ(calls(), (Calls{"doc.Name:G()"}));

  // Word's read-only members and the constants are not variables.
  EXPECT_NE(errorOf([&] { run(u"Documents = 5"); }), 0);
  EXPECT_EQ(calls(), (Calls{"app.Documents:P(5)"}));
  EXPECT_FALSE(interpreter.hasVariable(u"Documents"));
  EXPECT_NE(errorOf([&] { run(u"wdRed = 3"); }), 0);
  EXPECT_EQ(eval(u"wdRed"), Variant(int32_t{6}));
  EXPECT_NE(errorOf([&] { run(u"total"); }), 0) << "a variable is no procedure";
  EXPECT_EQ(errorOf([&] { eval(u"Unknown.Member"); }), automation::errors::kMemberNotSupported);
}

TEST_F(InterpreterTest, ArgumentsPositionalOmittedAndNamed) {
  run(u"Options.DefaultFilePath(wdDocumentsPath) = \"/d/\"");
  EXPECT_EQ(calls(), (Calls{"app.Options:G()", "options.DefaultFilePath:P(0,\"/d/\")"}));
  run(u"ActiveDocument.Close , , ,");
  EXPECT_EQ(calls(), (Calls{"app.ActiveDocument:G()", "doc.Close:M()"}));
  run(u"ActiveDocument.Close SaveChanges:=wdDoNotSaveChanges");
  EXPECT_EQ(calls(), (Calls{"app.ActiveDocument:G()", "doc.Close:M(SaveChanges:=0)"}));
  run(u"ActiveDocument.Close(, , True)");
  EXPECT_EQ(calls(), (Calls{"app.ActiveDocument:G()", "doc.Close:M(_,_,True)"}));
  run(u"Set r = ActiveDocument.Range");
  calls();
  run(u"ActiveDocument.Close r");
  EXPECT_EQ(calls(), (Calls{"app.ActiveDocument:G()", "doc.Close:M(<object>)"}))
      << "an object argument is passed as the object";
}

TEST_F(InterpreterTest, ValuesAndOperators) {
  EXPECT_EQ(eval(u"Chr(13) & Chr(9)"), Variant(u"\r\t"));
  EXPECT_EQ(eval(u"Chr(150)"), Variant(u"\u2013")) << "Windows-1252, as VB's Chr";
  EXPECT_EQ(eval(u"ChrW(8364)"), Variant(u"\u20AC"));
  EXPECT_EQ(errorOf([&] { eval(u"Chr(300)"); }), automation::errors::kInvalidProcedureCall);
  EXPECT_EQ(eval(u"1 + 2 * 3"), Variant(int16_t{7}));
  EXPECT_EQ(eval(u"7 / 2"), Variant(3.5));
  EXPECT_EQ(eval(u"32767 + 1"), Variant(int32_t{32768})) << "widened, not overflowing";
  EXPECT_EQ(eval(u"\"a\" & 1 & True"), Variant(u"a1True"));
  EXPECT_EQ(eval(u"\"1\" + \"2\""), Variant(u"12"));
  EXPECT_EQ(eval(u"\"1\" + 2").toDouble(), 3.0);
  EXPECT_EQ(eval(u"-CentimetersToPoints(2)"), Variant(-56.7f));
  EXPECT_EQ(eval(u"CentimetersToPoints(2) * 2").type(), VarType::Single);
  EXPECT_EQ(eval(u"vbCr & vbLf"), Variant(u"\r\n"));
  EXPECT_EQ(errorOf([&] { eval(u"1 / 0"); }), 11);
  EXPECT_EQ(errorOf([&] { eval(u"\"a\" * 2"); }), automation::errors::kTypeMismatch);
  EXPECT_EQ(errorOf([&] { eval(u"ActiveDocument.Range.Text.Length"); }),
            automation::errors::kObjectRequired);
}

TEST_F(InterpreterTest, WordFailuresKeepTheirNumberAndNoWordIsReported) {
  EXPECT_EQ(errorOf([&] { run(u"Documents(\"x\").Close"); }),
            automation::errors::kWordNoSuchMember);
  Interpreter noWord([] { return automation::ObjectRef(); });
  EXPECT_EQ(errorOf([&] { noWord.evaluate(*parseExpression(u"ActiveDocument")); }),
            automation::errors::kObjectVariableNotSet);
  EXPECT_EQ(noWord.evaluate(*parseExpression(u"wdLineBreak")), Variant(int32_t{6}));
}

// A collection and its holder declared through member tables, as the simulated Word
// declares them: Items(2) reaches Items.Item(2) through the default member.
class Items : public automation::Automatable<Items> {
 public:
  static const automation::MemberTable<Items>& members() {
    static const auto table = automation::MemberTable<Items>()
                                  .get(u"Count", &Items::count)
                                  .get(u"Item", {u"Index"}, &Items::item)
                                  .asDefault();
    return table;
  }
  int32_t count() const { return 2; }
  std::u16string item(int32_t index) const {
    if (index < 1 || index > 2) {
      automation::raiseError(automation::errors::kWordNoSuchMember);
    }
    return index == 1 ? u"first" : u"second";
  }
};

class Holder : public automation::Automatable<Holder> {
 public:
  static const automation::MemberTable<Holder>& members() {
    static const auto table =
        automation::MemberTable<Holder>()
            .get(u"Items", &Holder::items)
            .get(u"Label", &Holder::label)
            .raw(u"RawItems", {}, [](Holder& h, automation::CallArgs&) { return h.items(); }, {},
                 {});
    return table;
  }
  Variant items() { return Variant(std::make_shared<Items>()); }
  std::u16string label() const { return u"holder"; }
};

TEST(InterpreterCollections, ArgumentsOfAPropertyWithoutParametersGoToTheDefaultMember) {
  auto holder = std::make_shared<Holder>();
  Interpreter interpreter([holder] { return automation::ObjectRef(holder); });
  auto eval = [&](std::u16string_view e) { return interpreter.evaluate(*parseExpression(e)); };
  EXPECT_EQ(eval(u"Items(2)"), Variant(u"second"));
  EXPECT_EQ(eval(u"RawItems(1)"), Variant(u"first"));
  EXPECT_EQ(eval(u"Items.Count"), Variant(int32_t{2}));
  interpreter.execute(parseStatement(u"Set list = Items"));
  EXPECT_EQ(eval(u"list(1)"), Variant(u"first"));
  EXPECT_EQ(errorOf([&] { eval(u"Items(3)"); }), automation::errors::kWordNoSuchMember);
  EXPECT_EQ(errorOf([&] { eval(u"Label(1)"); }), automation::errors::kWrongNumberOfArguments);
}

}  // namespace
}  // namespace r58046::scenario
