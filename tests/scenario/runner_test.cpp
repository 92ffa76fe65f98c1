// The runner over a world of fakes: which failures fail a file, what expectations look at,
// how values compare, and what `r58046 run` prints and answers.
#include "scenario/runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "automation/text.h"
#include "fakes.h"
#include "support/temp_folder.h"

namespace r58046::scenario {
namespace {

using automation::Args;
using automation::AutomationError;
using automation::InvokeKind;
using automation::Variant;
using testing::FakeModule;
using testing::FakeObject;
using testing::FakeWorld;

namespace fs = std::filesystem;

std::string utf8(std::u16string_view s) {
  return automation::toUtf8(s);
}

// The failures of a result as "line: expected | seen".
std::vector<std::string> failures(const FileResult& r) {
  std::vector<std::string> out;
  for (const auto& f : r.failures) {
    out.push_back(std::to_string(f.line) + ": " + utf8(f.expected) + " | " + utf8(f.seen));
  }
  return out;
}

class RunnerTest : public ::testing::Test {
 protected:
  RunnerTest() {
    world.makeWord = [this] {
      auto app = FakeObject::make("word", world.journal);
      app->on(u"Boom", [](InvokeKind, Args&) -> Variant {
        automation::raiseError(4198, u"Command failed", u"Microsoft Word");
      });
      app->on(u"Fine", [](InvokeKind, Args&) { return Variant(); });
      app->value(u"Name", Variant(u"Word"));
      app->on(u"CentimetersToPoints", [](InvokeKind, Args& a) {
        return Variant(static_cast<float>(a.at(0).get().toDouble() * 28.35));
      });
      return automation::ObjectRef(app);
    };
  }

  FileResult play(std::string_view text) { return runScenarioText("t.scn", text, world, options); }

