// The scenario runner: plays scenario files, each in a new world, and reports what failed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/error.h"
#include "automation/variant.h"
#include "scenario/word_call_trace.h"
#include "scenario/world.h"

namespace r58046::scenario {

// One failed step or expectation of a file.
struct Failure {
  int line = 0;             // 0 when it belongs to no line (the world could not be made)
  std::u16string text;      // the line, after the $ names were replaced
  std::u16string expected;  // what should have been
  std::u16string seen;      // what was
};

enum class Outcome {
  Passed,
  Failed,
  Invalid,  // the file could not be read or parsed: it did not run
  Skipped,  // a line could not be played in this world (LineNotPlayable); nothing failed
};

struct FileResult {
  std::string file;  // as given
  Outcome outcome = Outcome::Passed;
  std::vector<Failure> failures;
  // The lines the world could not play (`seen` says why). Once a line is skipped, the file
  // plays on so that the host's calls end as they should, but what comes after it no longer
  // tells anything: later expectations are not judged and later failures not reported.
  std::vector<Failure> skipped;
  // Invalid: why, with the line and column when it could not be parsed (else 0).
  std::string error;
  int errorLine = 0;
  int errorColumn = 0;
  // For the demonstration table.
  std::u16string description;  // the first comment line
  std::optional<int32_t> question;
  std::u16string expectedVerdict;  // from the expectations on the readings of `check`
  std::u16string obtainedVerdict;  // what the last `check` read
  // With RunOptions::traceWordCalls: the Word calls of each host call.
  std::vector<HostCallTrace> trace;
};

using WorldFactory = std::function<std::unique_ptr<World>()>;

// How a host call line (init, check, close, quit) ended.
struct HostCallOutcome {
  std::optional<automation::AutomationError> error;  // for check: TestePoint's
  // check: what was read (nothing where reading failed).
  std::optional<automation::Variant> erreurGenerale;
  std::optional<automation::Variant> causeErreur;
  std::optional<automation::Variant> bravoNuance;
};

// Watches a file as it plays (the fault campaign arms its fault before a host call and looks
// at the world after it).
class PlayObserver {
 public:
  virtual ~PlayObserver() = default;
  // False: the line is left out (neither run nor observed after).
  virtual bool beforeLine(const Line& /*line*/, World& /*world*/) { return true; }
  // `hostCall` is given for init, check, close and quit, null for the other lines.
  virtual void afterLine(const Line& /*line*/, World& /*world*/,
                         const HostCallOutcome* /*hostCall*/) {}
};

struct RunOptions {
  // Where `init` takes the master files from; without it, `init` delivers nothing and a
  // master file missing from $WORK is reported.
  std::optional<std::filesystem::path> exercises;
  PlayObserver* observer = nullptr;
  // Records the Word calls the module makes in each host call (FileResult::trace).
  bool traceWordCalls = false;
};

// Plays one file in a world made for it; the world is gone when this returns.
FileResult runScenarioFile(const std::filesystem::path& file, const WorldFactory& makeWorld,
                           const RunOptions& options);

// Plays one scenario given as text (for the file named `name`) in `world`.
FileResult runScenarioText(const std::string& name, std::string_view text, World& world,
                           const RunOptions& options);

// Whether a value read matches the expected one: numbers (and Booleans) as single-precision
// numbers, strings exactly, a numeric text against a number as that number, objects by
// identity (an object against a value through its default member).
bool valuesMatch(const automation::Variant& actual, const automation::Variant& expected);

// 0 when every file passed or was skipped, 2 when a file could not be read or parsed, else 1.
int exitStatus(const std::vector<FileResult>& results);

// The results as `r58046 run` prints them: the Word-call trace of each file that has one,
// one line per failure (and per skipped line), then "N passed, M failed" (", K skipped" when
// a file was skipped).
std::string formatText(const std::vector<FileResult>& results);
// The same as one JSON document.
std::string formatJson(const std::vector<FileResult>& results);
// The demonstration table: question, what the trainee did, verdicts, pass or fail.
std::string formatTable(const std::vector<FileResult>& results);

// A verdict in a few words: "correct", "D", "general %AL", with " + nuance" when
// BravoNuance is True; "-" when nothing is known.
std::u16string describeVerdict(const std::optional<automation::Variant>& erreurGenerale,
                               const std::optional<automation::Variant>& causeErreur,
                               const std::optional<automation::Variant>& bravoNuance);

}  // namespace r58046::scenario
