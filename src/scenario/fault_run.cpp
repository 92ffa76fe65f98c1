// One run of the fault campaign: the scenario it plays, the fault it injects, and the checks
// of the module's promises after it.
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "automation/error.h"
#include "automation/text.h"
#include "platform/posix_file_system.h"
#include "platform/sim_desktop.h"
#include "scenario/exercises.h"
#include "scenario/fault_campaign.h"
#include "scenario/interpreter.h"
#include "scenario/runner.h"
#include "scenario/text_output.h"
#include "scenario/world_native.h"
#include "simword/session.h"

namespace r58046::scenario::faults {

namespace fs = std::filesystem;
using automation::AutomationError;
using automation::fromUtf8;
using automation::toUtf8;
using automation::Variant;

namespace {

// The user's own settings before the exercise, different from Word's defaults where the
// module changes them, so that a setting not put back shows.
constexpr const char* kUserAddress =
    R"("Jeanne Martin" & Chr(13) & "12 rue des Lilas" & Chr(13) & "75011 Paris")";

// The user's documents with unsaved edits, in the runs where the host passes its Word; the
// second one is named like the working file of most exercises, in the user's own folder.
struct UserDocument {
  const char* variable;
  const char* file;
  const char* saved;
  const char* edit;  // typed after the save, never saved by the user
};
constexpr UserDocument kUserDocuments[] = {
    {"u1", "Lettre.doc", "Lettre de Jeanne.", "EDIT-LETTRE-UNSAVED"},
    {"u2", "Bulletin.doc", "Bulletin de la paroisse.", "EDIT-BULLETIN-UNSAVED"},
};

// The canary files: what a module that deletes or writes outside its folders hits first
// (in the current folder, also files named like the working files).
struct Canary {
  enum class Where { Current, Documents, UserTemplates } where;
  const char* name;
};
constexpr Canary kCanaries[] = {
    {Canary::Where::Current, "canary.txt"},       {Canary::Where::Current, "Courrier Oxel.dot"},
    {Canary::Where::Current, "Bulletin.doc"},     {Canary::Where::Documents, "canary.txt"},
    {Canary::Where::UserTemplates, "canary.txt"},
};

// The settings compared before the exercise and after close.
struct Setting {
  const char* name;
  const char16_t* expression;
};
constexpr Setting kSettings[] = {
    {"current folder", u"Options.DefaultFilePath(14)"},
    {"documents folder", u"Options.DefaultFilePath(0)"},
    {"templates folder", u"Options.DefaultFilePath(2)"},
    {"tool tips", u"CommandBars.DisplayTooltips"},
    {"user address", u"UserAddress"},
    {"measurement unit", u"Options.MeasurementUnit"},
    {"startup task pane", u"ShowStartupDialog"},
};
constexpr size_t kSettingCount = std::size(kSettings);
// The one setting of the running Word alone; the others are Word's options, kept for the
// next Word.
constexpr size_t kCurrentFolder = 0;
using Settings = std::array<Variant, kSettingCount>;

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string trim(std::string_view text) {
  size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string_view::npos) {
    return {};
  }
  size_t end = text.find_last_not_of(" \t\r");
  return std::string(text.substr(start, end - start + 1));
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::string utf8(std::u16string_view text) {
  return toUtf8(text);
}

std::string describe(const Variant& value) {
  return utf8(describeValue(value));
}

std::string describe(const AutomationError& error) {
  std::string text = utf8(describeError(error));
  if (!error.source().empty()) {
    text += " (source \"" + utf8(escapeControls(error.source())) + "\")";
  }
  return text;
}

// Whether a check read the verdict the correct answer gets.
bool isCorrect(const HostCallOutcome& check, const CorrectAnswer& correct) {
  return !check.error && check.erreurGenerale && check.causeErreur && check.bravoNuance &&
         utf8(describeVerdict(check.erreurGenerale, check.causeErreur, check.bravoNuance)) ==
             correct.verdict;
}

bool isGeneralCode(const HostCallOutcome& check) {
  return !check.error && check.erreurGenerale &&
         valuesMatch(*check.erreurGenerale, Variant::boolean(true));
}

// The result codes that some questions give when a Word call of their evaluation fails (the
// code they report a failure with, the same letter as one of their verdicts).
constexpr std::pair<int32_t, const char16_t*> kFailureCodes[] = {
    {204, u"G"}, {205, u"B"}, {207, u"A"}, {212, u"A"},
    {215, u"A"}, {217, u"A"}, {219, u"A"}, {221, u"C"},
};

bool isFailureCode(int32_t question, const HostCallOutcome& check) {
  if (check.error || isGeneralCode(check) || !check.causeErreur) {
    return false;
  }
  for (const auto& [q, code] : kFailureCodes) {
    if (q == question && valuesMatch(*check.causeErreur, Variant(std::u16string(code)))) {
      return true;
    }
  }
  return false;
}

// What a check ended with, in a few words.
std::string verdictOf(const HostCallOutcome& check) {
  if (check.error) {
    return "an error " + describe(*check.error);
  }
  return utf8(describeVerdict(check.erreurGenerale, check.causeErreur, check.bravoNuance));
}

// The lines of one run and where its steps are.
struct RunScript {
  std::string text;
  int settingsLine = 0;  // the user's settings are read before this line
  std::array<int, kSteps> steps{};
  int nextInit = 0;
  int nextCheck = 0;
};

RunScript makeScript(const RunSpec& plan, const CorrectAnswer& correct) {
  RunScript script;
  std::vector<std::string> lines;
  auto add = [&](std::string line) {
    lines.push_back(std::move(line));
    return static_cast<int>(lines.size());
  };
  add("# fault campaign " + plan.id());
  add(std::string("word UserAddress = ") + kUserAddress);
  add("word CommandBars.DisplayTooltips = False");
  if (plan.hostWord) {
    add("word ChangeFileOpenDirectory \"$DOCSLettres\"");
    for (const UserDocument& d : kUserDocuments) {
      std::string v = d.variable;
      add("word Set " + v + " = Documents.Add");
      add("word " + v + ".Range.InsertAfter \"" + d.saved + "\"");
      add("word " + v + ".SaveAs FileName:=\"$DOCS" + d.file + "\"");
      add("word " + v + ".Range.InsertAfter \" " + d.edit + "\"");
    }
  }
  for (const std::string& line : correct.pre) {
    add(line);
  }
  std::string init = "init " + std::to_string(plan.question) + (plan.hostWord ? " host-word" : "");
  if (plan.hostWord) {
    script.settingsLine = add(init);
  } else {
    // The module starts its own Word: the user's one is gone, its settings stay Word's.
    script.settingsLine = add("word Quit");
    add(init);
  }
  script.steps[static_cast<size_t>(Step::Init)] = static_cast<int>(lines.size());
  for (const std::string& line : correct.answer) {
    add(line);
  }
  script.steps[static_cast<size_t>(Step::Check)] = add("check");
  script.steps[static_cast<size_t>(Step::Close)] = add("close");
  script.steps[static_cast<size_t>(Step::Quit)] = add("quit");
  script.nextInit = add(init);
  for (const std::string& line : correct.answer) {
    add(line);
  }
  script.nextCheck = add("check");
  add("close");
  add("quit");
  for (const std::string& line : lines) {
    script.text += line + "\n";
  }
  return script;
}

// Watches the run: arms the fault for its step, keeps what each host call ended with, reads
// the user's settings before the exercise and after close, and the user's documents after
// quit.
class RunWatch : public PlayObserver {
 public:
  RunWatch(const RunSpec& plan, const RunScript& script, const CorrectAnswer& correct,
           RunResult& result)
      : spec_(plan), script_(script), correct_(correct), result_(result) {}

