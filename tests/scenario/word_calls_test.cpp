// The Word calls the module makes in each step of each question's correct answer, counted
// exactly on the simulated Word, against the record in word_calls.txt. Each Word call is a
// round trip to Word's process under Windows, so a change that makes a step call Word more
// often shows here, and one that makes it call less often has its new counts recorded.
//
// With R58046_RECORD_WORD_CALLS=1 the test writes the record instead (tools/word-calls).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "automation/text.h"
#include "scenario/runner.h"
#include "scenario/world_native.h"

namespace r58046::scenario {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRecordCommand = "tools/word-calls";
const std::vector<std::u16string> kSteps{u"InitQuestion", u"TestePoint", u"Fermer"};

struct Counts {
  int question = 0;
  std::vector<size_t> calls;  // per step, in the order of kSteps
  std::string scenario;       // relative to the source tree
};

// A question's correct answer: the first exercises/<question>/correct*.scn.
std::string correctAnswer(const fs::path& root, int question) {
  std::vector<std::string> found;
  fs::path folder = root / "exercises" / ("0" + std::to_string(question));
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (name.rfind("correct", 0) == 0 && entry.path().extension() == ".scn") {
      found.push_back(name);
    }
  }
  std::sort(found.begin(), found.end());
  return found.empty() ? std::string()
                       : "exercises/0" + std::to_string(question) + "/" + found.front();
}

// The scenario as played for the count: a file that ends without `close` gets one before
// its `quit`, so that the three steps of the cycle are counted.
std::string withClose(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  auto starts = [](const std::string& line, const char* word) { return line.rfind(word, 0) == 0; };
  if (std::none_of(lines.begin(), lines.end(), [&](const auto& l) { return starts(l, "close"); })) {
    auto quit = std::find_if(lines.rbegin(), lines.rend(),
                             [&](const auto& l) { return starts(l, "quit"); });
    lines.insert(quit == lines.rend() ? lines.end() : std::prev(quit.base()), "close");
  }
  std::string out;
  for (const std::string& line : lines) {
    out += line + "\n";
  }
  return out;
}

Counts count(const fs::path& root, int question) {
  Counts c{question, {}, correctAnswer(root, question)};
  EXPECT_FALSE(c.scenario.empty()) << "question " << question << " has no correct*.scn";
  if (c.scenario.empty()) {
    return c;
  }
  std::ifstream in(root / c.scenario, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  RunOptions options;
  options.exercises = root / "exercises";
  options.traceWordCalls = true;
  std::unique_ptr<World> world = makeNativeWorld();
  FileResult result = runScenarioText(c.scenario, withClose(text.str()), *world, options);
  EXPECT_EQ(result.outcome, Outcome::Passed) << formatText({result});
  std::map<std::u16string, size_t> perStep;
  for (const HostCallTrace& host : result.trace) {
    perStep.emplace(host.hostCall, host.wordCalls.size());
  }
  for (const std::u16string& step : kSteps) {
    EXPECT_EQ(perStep.count(step), 1u) << c.scenario << " makes no " << automation::toUtf8(step);
    c.calls.push_back(perStep[step]);
  }
  return c;
}

std::vector<Counts> readRecord(const fs::path& file) {
  std::vector<Counts> out;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream fields(line);
    Counts c;
    c.calls.resize(kSteps.size());
    fields >> c.question;
    for (size_t& n : c.calls) {
      fields >> n;
    }
    fields >> c.scenario;
    out.push_back(c);
  }
  return out;
}

void writeRecord(const fs::path& file, const std::vector<Counts>& all) {
  std::ofstream out(file);
  out << "# The Word calls the module makes in each step of each question's correct answer,\n"
         "# counted on the simulated Word (a `close` is played before `quit` where the file\n"
         "# has none); checked by the scenario tests (WordCalls). Made by "
      << kRecordCommand << ":\n# run it again when a change alters a count.\n"
      << "# question  InitQuestion  TestePoint  Fermer  scenario\n";
  for (const Counts& c : all) {
    out << c.question << " " << c.calls[0] << " " << c.calls[1] << " " << c.calls[2] << " "
        << c.scenario << "\n";
  }
}

TEST(WordCalls, EachStepOfEachCorrectAnswerMakesTheRecordedNumberOfWordCalls) {
  const char* source = std::getenv("R58046_SOURCE_DIR");
  if (source == nullptr) {
    GTEST_SKIP() << "R58046_SOURCE_DIR is not set (ctest sets it)";
  }
  const fs::path root(source);
  const fs::path recordFile = root / "tests/scenario/word_calls.txt";
  std::vector<Counts> counted;
  for (int question = 201; question <= 221; ++question) {
    counted.push_back(count(root, question));
  }
  if (std::getenv("R58046_RECORD_WORD_CALLS") != nullptr) {
    writeRecord(recordFile, counted);
    return;
  }

  std::vector<Counts> record = readRecord(recordFile);
  ASSERT_EQ(record.size(), counted.size())
      << "one line per question in " << recordFile << "; make it with " << kRecordCommand;
  for (size_t q = 0; q < counted.size(); ++q) {
    const Counts& now = counted[q];
    const Counts& then = record[q];
    ASSERT_EQ(now.question, then.question);
    for (size_t i = 0; i < kSteps.size(); ++i) {
      const std::string where =
          "question " + std::to_string(now.question) + ", " + automation::toUtf8(kSteps[i]) + ": ";
      if (now.calls[i] > then.calls[i]) {
        ADD_FAILURE() << where << now.calls[i] << " Word calls, " << then.calls[i]
                      << " recorded: a change made it call Word more often. If that is "
                         "intended, record the new counts with "
                      << kRecordCommand;
      } else if (now.calls[i] < then.calls[i]) {
        ADD_FAILURE() << where << now.calls[i] << " Word calls, fewer than the " << then.calls[i]
                      << " recorded: record the new counts with " << kRecordCommand;
      }
    }
  }
}

}  // namespace
}  // namespace r58046::scenario
