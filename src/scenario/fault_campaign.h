// The fault-injection campaign: each question played from the host's side with one Word call
// failing at a time, and the module's promises checked after each run.
//
// A run plays one exercise with the question's correct answer (taken from its bundled
// scenario exercises/<question>/correct*.scn): the user's settings and, when the host passes
// its Word, two user documents with unsaved edits; then init, the answer, check, close and
// quit; then the next exercise of the same question (init, the answer, check, close, quit).
// One host step of the first exercise (init, check, close or quit) gets the fault: its n-th
// Word call fails with 4198, or Word disappears (462, as when the user closes it) at the first
// call of one member. A run without a fault (the baseline) counts the calls and members of
// each step, from which the runs with faults are made.
//
// Each run is a child process, in a folder of its own, started from a scratch current folder
// (a module that deletes by a relative pattern hits that folder, never the source tree); the
// module's file operations go through a file system that records them and refuses any outside
// the run's folder.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace r58046::scenario::faults {

enum class Step { Init, Check, Close, Quit };
inline constexpr int kSteps = 4;
std::string_view stepName(Step step);

enum class FaultKind {
  None,       // the baseline
  CallFails,  // the n-th Word call of the step fails with 4198
  WordGone,   // Word disappears (462) at the first call of a member within the step
};

// One run of the campaign. Its id names it in the report and replays it (`--run ID`):
// "212/host/init/call-37", "212/own/close/gone-Documents", "212/host/baseline".
struct RunSpec {
  int32_t question = 201;
  bool hostWord = false;  // the host passes its Word (with the user's documents in it)
  FaultKind kind = FaultKind::None;
  Step step = Step::Init;
  int32_t call = 0;    // CallFails: which call of the step, from 1
  std::string member;  // WordGone: at whose first call; CallFails: the member (for the report)

  std::string id() const;
  static std::optional<RunSpec> parse(std::string_view id);
};

enum class Invariant {
  NoCrash,
  NoHang,
  FailureReported,   // a step that failed says so; a step that said it succeeded did its work
  FilesUntouched,    // nothing outside the working and template folders is touched
  DocumentsKept,     // the user's documents and their unsaved edits
  SettingsBack,      // the user's settings after close, where Word still answers
  NextExerciseWorks  // a new init, the correct answer and check give the correct verdict
};
inline constexpr int kInvariants = 7;
std::string_view invariantName(Invariant invariant);

enum class Verdict : uint8_t { Held, Violated, NotApplicable };

struct Finding {
  Verdict verdict = Verdict::Held;
  std::string kind;    // a short class of violation ("settings: DisplayTooltips"), for counting
  std::string detail;  // what was seen
};

struct RunResult {
  RunSpec plan;
  std::array<Finding, kInvariants> findings;
  bool faultFired = false;
  // The Word calls of each step, by member name, in order (counted in every run, used from
  // the baseline).
  std::array<std::vector<std::string>, kSteps> calls;

  Finding& operator[](Invariant i) { return findings[static_cast<size_t>(i)]; }
  const Finding& operator[](Invariant i) const { return findings[static_cast<size_t>(i)]; }
};

// --- one run, in the current process (the campaign calls it in a child)

// Plays the run in a new native world under `runFolder` (the world, its scratch current
// folder and its canary files are made there; the process's current folder is changed).
// The crash and hang invariants are left to the caller.
RunResult playRun(const RunSpec& plan, const std::filesystem::path& exercises,
                  const std::filesystem::path& runFolder);

// The correct answer of a question: the acting lines (word, try, desktop, file) of its correct
// scenario before its first init (`pre`) and between its first init and its first check
// (`answer`), and the verdict its expectations after that check state ("correct",
// "D + nuance").
struct CorrectAnswer {
  std::vector<std::string> pre;
  std::vector<std::string> answer;
  std::string verdict;  // what its first check expects, in the words of describeVerdict
};
// The correct answer of a question, from its bundled scenario; nullopt when it has none.
std::optional<CorrectAnswer> correctAnswer(int32_t question,
                                           const std::filesystem::path& exercises);