  void onWordCall(simword::WordInstance& word, std::u16string_view member) {
    if (!active_) {
      return;
    }
    std::string name = utf8(member);
    result_.calls[static_cast<size_t>(*active_)].push_back(name);
    ++calls_;
    if (result_.faultFired || spec_.kind == FaultKind::None || spec_.step != *active_) {
      return;
    }
    if (spec_.kind == FaultKind::CallFails && calls_ == spec_.call) {
      result_.faultFired = true;
      simword::raiseWordError(automation::errors::kWordCommandFailed);
    }
    if (spec_.kind == FaultKind::WordGone && lowerAscii(name) == lowerAscii(spec_.member)) {
      result_.faultFired = true;
      wordGone_ = true;
      word.closeByUser();  // the call then fails with 462
    }
  }

  bool beforeLine(const Line& line, World& world) override {
    // After an init that failed, the trainee has no exercise to answer: the answer's lines
    // would act on whatever document is active, the user's own.
    if (line.number > script_.steps[static_cast<size_t>(Step::Init)] &&
        line.number < script_.steps[static_cast<size_t>(Step::Check)]) {
      const auto& init = outcome(Step::Init);
      if (init && init->error) {
        return false;
      }
    }
    if (line.number > script_.nextInit && line.number < script_.nextCheck && nextInit_ &&
        nextInit_->error) {
      return false;
    }
    if (line.number == script_.settingsLine) {
      before_ = readSettings(world);
    }
    for (int s = 0; s < kSteps; ++s) {
      if (line.number == script_.steps[static_cast<size_t>(s)]) {
        active_ = static_cast<Step>(s);
        calls_ = 0;
      }
    }
    return true;
  }