  FakeWorld world;
  RunOptions options;
};

using Lines = std::vector<std::string>;

TEST_F(RunnerTest, AFailedWordLineFailsTheFileUnlessTheNextLineExpectsIt) {
  FileResult r = play(
      "word Boom\n"
      "expect error 4198\n"
      "word Boom\n"
      "try Boom\n"
      "expect ok\n"
      "word Fine\n"
      "expect ok\n");
  EXPECT_EQ(r.outcome, Outcome::Failed);
  EXPECT_EQ(failures(r), (Lines{"3: Boom to succeed | error 4198: Command failed",
                                "5: ok | Boom failed with error 4198: Command failed"}));
  EXPECT_EQ(world.started, 1) << "Word starts at the first word line, once";
}

TEST_F(RunnerTest, HostCallsAreRecordedAndExpectationsLookAtTheLastOne) {
  world.fakeModule().failures.emplace(
      "InitQuestion",
      AutomationError(5941, u"DLL R58046 - CLASSE Module\n\r - SERVICE InitQuestion - OBJET x",
                      u"The requested member of the collection does not exist."));
  FileResult r = play(
      "expect ok\n"
      "init 222\n"
      "expect error\n"
      "expect error 5941\n"
      "expect error source \"CLASSE Module\\n\\r - SERVICE InitQuestion\"\n"
      "expect error 91\n"
      "expect error source \"Quitter\"\n"
      "expect ok\n"
      "check\n"
      "expect ok\n"
      "expect error\n");
  EXPECT_EQ(failures(r),
            (Lines{"1: ok | nothing has run yet",
                   "6: error 91 | InitQuestion failed with error 5941: The requested member of "
                   "the collection does not exist.",
                   "7: error source \"Quitter\" | source \"DLL R58046 - CLASSE "
                   "Module\\n\\r - SERVICE InitQuestion - OBJET x\"",
                   "8: ok | InitQuestion failed with error 5941: The requested member of the "
                   "collection does not exist.",
                   "11: error | TestePoint succeeded"}));
  const auto& m = world.fakeModule();
  EXPECT_EQ(m.question, 222);
  EXPECT_EQ(m.folder, world.folders().work);
  EXPECT_FALSE(m.application);
  EXPECT_EQ(m.handle, -1);
  // The scenario did not quit: the runner did, after the last line.
  EXPECT_EQ(m.calls.back(), "Quitter");
}

TEST_F(RunnerTest, CheckReadsWhatAHostReadsAndExpectationsCompareIt) {
  FakeModule& m = world.fakeModule();
  m.causeErreur = u"D";
  m.bravoNuance = true;
  m.complement = {u"x", u"y"};
  FileResult r = play(
      "expect CauseErreur = \"D\"\n"
      "check\n"
      "expect ErreurGenerale = False\n"
      "expect CauseErreur = \"D\"\n"
      "expect causeerreur <> \"A\"\n"
      "expect BravoNuance = True\n"
      "expect BravoNuance = -1\n"
      "expect Complement.count = 2\n"
      "expect Complement(2) = \"y\"\n"
      "expect Complement.item(1) = \"x\"\n"
      "expect CauseErreur = \"d\"\n"
      "expect Complement(3) = \"z\"\n"
      "quit\n");
  EXPECT_EQ(failures(r),
            (Lines{"1: CauseErreur = \"D\" | no check has run", "11: CauseErreur = \"d\" | \"D\"",
                   "12: Complement(3) = \"z\" | no complementary string 3 (2 read)"}));
  EXPECT_EQ(m.calls, (std::vector<std::string>{"TestePoint", "ErreurGenerale", "CauseErreur",
                                               "BravoNuance", "Complement", "Quitter"}));
  EXPECT_EQ(utf8(r.obtainedVerdict), "D + nuance");
}

TEST_F(RunnerTest, ReadingsAreMadeAfterAFailedTestePointAndTheirFailuresRecorded) {
  FakeModule& m = world.fakeModule();
  m.failures.emplace("TestePoint", AutomationError(4198, u"Word", u"Command failed"));
  m.failures.emplace("BravoNuance", AutomationError(91, u"R58046", u""));
  m.noComplement = true;
  FileResult r = play(
      "check\n"
      "expect error 4198\n"
      "expect CauseErreur = \"\"\n"
      "expect BravoNuance = False\n"
      "expect Complement.count = 0\n");
  EXPECT_EQ(failures(r),
            (Lines{"4: BravoNuance = False | reading it failed with error 91: Object variable or "
                   "With block variable not set",
                   "5: Complement.count = 0 | reading it failed with error 91: Object variable "
                   "or With block variable not set"}));
}

// An observer sees every line before and after it runs, and for the host calls how they
// ended, with the readings of check.
TEST_F(RunnerTest, AnObserverSeesEachLineAndHowHostCallsEnded) {
  struct Watch : PlayObserver {
    std::vector<std::string> seen;
    bool beforeLine(const Line& line, World&) override {
      seen.push_back("before " + std::to_string(line.number));
      return line.number != 5;
    }
    void afterLine(const Line& line, World&, const HostCallOutcome* call) override {
      std::string entry = "after " + std::to_string(line.number);
      if (call != nullptr) {
        entry += call->error ? " error " + std::to_string(call->error->number()) : " ok";
        if (call->causeErreur) {
          entry += " " + utf8(call->causeErreur->toString());
        }
      }
      seen.push_back(entry);
    }
  } watch;
  world.fakeModule().causeErreur = u"B";
  world.fakeModule().failures.emplace("Fermer", AutomationError(462, u"x", u"gone"));
  options.observer = &watch;
  play("init 201\nexpect ok\ncheck\nclose\nquit\n");
  EXPECT_EQ(watch.seen, (std::vector<std::string>{"before 1", "after 1 ok", "before 2", "after 2",
                                                  "before 3", "after 3 ok B", "before 4",
                                                  "after 4 error 462", "before 5"}));
  EXPECT_EQ(world.fakeModule().calls.back(), "Quitter")
      << "a quit left out: the runner's own quit at the end";
}

TEST_F(RunnerTest, WordExpectationsCompareAtSinglePrecisionAndStringsExactly) {
  FileResult r = play(
      "expect no-word-running\n"
      "expect word wdRed = 6\n"
      "word x = 1\n"
      "expect word-running\n"
      "expect word CentimetersToPoints(2) = 56.7\n"
      "expect word CentimetersToPoints(11) = 311.85\n"
      "expect word CentimetersToPoints(2) <> 56.71\n"
      "expect word CentimetersToPoints(2) = \"56.7\"\n"
      "expect word x = True\n"
      "expect word Name = \"word\"\n"
      "desktop close-word\n"
      "expect no-word-running\n"
      "expect word Name = \"Word\"\n"
      "desktop dialog\n"
      "word y = 2\n"
      "expect word-running\n");
  EXPECT_EQ(failures(r),
            (Lines{"9: word x = True | 1", "10: word Name = \"word\" | \"Word\"",
                   "13: word Name = \"Word\" | error 91: No Word application to run the "
                   "statement in",
                   "14: the line to run | no Word runs"}));
  EXPECT_EQ(world.started, 2) << "a word line after Word was closed starts a new one";
}

TEST_F(RunnerTest, InitDeliversMasterFilesAndHostWordPassesTheUsersWord) {
  fs::path exercises = fs::path(utf8(world.folders().documents)) / "exercises";
  fs::create_directories(exercises);
  std::ofstream(exercises / "05804601.doc") << "master";
  std::ofstream(exercises / "05804617.doc") << "master";
  std::ofstream(fs::path(utf8(world.folders().work)) / "05804617.dot") << "the scenario's own";
  options.exercises = exercises;
  FileResult r = play(
      "init 201\n"
      "expect file $WORK05804601.doc exists\n"
      "word x = 1\n"
      "init 217 host-word\n");
  EXPECT_EQ(failures(r), (Lines{}));
  EXPECT_EQ(world.fakeModule().application, world.runningWord());
  EXPECT_EQ(world.fakeModule().handle, 0x1001);
  std::ifstream kept(fs::path(utf8(world.folders().work)) / "05804617.dot");
  std::string text;
  std::getline(kept, text);
  EXPECT_EQ(text, "the scenario's own") << "a file already in $WORK is not replaced";

  FakeWorld other;
  FileResult missing = runScenarioText("m.scn", "init 207\n", other, options);
  EXPECT_EQ(failures(missing),
            (Lines{"1: the master files delivered | 05804607.doc: not in " + exercises.string(),
                   "1: the master files delivered | 15804607.doc: not in " + exercises.string()}));
}

TEST_F(RunnerTest, DesktopFaultAndFileLinesAndPathExpectations) {
  std::ofstream(fs::path(utf8(world.folders().work)) / "a b.doc") << "x";
  FileResult r = play(
      "word x = 1\n"
      "desktop dialog\n"
      "desktop dialog \"Police\"\n"
      "fault TabStops 2 &H80010001\n"
      "file $WORKa b.doc readonly\n"
      "expect file $WORKa b.doc exists\n"
      "expect file \"$WORKa b.doc\" exists\n"
      "expect file $WORKc.doc absent\n"
      "expect file $WORK absent\n"
      "expect folder $WORK exists\n"
      "expect folder $TEMPLATES absent\n"
      "file $WORKmissing.doc hidden\n"
      "expect folder $WORKa b.doc exists\n");
  EXPECT_EQ(failures(r).size(), 2U);
  EXPECT_EQ(r.failures[0].line, 12);
  EXPECT_EQ(failures(r)[1],
            "13: folder " + utf8(world.folders().work) + "a b.doc exists | it is absent");
  EXPECT_EQ(world.captions, (std::vector<std::u16string>{u"Paragraphe", u"Police"}));
  EXPECT_EQ(world.faults, (std::vector<std::string>{"TabStops 2 -2147418111"}));
  EXPECT_TRUE(world.files().hasAttribute(world.folders().work + u"a b.doc",
                                         platform::FileAttribute::ReadOnly));
}

// A Word call of the module, as the world tells it: failing with `error` when not 0.
void wordCall(std::u16string_view interfaceName, std::u16string_view member, InvokeKind kind,
              int32_t error = 0) {
  automation::ObservedCall call{interfaceName, member, kind};
  try {
    automation::observeCall(call, [&](automation::ObservedCall&) {
      if (error != 0) {
        automation::raiseError(error, u"The requested member of the collection does not exist.");
      }
      return Variant();
    });
  } catch (const AutomationError&) {
    // The module ignores it, as it ignores a step's failure.
  }
}

TEST_F(RunnerTest, TheTraceTellsEachHostCallsWordCallsInOrderThenTheirCount) {
  options.traceWordCalls = true;
  FakeModule& m = world.fakeModule();
  m.actions["InitQuestion"] = [] {
    wordCall(u"Application", u"Documents", InvokeKind::Get);
    wordCall(u"Documents", u"Item", InvokeKind::Get, 5941);
    wordCall(u"Window", u"WindowState", InvokeKind::Put);
    wordCall(u"", u"", InvokeKind::Get);
  };
  m.actions["TestePoint"] = [] { wordCall(u"Selection", u"GoTo", InvokeKind::Method); };
  // A reading that calls Word is traced too; readings that do not are left out.
  m.actions["CauseErreur"] = [] { wordCall(u"Range", u"Text", InvokeKind::Get); };
  FileResult r = play("init 222\ncheck\nclose\n");
  EXPECT_EQ(formatText({r}),
            "t.scn: Word calls\n"
            "  line 1: InitQuestion\n"
            "    Application.Documents get\n"
            "    Documents.Item get failed with error 5941: The requested member of the "
            "collection does not exist.\n"
            "    Window.WindowState put\n"
            "    Object.(default member) get\n"
            "    4 Word calls\n"
            "  line 2: TestePoint\n"
            "    Selection.GoTo call\n"
            "    1 Word call\n"
            "  line 2: the readings after TestePoint\n"
            "    Range.Text get\n"
            "    1 Word call\n"
            "  line 3: Fermer\n"
            "    0 Word calls\n"
            "  end of file: Quitter\n"
            "    0 Word calls\n"
            "1 passed, 0 failed\n");
  EXPECT_NE(formatJson({r}).find(
                "\"trace\": [{\"line\": 1, \"hostCall\": \"InitQuestion\", \"wordCalls\": "
                "[{\"interface\": \"Application\", \"member\": \"Documents\", \"kind\": "
                "\"get\"}, {\"interface\": \"Documents\", \"member\": \"Item\", \"kind\": "
                "\"get\", \"error\": 5941, \"description\": \"The requested member of the "
                "collection does not exist.\"}, "),
            std::string::npos);
  EXPECT_NE(formatJson({r}).find("\"hostCall\": \"Fermer\", \"wordCalls\": [], \"count\": 0}"),
            std::string::npos);

  // Observation ends with the host call: the Word lines between are not the module's.
  EXPECT_EQ(automation::callObserver(), nullptr);
}

TEST_F(RunnerTest, WithoutTheOptionNothingIsTracedAndAWorldMaySayItCannot) {
  world.fakeModule().actions["InitQuestion"] = [] {
    wordCall(u"Application", u"Documents", InvokeKind::Get);
  };
  FileResult r = play("init 222\nquit\n");
  EXPECT_TRUE(r.trace.empty());
  EXPECT_EQ(formatText({r}), "1 passed, 0 failed\n");

  options.traceWordCalls = true;
  world.observable = false;
  r = play("init 222\nquit\n");
  EXPECT_EQ(formatText({r}),
            "t.scn: Word calls\n"
            "  line 1: InitQuestion\n"
            "    (this world cannot tell the module's Word calls)\n"
            "  line 2: Quitter\n"
            "    (this world cannot tell the module's Word calls)\n"
            "1 passed, 0 failed\n");
}

TEST(ValuesMatch, NumbersAtSinglePrecisionStringsExactly) {
  EXPECT_TRUE(valuesMatch(Variant(56.7f), Variant(56.7)));
  EXPECT_TRUE(valuesMatch(Variant(311.85f), Variant(311.85)));
  EXPECT_FALSE(valuesMatch(Variant(56.7f), Variant(56.71)));
  EXPECT_TRUE(valuesMatch(Variant::boolean(true), Variant(int16_t{-1})));
  EXPECT_FALSE(valuesMatch(Variant::boolean(true), Variant(int16_t{1})));
  EXPECT_TRUE(valuesMatch(Variant(int32_t{9999999}), Variant(9999999.0)));
  EXPECT_TRUE(valuesMatch(Variant(u"Bulletin.doc"), Variant(u"Bulletin.doc")));
  EXPECT_FALSE(valuesMatch(Variant(u"Bulletin.doc"), Variant(u"bulletin.doc")));
  EXPECT_FALSE(valuesMatch(Variant(u"A "), Variant(u"A")));
  EXPECT_TRUE(valuesMatch(Variant(u"56.7"), Variant(56.7f)));
  EXPECT_FALSE(valuesMatch(Variant(u"abc"), Variant(0)));
  EXPECT_TRUE(valuesMatch(Variant(), Variant(u"")));
  EXPECT_TRUE(valuesMatch(Variant(), Variant(int16_t{0})));
  EXPECT_TRUE(valuesMatch(Variant::nothing(), Variant::nothing()));
  auto journal = std::make_shared<testing::Journal>();
  auto object = FakeObject::make("o", journal);
  object->value(u"", Variant(u"default"));
  EXPECT_FALSE(valuesMatch(Variant(object), Variant::nothing()));
  EXPECT_TRUE(valuesMatch(Variant(object), Variant(object)));
  EXPECT_TRUE(valuesMatch(Variant(object), Variant(u"default")));
}

TEST(Verdicts, InAFewWords) {
  auto v = [](std::optional<Variant> g, std::optional<Variant> c, std::optional<Variant> n) {
    return utf8(describeVerdict(g, c, n));
  };
  EXPECT_EQ(v(Variant::boolean(false), Variant(u""), Variant::boolean(false)), "correct");
  EXPECT_EQ(v(Variant::boolean(false), Variant(u""), Variant::boolean(true)), "correct + nuance");
  EXPECT_EQ(v(Variant::boolean(true), Variant(u"%AL"), std::nullopt), "general %AL");
  EXPECT_EQ(v(std::nullopt, Variant(u"D"), std::nullopt), "D");
  EXPECT_EQ(v(std::nullopt, std::nullopt, std::nullopt), "-");
}

// Scenario files on disk, each in its own world: reading, parsing, going on after failures,
// and the three outputs.
class RunFilesTest : public ::testing::Test {
 protected:
  fs::path write(const std::string& name, const std::string& text) {
    fs::path p = folder_ / name;
    std::ofstream(p) << text;
    return p;
  }
  std::vector<FileResult> run(const std::vector<fs::path>& files) {
    std::vector<FileResult> out;
    for (const auto& f : files) {
      out.push_back(runScenarioFile(
          f,
          [&] {
            ++worlds;
            return std::make_unique<FakeWorld>();
          },
          RunOptions{}));
    }
    return out;
  }

