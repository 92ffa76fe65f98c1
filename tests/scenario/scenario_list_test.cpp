// Lists of scenario files (`r58046 run @LIST`), and the list of the bundled scenarios that
// run against a real Word: each of them must exist and stay playable there.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "automation/text.h"
#include "scenario/exercises.h"
#include "scenario/script.h"
#include "support/temp_folder.h"

namespace r58046::scenario {
namespace {

namespace fs = std::filesystem;

TEST(ScenarioList, NamesFilesRelativeToTheListWithoutCommentsOrBlankLines) {
  testsupport::TempFolder temp("r58046-list");
  const fs::path& folder = temp.path();
  std::ofstream(folder / "all.list") << "# a comment\r\n"
                                        "\r\n"
                                        "0201/correct_cm.scn\r\n"
                                        "   module/quit module word.scn  \n"
                                        "/elsewhere/x.scn\n"
                                        "  # an indented comment\n"
                                        "last.scn";
  EXPECT_EQ(
      readScenarioList(folder / "all.list"),
      (std::vector<fs::path>{folder / "0201/correct_cm.scn", folder / "module/quit module word.scn",
                             "/elsewhere/x.scn", folder / "last.scn"}));
  EXPECT_THROW(readScenarioList(folder / "missing.list"), std::runtime_error);
}

// The lines a scenario that runs against a real Word must not have: what only the simulated
// Word stages, and what would change the user's own Word or write into its folders.
std::vector<std::string> unfitLines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  Script script = parseScript(text.str(), {{u"WORK", u"/w/"},
                                           {u"DOCS", u"/DOCS/"},
                                           {u"USERTEMPLATES", u"/USERTEMPLATES"},
                                           {u"TEMPLATES", u"/USERTEMPLATES/Oxel Mod\u00e8les/"}});
  static const std::regex userWord(
      R"(Options\.|CommandBars|UserAddress|ShowStartupDialog|DisplayStatusBar|NormalTemplate|AddIns|/DOCS/|/USERTEMPLATES(?!/Oxel))",
      std::regex::icase);
  std::vector<std::string> out;
  for (const Line& line : script.lines) {
    std::string text = automation::toUtf8(line.text);
    bool unfit = line.command == Command::Desktop || line.command == Command::Fault ||
                 line.command == Command::File;
    if ((line.command == Command::Word || line.command == Command::Try) &&
        std::regex_search(text, userWord)) {
      unfit = true;
    }
    if (unfit) {
      out.push_back(std::to_string(line.number) + ": " + text);
    }
  }
  return out;
}

TEST(ScenarioList, TheRealWordScenariosExistAndNeedNothingOfTheSimulation) {
  const char* source = std::getenv("R58046_SOURCE_DIR");
  ASSERT_NE(source, nullptr) << "the tests run with R58046_SOURCE_DIR set";
  fs::path exercises = fs::path(source) / "exercises";
  std::vector<fs::path> files = readScenarioList(exercises / "real-word.list");
  ASSERT_GE(files.size(), 100u) << "most bundled scenarios run against a real Word";
  std::set<fs::path> seen;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    EXPECT_TRUE(seen.insert(file).second) << "listed twice";
    ASSERT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(unfitLines(file), std::vector<std::string>{});
  }
  // One question of each kind at least: tab stops, styles, templates, protected form.
  for (const char* folder : {"0201", "0212", "0219", "0220"}) {
    EXPECT_TRUE(std::any_of(files.begin(), files.end(), [&](const fs::path& f) {
      return f.parent_path().filename() == folder;
    })) << folder;
  }
}

TEST(ScenarioList, TheUnfitLinesAreFound) {
  testsupport::TempFolder temp("r58046-list");
  const fs::path& folder = temp.path();
  std::ofstream(folder / "x.scn") << "init 201\n"
                                     "desktop dialog\n"
                                     "fault Open\n"
                                     "file $WORKBulletin.doc readonly\n"
                                     "word Options.MeasurementUnit = wdInches\n"
                                     "word ActiveDocument.SaveAs FileName:=\"$DOCSx.doc\"\n"
                                     "word ActiveDocument.SaveAs FileName:=\"$TEMPLATESx.dot\"\n"
                                     "expect word Options.MeasurementUnit = 1\n";
  EXPECT_EQ(unfitLines(folder / "x.scn"),
            (std::vector<std::string>{"2: desktop dialog", "3: fault Open",
                                      "4: file /w/Bulletin.doc readonly",
                                      "5: word Options.MeasurementUnit = wdInches",
                                      "6: word ActiveDocument.SaveAs FileName:=\"/DOCS/x.doc\""}));
}

}  // namespace
}  // namespace r58046::scenario