  void afterLine(const Line& line, World& world, const HostCallOutcome* hostCall) override {
    for (int s = 0; s < kSteps; ++s) {
      if (line.number == script_.steps[static_cast<size_t>(s)] && hostCall != nullptr) {
        outcomes_[static_cast<size_t>(s)] = *hostCall;
        active_.reset();
      }
    }
    if (line.number == script_.steps[static_cast<size_t>(Step::Close)]) {
      after_ = readSettings(world);
      leftOver_ = workingFilesLeft(world);
    }
    if (line.number == script_.steps[static_cast<size_t>(Step::Quit)]) {
      wordHiddenAfterQuit_ = hiddenWord(world);
      if (spec_.hostWord) {
        documents_ = documentsKept(world);
      }
    }
    if (line.number == script_.nextInit && hostCall != nullptr) {
      nextInit_ = *hostCall;
    }
    if (line.number == script_.nextCheck && hostCall != nullptr) {
      nextCheck_ = *hostCall;
    }
  }

  // The checks that look at what the host calls answered and at the settings and documents.
  void judge() {
    judgeReports();
    judgeSettings();
    judgeDocuments();
    judgeNextExercise();
  }

 private:
  static std::optional<Settings> readSettings(World& world) {
    automation::ObjectRef word = world.runningWord();
    if (!word) {
      return std::nullopt;
    }
    Interpreter interpreter([word] { return word; });
    Settings settings;
    try {
      for (size_t i = 0; i < kSettingCount; ++i) {
        settings[i] = interpreter.evaluate(*parseExpression(kSettings[i].expression));
      }
    } catch (const AutomationError&) {
      return std::nullopt;  // Word does not answer
    }
    return settings;
  }

  // Whether a Word runs that the user cannot see (and so cannot close): after quit, a Word the
  // module started may stay only where the user sees it, with whatever it holds.
  static bool hiddenWord(World& world) {
    automation::ObjectRef word = world.runningWord();
    if (!word) {
      return false;
    }
    try {
      return !automation::Object(word).get(u"Visible").toBool();
    } catch (const AutomationError&) {
      return false;  // Word does not answer: it is gone
    }
  }

  // The files that a close that succeeded should have removed: anything in the working
  // folder but the master files not yet renamed, anything in the template folder.
  std::vector<std::string> workingFilesLeft(World& world) const {
    std::vector<std::string> left;
    std::vector<std::u16string> masters = masterFiles(spec_.question);
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(utf8(world.folders().work)), ec)) {
      std::u16string name = fromUtf8(entry.path().filename().string());
      if (std::find(masters.begin(), masters.end(), name) == masters.end()) {
        left.push_back(entry.path().filename().string());
      }
    }
    for (const auto& entry :
         fs::directory_iterator(fs::path(utf8(world.folders().templates)), ec)) {
      left.push_back("templates/" + entry.path().filename().string());
    }
    return left;
  }

  // For each user document: kept (its edit is in its file or in the document open in Word),
  // or what became of it.
  static std::vector<std::pair<std::string, bool>> documentsKept(World& world) {
    std::vector<std::pair<std::string, bool>> kept;
    automation::ObjectRef word = world.runningWord();
    for (const UserDocument& d : kUserDocuments) {
      fs::path file = fs::path(utf8(world.folders().documents)) / d.file;
      bool found = readFile(file).find(d.edit) != std::string::npos;
      if (!found && word) {
        try {
          automation::Object documents(automation::Object(word).get(u"Documents"));
          int32_t count = documents.get(u"Count").toLong();
          for (int32_t i = 1; i <= count && !found; ++i) {
            automation::Object document(documents.get(u"Item", i));
            found = document.get(u"FullName").toString() == fromUtf8(file.string()) &&
                    utf8(automation::Object(document.get(u"Content")).get(u"Text").toString())
                            .find(d.edit) != std::string::npos;
          }
        } catch (const AutomationError&) {
          // Word does not answer: only the file counts.
        }
      }
      kept.emplace_back(d.file, found);
    }
    return kept;
  }