// A file system that records every change the module asks for and does only those inside
// `sandbox` (elsewhere it fails with error 75 and changes nothing). Paths are made absolute
// against the current folder. The changes whose path lies outside every allowed folder
// (the working and template folders) are the violations.
class SandboxedFiles : public platform::FileSystem {
 public:
  SandboxedFiles(platform::FileSystem& inner, const std::filesystem::path& sandbox);

  // A change asked for outside the allowed folders.
  struct Change {
    std::string what;            // "delete", "rename to", "make the folder", ...
    std::filesystem::path path;  // absolute and normal
    std::string text() const { return what + " " + path.string(); }
  };

  void allow(const std::filesystem::path& folder) { allowed_.push_back(normal(folder)); }
  // The changes outside the allowed folders, in order.
  const std::vector<Change>& outside() const { return outside_; }
  static bool inside(const std::filesystem::path& path, const std::filesystem::path& folder);

  void setAttributesNormal(std::u16string_view path) override;
  void setAttribute(std::u16string_view path, platform::FileAttribute attribute) override;
  bool hasAttribute(std::u16string_view path, platform::FileAttribute attribute) override;
  void rename(std::u16string_view from, std::u16string_view to) override;
  void deleteFile(std::u16string_view path) override;
  void deletePattern(std::u16string_view pattern) override;
  void removeFolder(std::u16string_view path) override;
  bool exists(std::u16string_view path) override;
  bool folderExists(std::u16string_view path) override;
  bool dirFinds(std::u16string_view path) override;
  platform::FileTime modificationTime(std::u16string_view path) override;
  bool makeSureDirectoryPathExists(std::u16string_view path) override;

 private:
  static std::filesystem::path normal(const std::filesystem::path& path);
  // Records a change; false when it must not be done.
  bool change(std::string_view what, std::u16string_view path);

  platform::FileSystem& inner_;
  std::filesystem::path sandbox_;
  std::vector<std::filesystem::path> allowed_;
  std::vector<Change> outside_;
};

// --- the campaign

struct CampaignOptions {
  std::filesystem::path exercises;
  std::vector<int32_t> questions;  // empty: 201 to 221
  bool sample = false;             // a few runs per step instead of every call
  int jobs = 1;                    // runs at the same time
  std::chrono::seconds timeout{60};
  // Told after each run (for a progress line); may be null.
  std::function<void(size_t done, size_t total)> progress;
};

struct CampaignReport {
  std::vector<RunResult> runs;  // in the order of the run list
  std::chrono::milliseconds elapsed{0};
  bool sample = false;
};

CampaignReport runCampaign(const CampaignOptions& options);

// Plays runs each in a child process of its own, `jobs` at a time, each in a new folder of a
// scratch folder and stopped after `timeout`; fills in the crash and hang invariants (a run
// that did not end normally has its other invariants not applicable). Results in the order
// of `specs`; `oneDone` (may be null) is told after each run.
using PlayFunction =
    std::function<RunResult(const RunSpec& plan, const std::filesystem::path& runFolder)>;
std::vector<RunResult> playIsolated(const std::vector<RunSpec>& specs, const PlayFunction& play,
                                    int jobs, std::chrono::seconds timeout,
                                    const std::function<void()>& oneDone = nullptr);
// The campaign's play: playRun with the bundled exercises.
PlayFunction playWith(const std::filesystem::path& exercises);

// The figures: runs, and for each invariant held, violated and not applicable, the kinds of
// violation with their count and first run.
std::string formatReport(const CampaignReport& report);
// One run in full: each invariant with what was seen.
std::string formatRun(const RunResult& run);

// What a run of the campaign may violate without failing it: whole invariants, or kinds of
// violation (a kind is tolerated when it starts with one of the texts).
struct Tolerated {
  std::set<Invariant> invariants;
  std::vector<std::string> kinds;

  bool covers(Invariant invariant, const Finding& finding) const;
};
// Whether an invariant was violated in some run in a way not tolerated.
bool anyViolation(const CampaignReport& report, const Tolerated& tolerated);
// An invariant by its name, with blanks or dashes ("settings back", "settings-back").
std::optional<Invariant> parseInvariant(std::string_view name);

}  // namespace r58046::scenario::faults
