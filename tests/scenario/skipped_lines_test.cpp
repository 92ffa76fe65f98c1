// Lines a world cannot play (against a real Word: desktop events, faults, a file attribute
// the system refuses) are skipped, not failed, and what follows them is not judged.
#include <gtest/gtest.h>

#include <fstream>

#include "automation/text.h"
#include "fakes.h"
#include "scenario/runner.h"

namespace r58046::scenario {
namespace {

using testing::FakeWorld;

// A world that stages nothing outside automation, as the real-Word world of the Windows
// runner.
class RealWordLikeWorld : public FakeWorld {
 public:
  void desktopEvent(DesktopEvent, const std::u16string&) override {
    throw LineNotPlayable("needs the simulated Word's desktop");
  }
  void injectFault(std::u16string_view, int32_t, int32_t) override {
    throw LineNotPlayable("needs the simulated Word's faults");
  }
  void setFileAttribute(std::u16string_view, platform::FileAttribute) override {
    throw LineNotPlayable("the system refused the attribute");
  }
};

class SkippedLinesTest : public ::testing::Test {
 protected:
  // Question 201's master file is in place: `init` has nothing to deliver.
  SkippedLinesTest() {
    std::ofstream(std::filesystem::path(automation::toUtf8(world.folders().work)) / "05804601.doc");
  }

  FileResult play(std::string_view text) { return runScenarioText("t.scn", text, world, {}); }

  RealWordLikeWorld world;
};

TEST_F(SkippedLinesTest, ASkippedLineSkipsTheFileAndWhatFollowsIsNotJudged) {
  FileResult r = play(
      "# A dialog left open\n"
      "init 201\n"
      "word ActiveDocument.Name\n"  // the fake Word has no such member: fails unseen
      "desktop dialog\n"
      "check\n"
      "expect ErreurGenerale = True\n"
      "expect CauseErreur = \"%AL\"\n"
      "word NoSuchMember\n"
      "quit\n");
  // The failed word line before the skip still counts.
  ASSERT_EQ(r.outcome, Outcome::Failed);
  ASSERT_EQ(r.failures.size(), 1u);
  EXPECT_EQ(r.failures[0].line, 3);
  ASSERT_EQ(r.skipped.size(), 1u);
  EXPECT_EQ(r.skipped[0].line, 4);
  EXPECT_EQ(automation::toUtf8(r.skipped[0].seen), "needs the simulated Word's desktop");
  // The host's calls still ran to the end.
  EXPECT_EQ(world.fakeModule().calls.back(), "Quitter");
}

TEST_F(SkippedLinesTest, AFileWithOnlySkippedLinesIsSkippedAndTheStatusStaysZero) {
  FileResult faulted = play(
      "# Word refuses to open the document\n"
      "fault Open 1 5174\n"
      "init 201\n"
      "expect error 5174\n"
      "file Bulletin.doc readonly\n");
  EXPECT_EQ(faulted.outcome, Outcome::Skipped);
  EXPECT_TRUE(faulted.failures.empty());
  ASSERT_EQ(faulted.skipped.size(), 2u) << "each line the world cannot play is told";
  EXPECT_EQ(faulted.skipped[1].line, 5);

  FileResult passed = play("# Nothing to skip\ninit 201\nexpect ok\n");
  EXPECT_EQ(passed.outcome, Outcome::Passed);

  std::vector<FileResult> results{faulted, passed};
  EXPECT_EQ(exitStatus(results), 0);
  EXPECT_EQ(formatText(results),
            "t.scn:2: skipped fault Open 1 5174 (needs the simulated Word's faults)\n"
            "t.scn:5: skipped file Bulletin.doc readonly (the system refused the attribute)\n"
            "1 passed, 0 failed, 1 skipped\n");
  std::string json = formatJson(results);
  EXPECT_NE(json.find("\"result\": \"skipped\""), std::string::npos) << json;
  EXPECT_NE(json.find("\"skipped\": [{\"line\": 2, \"text\": \"fault Open 1 5174\", \"why\": "
                      "\"needs the simulated Word's faults\"}"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"passed\": 1,\n  \"failed\": 0,\n  \"skipped\": 1,\n  \"status\": 0"),
            std::string::npos)
      << json;
  std::string table = formatTable(results);
  EXPECT_NE(table.find("skip"), std::string::npos);
  EXPECT_NE(table.find("1 passed, 0 failed, 1 skipped"), std::string::npos) << table;
}

TEST_F(SkippedLinesTest, WithoutSkippedLinesTheOutputIsAsBefore) {
  std::vector<FileResult> results{play("init 201\n")};
  EXPECT_EQ(formatText(results), "1 passed, 0 failed\n");
  EXPECT_EQ(formatJson(results).find("skipped"), std::string::npos);
}

}  // namespace
}  // namespace r58046::scenario