  void violate(Invariant invariant, std::string kind, std::string detail) {
    Finding& f = result_[invariant];
    if (f.verdict == Verdict::Violated) {
      return;  // the first violation names the run's
    }
    f.verdict = Verdict::Violated;
    f.kind = std::move(kind);
    f.detail = std::move(detail);
  }

  void notApplicable(Invariant invariant, std::string detail) {
    Finding& f = result_[invariant];
    if (f.verdict == Verdict::Held) {
      f.verdict = Verdict::NotApplicable;
      f.detail = std::move(detail);
    }
  }

  const std::optional<HostCallOutcome>& outcome(Step step) const {
    return outcomes_[static_cast<size_t>(step)];
  }

  void judgeReports() {
    const Invariant reported = Invariant::FailureReported;
    // Any error reports the failure: the steps that the module guards give it with their call
    // trace, the others hand Word's error on unchanged, as the host has always received it.
    const auto& init = outcome(Step::Init);
    const auto& check = outcome(Step::Check);
    bool faultInCheck = spec_.kind != FaultKind::None && spec_.step == Step::Check;
    bool faultInInit = spec_.kind != FaultKind::None && spec_.step == Step::Init;
    if (init && !init->error && check) {
      // An exercise that init said was ready judges the correct answer correct, unless the
      // check itself met the fault and said so.
      if (faultInCheck) {
        if (!check->error && !isGeneralCode(*check) && !isCorrect(*check, correct_) &&
            !isFailureCode(spec_.question, *check)) {
          violate(
              reported, "check: a failed Word call judged as the trainee's answer",
              "the correct answer was judged " + verdictOf(*check) + ", not " + correct_.verdict);
        }
      } else if (!isCorrect(*check, correct_) && !(wordGone_ && isGeneralCode(*check))) {
        // (Word gone under a step that init may skip: the check says so with a general code.)
        violate(
            reported,
            faultInInit ? "init: succeeded, then the correct answer was not judged correct"
                        : "check: the correct answer not judged correct without a fault",
            "init succeeded; check answered " + verdictOf(*check) + ", not " + correct_.verdict);
      }
    }
    const auto& close = outcome(Step::Close);
    if (close && !close->error && !leftOver_.empty()) {
      std::string names;
      for (const std::string& n : leftOver_) {
        names += (names.empty() ? "" : ", ") + n;
      }
      violate(reported, "close: succeeded, working files left", "left: " + names);
    }
    const auto& quit = outcome(Step::Quit);
    if (!spec_.hostWord && quit && !quit->error && wordHiddenAfterQuit_) {
      violate(reported, "quit: succeeded, a hidden Word the module started still runs",
              "a Word nobody sees runs after quit");
    }
  }

  void judgeSettings() {
    const Invariant settings = Invariant::SettingsBack;
    if (!before_) {
      notApplicable(settings, "the user's settings could not be read before the exercise");
      return;
    }
    if (!after_) {
      notApplicable(settings, "no Word answers after close");
      return;
    }
    for (size_t i = 0; i < kSettingCount; ++i) {
      if (wordGone_ && i == kCurrentFolder) {
        continue;  // the user's current folder went with the user's Word
      }
      bool same = false;
      try {
        same = valuesMatch((*after_)[i], (*before_)[i]);
      } catch (const AutomationError&) {
      }
      if (!same) {
        violate(settings, std::string("settings: ") + kSettings[i].name,
                std::string(kSettings[i].name) + " is " + describe((*after_)[i]) + ", was " +
                    describe((*before_)[i]));
      }
    }
  }

  void judgeDocuments() {
    const Invariant documents = Invariant::DocumentsKept;
    if (!spec_.hostWord) {
      notApplicable(documents, "the user has no documents open in the module's Word");
      return;
    }
    for (const auto& [name, kept] : documents_) {
      if (kept) {
        continue;
      }
      if (wordGone_) {
        notApplicable(documents, name + ": its unsaved edit went with Word");
        continue;
      }
      violate(documents, "documents: the unsaved edit of " + name + " lost",
              name + ": the edit is neither in the file nor in Word");
    }
  }