  int worlds = 0;
  testsupport::TempFolder temp_{"r58046-files"};
  const fs::path& folder_ = temp_.path();
};

TEST_F(RunFilesTest, EachFileRunsInItsOwnWorldAndTheStatusSaysTheWorst) {
  fs::path good = write("good.scn", "# Nothing\nexpect no-word-running\n");
  fs::path bad = write("bad.scn", "# Two\nexpect word-running\nexpect error\n");
  fs::path broken = write("broken.scn", "\n\nword x = (\n");
  fs::path missing = folder_ / "missing.scn";

  std::vector<FileResult> passing = run({good});
  EXPECT_EQ(exitStatus(passing), 0);
  EXPECT_EQ(formatText(passing), "1 passed, 0 failed\n");

  std::vector<FileResult> results = run({bad, good});
  EXPECT_EQ(exitStatus(results), 1);
  EXPECT_EQ(formatText(results),
            bad.string() + ":2: expected word-running, seen no Word runs\n" + bad.string() +
                ":3: expected error, seen nothing has run yet\n" + "1 passed, 1 failed\n");

  worlds = 0;
  results = run({broken, bad, missing, good});
  EXPECT_EQ(worlds, 3) << "a file that cannot be read needs no world";
  EXPECT_EQ(exitStatus(results), 2);
  EXPECT_EQ(results[0].outcome, Outcome::Invalid);
  EXPECT_EQ(results[2].outcome, Outcome::Invalid);
  EXPECT_EQ(results[3].outcome, Outcome::Passed);
  std::string text = formatText(results);
  EXPECT_NE(text.find(broken.string() + ":3:11: expected an expression\n"), std::string::npos);
  EXPECT_NE(text.find(missing.string() + ": cannot be read\n"), std::string::npos);
  EXPECT_NE(text.find("1 passed, 3 failed\n"), std::string::npos);

  std::string json = formatJson(run({bad, broken}));
  EXPECT_NE(json.find("{\"file\": \"" + bad.string() +
                      "\", \"result\": \"failed\", \"description\": \"Two\""),
            std::string::npos);
  EXPECT_NE(json.find("{\"line\": 2, \"text\": \"expect word-running\", \"expected\": "
                      "\"word-running\", \"seen\": \"no Word runs\"}"),
            std::string::npos);
  EXPECT_NE(json.find("\"result\": \"invalid\", \"error\": \"expected an expression\", \"line\": "
                      "3, \"column\": 11"),
            std::string::npos);
  EXPECT_NE(json.find("\"passed\": 0,\n  \"failed\": 2,\n  \"status\": 2\n}"), std::string::npos);
}

// Lines nested far deeper than any scenario needs: a parse error at the line and column
// where the nesting goes too deep, the file not played, and every other file still reported
// (a stack overflow would lose them all).
TEST_F(RunFilesTest, DeeplyNestedExpressionsAreParseErrorsNotCrashes) {
  std::string parentheses = "word x = " + std::string(20000, '(') + "1" + std::string(20000, ')');
  std::string chain = "word x = \"a\"";
  for (int i = 1; i < 30000; ++i) {
    chain += " & \"a\"";
  }
  std::string calls = "word x = ";
  for (int i = 0; i < 50000; ++i) {
    calls += "Chr(";
  }
  calls += "65" + std::string(50000, ')');
  std::string signs = "expect word " + std::string(100000, '-') + "1 = 1";
  fs::path deep1 = write("parentheses.scn", "# Deep\n" + parentheses + "\n");
  fs::path deep2 = write("chain.scn", "\n" + chain + "\n");
  fs::path deep3 = write("calls.scn", "init 201\n" + calls + "\n");
  fs::path deep4 = write("signs.scn", signs + "\n");
  fs::path good = write("good.scn", "expect no-word-running\n");

  std::vector<FileResult> results = run({deep1, deep2, deep3, deep4, good});
  ASSERT_EQ(results.size(), 5u);
  EXPECT_EQ(exitStatus(results), 2);
  EXPECT_EQ(results[4].outcome, Outcome::Passed);
  const int limit = kMaxNesting;
  struct Where {
    int line;
    int column;
  };
  // Where the nesting goes past the limit: the 201st parenthesis, the 200th "&" (the tree
  // is one level deeper than its operators), the 201st call, the 201st level of signs.
  const Where expected[] = {
      {2, 10 + limit},            // "word x = " then one parenthesis a column
      {2, 14 + 6 * (limit - 1)},  // "word x = \"a\"" then " & \"a\"" six columns a term
      {2, 10 + 4 * limit},        // "Chr(" four columns a call
      {1, 12 + limit},            // "expect word " then one sign a column
  };
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(results[i].file);
    EXPECT_EQ(results[i].outcome, Outcome::Invalid);
    EXPECT_NE(results[i].error.find("nested too deeply"), std::string::npos) << results[i].error;
    EXPECT_EQ(results[i].errorLine, expected[i].line);
    EXPECT_EQ(results[i].errorColumn, expected[i].column);
  }
  EXPECT_NE(formatText(results).find(deep1.string() + ":2:"), std::string::npos);
}

// A complementary string's position out of range is the file's parse error, not the end of
// the whole run.
TEST_F(RunFilesTest, APositionOutOfRangeIsAParseError) {
  fs::path huge = write("huge.scn", "check\nexpect Complement(99999999999) = \"x\"\n");
  fs::path zero = write("zero.scn", "check\n  expect Complement.item(0) = \"x\"\n");
  fs::path good = write("good.scn", "expect no-word-running\n");
  std::vector<FileResult> results = run({huge, zero, good});
  EXPECT_EQ(exitStatus(results), 2);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(results[i].outcome, Outcome::Invalid) << results[i].file;
    EXPECT_EQ(results[i].errorLine, 2);
    EXPECT_EQ(results[i].error, "expected the position of a complementary string, from 1");
  }
  EXPECT_EQ(results[0].errorColumn, 8);
  EXPECT_EQ(results[1].errorColumn, 21);
  EXPECT_EQ(results[2].outcome, Outcome::Passed);
}

// Up to the limit, a line parses and evaluates, also in the sanitizer build's larger frames.
TEST_F(RunnerTest, ExpressionsNestedUpToTheLimitParseAndEvaluate) {
  const int depth = kMaxNesting - 2;
  std::string parentheses = std::string(depth, '(') + "1" + std::string(depth, ')');
  std::string chain = "\"a\"";
  for (int i = 1; i < depth; ++i) {
    chain += " & \"a\"";
  }
  // A sign and a parenthesis are two levels each.
  const int signDepth = depth / 2;
  std::string signs;
  for (int i = 0; i < signDepth; ++i) {
    signs += "-(";
  }
  signs += "1" + std::string(signDepth, ')');
  FileResult r = play("expect word " + parentheses + " = 1\n" + "expect word " + chain + " = \"" +
                      std::string(depth, 'a') + "\"\n" + "expect word " + signs + " = " +
                      (signDepth % 2 == 0 ? "1" : "-1") + "\n");
  EXPECT_EQ(r.outcome, Outcome::Passed) << ::testing::PrintToString(failures(r));
}

}  // namespace
}  // namespace r58046::scenario