  void judgeNextExercise() {
    const Invariant next = Invariant::NextExerciseWorks;
    if (!nextCheck_) {
      violate(next, "next exercise: no verdict", "the next check did not run");
    } else if (!isCorrect(*nextCheck_, correct_)) {
      std::string detail = "check answered " + verdictOf(*nextCheck_) + ", not " + correct_.verdict;
      if (nextInit_ && nextInit_->error) {
        detail = "init failed with " + describe(*nextInit_->error) + "; " + detail;
        violate(next, "next exercise: init failed", detail);
      } else {
        violate(next, "next exercise: the correct answer not judged correct", detail);
      }
    }
  }

  const RunSpec& spec_;
  const RunScript& script_;
  const CorrectAnswer& correct_;
  RunResult& result_;
  std::optional<Step> active_;
  int32_t calls_ = 0;
  bool wordGone_ = false;
  std::array<std::optional<HostCallOutcome>, kSteps> outcomes_;
  std::optional<HostCallOutcome> nextInit_;
  std::optional<HostCallOutcome> nextCheck_;
  std::optional<Settings> before_;
  std::optional<Settings> after_;
  std::vector<std::string> leftOver_;
  bool wordHiddenAfterQuit_ = false;
  std::vector<std::pair<std::string, bool>> documents_;
};

fs::path canaryFolder(const Canary& canary, const fs::path& current, const WorldFolders& f) {
  switch (canary.where) {
    case Canary::Where::Current:
      return current;
    case Canary::Where::Documents:
      return fs::path(utf8(f.documents));
    case Canary::Where::UserTemplates:
      break;
  }
  return fs::path(utf8(f.userTemplates));
}

std::string canaryText(const Canary& canary) {
  return std::string("canary ") + canary.name + "\n";
}

std::string placeOf(const fs::path& path, const fs::path& current, const WorldFolders& f) {
  if (SandboxedFiles::inside(path, current)) {
    return "the current folder";
  }
  if (SandboxedFiles::inside(path, fs::path(utf8(f.documents)))) {
    return "the documents folder";
  }
  if (SandboxedFiles::inside(path, fs::path(utf8(f.userTemplates)))) {
    return "the user templates folder";
  }
  return "another folder";
}

void judgeFiles(RunResult& result, const SandboxedFiles& files, const fs::path& current,
                const WorldFolders& folders) {
  Finding& f = result[Invariant::FilesUntouched];
  for (const Canary& c : kCanaries) {
    fs::path folder = canaryFolder(c, current, folders);
    fs::path path = folder / c.name;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
      f = {Verdict::Violated, "files: a canary deleted in " + placeOf(path, current, folders),
           path.string() + " is gone"};
      return;
    }
    if (readFile(path) != canaryText(c)) {
      f = {Verdict::Violated, "files: a canary changed", path.string() + " was changed"};
      return;
    }
  }
  if (!files.outside().empty()) {
    const SandboxedFiles::Change& first = files.outside().front();
    size_t more = files.outside().size() - 1;
    f = {
        Verdict::Violated,
        "files: the module asked to " + first.what + " in " + placeOf(first.path, current, folders),
        first.text() + (more > 0 ? " (and " + std::to_string(more) + " more)" : "")};
  }
}

// The run's folders by their $ names in what the report shows ("$CURRENT" for the scratch
// current folder): the same text in every run, and short.
void shortenPaths(RunResult& result, const fs::path& current, const WorldFolders& folders) {
  std::vector<std::pair<std::string, std::string>> names = {
      {utf8(folders.templates), "$TEMPLATES"}, {utf8(folders.userTemplates), "$USERTEMPLATES"},
      {utf8(folders.documents), "$DOCS"},      {utf8(folders.work), "$WORK"},
      {current.string() + "/", "$CURRENT/"},   {current.string(), "$CURRENT"},
  };
  for (Finding& f : result.findings) {
    for (const auto& [path, name] : names) {
      for (size_t at = f.detail.find(path); at != std::string::npos;
           at = f.detail.find(path, at + name.size())) {
        f.detail.replace(at, path.size(), name);
      }
    }
  }
}

// Instant waits: the module's pauses cost no time in the campaign.
class NoPauses : public platform::Pauses {
 public:
  void pause(std::chrono::milliseconds /*duration*/) override {}
};

}  // namespace

std::optional<CorrectAnswer> correctAnswer(int32_t question, const fs::path& exercises) {
  char folder[8];
  std::snprintf(folder, sizeof folder, "%04d", static_cast<int>(question));
  std::vector<fs::path> candidates;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(exercises / folder, ec)) {
    std::string name = entry.path().filename().string();
    if (name.rfind("correct", 0) == 0 && entry.path().extension() == ".scn") {
      candidates.push_back(entry.path());
    }
  }
  if (candidates.empty()) {
    return std::nullopt;
  }
  std::sort(candidates.begin(), candidates.end());
  Script script;
  try {
    script = parseScript(readFile(candidates.front()), {});
  } catch (const ScriptError&) {
    return std::nullopt;
  }
  CorrectAnswer answer;
  // What the scenario expects its first check to read; unstated, a plain correct answer.
  std::optional<Variant> general = Variant::boolean(false);
  std::optional<Variant> cause = Variant(std::u16string());
  std::optional<Variant> nuance = Variant::boolean(false);
  Interpreter literals([] { return automation::ObjectRef(); });
  enum { Before, Answer, After } part = Before;
  for (const Line& line : script.lines) {
    switch (line.command) {
      case Command::Init:
        part = part == Before ? Answer : part;
        continue;
      case Command::Check:
        if (part == After) {
          break;  // only the first check's expectations count
        }
        part = After;
        continue;
      case Command::Word:
      case Command::Try:
      case Command::Desktop:
      case Command::File:
        if (part != After) {
          (part == Before ? answer.pre : answer.answer).push_back(trim(utf8(line.text)));
        }
        continue;
      case Command::Expect:
        if (part == After && line.expect.kind == ExpectKind::Reading &&
            line.expect.comparison.equal) {
          try {
            Variant value = literals.evaluate(*line.expect.comparison.right);
            switch (line.expect.reading) {
              case Reading::ErreurGenerale:
                general = value;
                break;
              case Reading::CauseErreur:
                cause = value;
                break;
              case Reading::BravoNuance:
                nuance = value;
                break;
              default:
                break;
            }
          } catch (const AutomationError&) {
          }
        }
        continue;
      default:
        continue;
    }
    break;
  }
  answer.verdict = utf8(describeVerdict(general, cause, nuance));
  return answer;
}

RunResult playRun(const RunSpec& plan, const fs::path& exercises, const fs::path& runFolder) {
  RunResult result;
  result.plan = plan;
  std::optional<CorrectAnswer> correct = correctAnswer(plan.question, exercises);
  if (!correct) {
    result[Invariant::NextExerciseWorks] = {Verdict::Violated, "campaign: no correct answer",
                                            "no bundled correct*.scn for the question"};
    return result;
  }
  fs::path current = runFolder / "current";
  fs::create_directories(current);
  fs::current_path(current);

  platform::PosixFileSystem posix;
  SandboxedFiles files(posix, runFolder);
  NoPauses pauses;
  RunScript script = makeScript(plan, *correct);
  RunWatch watch(plan, script, *correct, result);
  NativeWorldOptions worldOptions;
  worldOptions.moduleFiles = &files;
  worldOptions.modulePauses = &pauses;
  worldOptions.wordCalls = [&watch](simword::WordInstance& word, std::u16string_view member) {
    watch.onWordCall(word, member);
  };
  std::unique_ptr<World> world = makeNativeWorldWith(worldOptions);
  const WorldFolders& folders = world->folders();
  files.allow(fs::path(utf8(folders.work)));
  files.allow(fs::path(utf8(folders.templates)));
  fs::create_directories(fs::path(utf8(folders.documents)) / "Lettres");
  for (const Canary& c : kCanaries) {
    writeFile(canaryFolder(c, current, folders) / c.name, canaryText(c));
  }

  RunOptions options;
  options.exercises = exercises;
  options.observer = &watch;
  runScenarioText(plan.id(), script.text, *world, options);
  watch.judge();
  judgeFiles(result, files, current, folders);
  shortenPaths(result, current, folders);
  return result;
}

}  // namespace r58046::scenario::faults
