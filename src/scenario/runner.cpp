#include "scenario/runner.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "automation/error.h"
#include "automation/text.h"
#include "scenario/exercises.h"
#include "scenario/interpreter.h"
#include "scenario/text_output.h"

namespace r58046::scenario {

using automation::AutomationError;
using automation::Object;
using automation::ObjectRef;
using automation::Variant;
using automation::VarType;

namespace fs = std::filesystem;

namespace {

// The most complementary strings a `check` reads.
constexpr int32_t kMaxComplementItems = 1000;

bool numericLike(const Variant& v) {
  return v.isNumeric() || v.type() == VarType::Date;
}

std::u16string_view trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == u' ' || text.back() == u'\t' || text.back() == u'\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// The line without its command word: the statement of `word`, the expectation of `expect`.
std::u16string afterCommand(const Line& line) {
  std::u16string_view text = trimmed(line.text);
  size_t blank = text.find_first_of(u" \t");
  return blank == std::u16string_view::npos ? std::u16string()
                                            : std::u16string(trimmed(text.substr(blank)));
}

// What a check read: a value, or the error that reading it raised.
struct Read {
  std::optional<Variant> value;
  std::optional<AutomationError> error;
};

struct Readings {
  bool done = false;
  Read erreurGenerale;
  Read causeErreur;
  Read bravoNuance;
  Read complementCount;
  std::vector<Read> complementItems;  // 1..count at 0..count-1
};

// The last host call, `word` or `try` line, and how it ended.
struct LastCall {
  std::u16string what;
  std::optional<AutomationError> error;
};

template <class F>
Read readWith(F&& f) {
  Read r;
  try {
    r.value = f();
  } catch (const AutomationError& e) {
    r.error = e;
  }
  return r;
}

class Play {
 public:
  Play(const Script& script, World& world, const RunOptions& options, FileResult& result)
      : script_(script), world_(world), options_(options), result_(result), interpreter_([this] {
          return world_.runningWord();
        }) {}

  void run() {
    const auto& lines = script_.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
      const Line& line = lines[i];
      if (options_.observer != nullptr && !options_.observer->beforeLine(line, world_)) {
        continue;
      }
      try {
        step(line, i);
      } catch (const LineNotPlayable& e) {
        result_.skipped.push_back(
            Failure{line.number, line.text, {}, automation::fromUtf8(e.what())});
      } catch (const AutomationError& e) {
        fail(line, u"the line to run", describeError(e));
      } catch (const std::exception& e) {
        fail(line, u"the line to run", automation::fromUtf8(e.what()));
      }
      if (options_.observer != nullptr) {
        observeAfter(line);
      }
    }
    finish();
  }

 private:
  void observeAfter(const Line& line) {
    bool hostCall = line.command == Command::Init || line.command == Command::Check ||
                    line.command == Command::Close || line.command == Command::Quit;
    if (!hostCall) {
      options_.observer->afterLine(line, world_, nullptr);
      return;
    }
    HostCallOutcome outcome;
    if (last_) {
      outcome.error = last_->error;
    }
    if (line.command == Command::Check) {
      outcome.erreurGenerale = readings_.erreurGenerale.value;
      outcome.causeErreur = readings_.causeErreur.value;
      outcome.bravoNuance = readings_.bravoNuance.value;
    }
    options_.observer->afterLine(line, world_, &outcome);
  }

  void fail(const Line& line, std::u16string expected, std::u16string seen) {
    if (!result_.skipped.empty()) {
      return;  // what follows a skipped line is not judged
    }
    result_.failures.push_back(
        Failure{line.number, line.text, std::move(expected), std::move(seen)});
  }

  void step(const Line& line, size_t index) {
    switch (line.command) {
      case Command::Word:
      case Command::Try:
        statement(line, index);
        return;
      case Command::Init:
        init(line);
        return;
      case Command::Check:
        check(line);
        return;
      case Command::Close:
        hostCall(line, u"Fermer", [&] { world_.module().Fermer(); });
        return;
      case Command::Quit:
        hostCall(line, u"Quitter", [&] { world_.module().Quitter(hostApplication_, hostHandle_); });
        moduleInUse_ = false;
        return;
      case Command::Desktop:
        if (line.event == DesktopEvent::SavePrompt) {
          world_.arrangeSavePrompt(line.saveAnswer);
        } else {
          world_.desktopEvent(line.event, line.caption);
        }
        return;
      case Command::Fault:
        world_.injectFault(line.member, line.occurrence, line.error);
        return;
      case Command::File:
        world_.setFileAttribute(line.path, line.attribute);
        return;
      case Command::Expect:
        expect(line);
        return;
    }
  }

  void statement(const Line& line, size_t index) {
    if (!world_.runningWord()) {
      userWord_ = world_.startWordAsUser();
    }
    std::u16string what = afterCommand(line);
    try {
      interpreter_.execute(line.statement);
      last_ = LastCall{what, std::nullopt};
    } catch (const AutomationError& e) {
      last_ = LastCall{what, e};
      if (line.command == Command::Word && !nextExpectsError(index)) {
        fail(line, what + u" to succeed", describeError(e));
      }
    }
  }

  bool nextExpectsError(size_t index) const {
    if (index + 1 >= script_.lines.size()) {
      return false;
    }
    const Line& next = script_.lines[index + 1];
    return next.command == Command::Expect &&
           (next.expect.kind == ExpectKind::Error || next.expect.kind == ExpectKind::ErrorSource);
  }

  // The trace of the file when its Word calls are traced.
  std::vector<HostCallTrace>* trace() { return options_.traceWordCalls ? &result_.trace : nullptr; }

  template <class F>
  void hostCall(const Line& line, std::u16string what, F&& call) {
    moduleInUse_ = true;
    HostCallRecording recording(world_, trace(), line.number, what);
    try {
      call();
      last_ = LastCall{std::move(what), std::nullopt};
    } catch (const AutomationError& e) {
      last_ = LastCall{std::move(what), e};
    }
  }

  void init(const Line& line) {
    if (!result_.question) {
      result_.question = line.question;
    }
    deliverMasterFiles(line);
    if (line.hostWord) {
      if (!userWord_) {
        userWord_ = world_.startWordAsUser();
      }
      hostApplication_ = userWord_->application;
      hostHandle_ = userWord_->window;
    }
    hostCall(line, u"InitQuestion", [&] {
      world_.module().InitQuestion(line.question, world_.folders().work, hostApplication_,
                                   hostHandle_, u"");
    });
  }

  void deliverMasterFiles(const Line& line) {
    for (const std::u16string& problem : scenario::deliverMasterFiles(
             line.question, world_.folders().work, world_.files(), options_.exercises)) {
      fail(line, u"the master files delivered", problem);
    }
  }

  void check(const Line& line) {
    external::AbstractModule& module = world_.module();
    hostCall(line, u"TestePoint", [&] { module.TestePoint(); });
    HostCallRecording recording(world_, trace(), line.number, u"the readings after TestePoint");
    recording.leaveOutWhenEmpty();
    readings_ = Readings{};
    readings_.done = true;
    // The expected verdict is what the expectations after the last check say.
    expectedGeneral_.reset();
    expectedCause_.reset();
    expectedNuance_.reset();
    readings_.erreurGenerale = readWith([&] { return Variant::boolean(module.ErreurGenerale()); });
    readings_.causeErreur = readWith([&] { return Variant(module.CauseErreur()); });
    readings_.bravoNuance = readWith([&] { return Variant::boolean(module.BravoNuance()); });
    ObjectRef complement;
    try {
      complement = module.Complement();
    } catch (const AutomationError& e) {
      readings_.complementCount.error = e;
      return;
    }
    readings_.complementCount = readWith([&] { return Object(complement).get(u"count"); });
    if (!readings_.complementCount.value) {
      return;
    }
    int32_t count = 0;
    try {
      count = readings_.complementCount.value->toLong();
    } catch (const AutomationError&) {
      return;
    }
    for (int32_t i = 1; i <= std::min(count, kMaxComplementItems); ++i) {
      readings_.complementItems.push_back(
          readWith([&] { return Object(complement).get(u"item", i); }));
    }
  }

  void expect(const Line& line) {
    const Expectation& x = line.expect;
    std::u16string expected = afterCommand(line);
    switch (x.kind) {
      case ExpectKind::Ok:
        if (!last_) {
          fail(line, expected, u"nothing has run yet");
        } else if (last_->error) {
          fail(line, expected, last_->what + u" failed with " + describeError(*last_->error));
        }
        return;
      case ExpectKind::Error:
      case ExpectKind::ErrorSource:
        if (!last_) {
          fail(line, expected, u"nothing has run yet");
        } else if (!last_->error) {
          fail(line, expected, last_->what + u" succeeded");
        } else if (x.kind == ExpectKind::Error && x.errorNumber &&
                   last_->error->number() != *x.errorNumber) {
          fail(line, expected, last_->what + u" failed with " + describeError(*last_->error));
        } else if (x.kind == ExpectKind::ErrorSource &&
                   last_->error->source().find(x.text) == std::u16string::npos) {
          fail(line, expected, u"source " + inQuotes(escapeControls(last_->error->source())));
        }
        return;
      case ExpectKind::File:
      case ExpectKind::Folder: {
        platform::FileSystem& files = world_.files();
        bool present = x.kind == ExpectKind::Folder
                           ? files.folderExists(x.text)
                           : files.exists(x.text) && !files.folderExists(x.text);
        if (present != x.positive) {
          fail(line, expected, present ? u"it exists" : u"it is absent");
        }
        return;
      }
      case ExpectKind::WordRunning: {
        bool running = static_cast<bool>(world_.runningWord());
        if (running != x.positive) {
          fail(line, expected, running ? u"a Word runs" : u"no Word runs");
        }
        return;
      }
      case ExpectKind::Reading:
        expectReading(line, expected);
        return;
      case ExpectKind::Word:
        expectWord(line, expected);
        return;
    }
  }

  // The value side of an expectation; nullopt (and a failure) when it cannot be evaluated.
  std::optional<Variant> value(const Line& line, const std::u16string& expected,
                               const Expression& e) {
    try {
      return interpreter_.evaluate(e);
    } catch (const AutomationError& error) {
      fail(line, expected, u"the expected value could not be evaluated: " + describeError(error));
      return std::nullopt;
    }
  }

  void compare(const Line& line, const std::u16string& expected, const Variant& actual,
               const Variant& wanted) {
    try {
      if (valuesMatch(actual, wanted) != line.expect.comparison.equal) {
        fail(line, expected, describeValue(actual));
      }
    } catch (const AutomationError& e) {
      fail(line, expected, describeValue(actual) + u" (" + describeError(e) + u")");
    }
  }

  void expectReading(const Line& line, const std::u16string& expected) {
    const Expectation& x = line.expect;
    if (!readings_.done) {
      fail(line, expected, u"no check has run");
      return;
    }
    const Read* read = nullptr;
    switch (x.reading) {
      case Reading::ErreurGenerale:
        read = &readings_.erreurGenerale;
        break;
      case Reading::CauseErreur:
        read = &readings_.causeErreur;
        break;
      case Reading::BravoNuance:
        read = &readings_.bravoNuance;
        break;
      case Reading::ComplementCount:
        read = &readings_.complementCount;
        break;
      case Reading::ComplementItem:
        if (x.item < 1 || static_cast<size_t>(x.item) > readings_.complementItems.size()) {
          fail(line, expected,
               u"no complementary string " + numberText(x.item) + u" (" +
                   numberText(static_cast<int32_t>(readings_.complementItems.size())) + u" read)");
          return;
        }
        read = &readings_.complementItems[static_cast<size_t>(x.item) - 1];
        break;
    }
    std::optional<Variant> wanted = value(line, expected, *x.comparison.right);
    if (!wanted) {
      return;
    }
    if (x.comparison.equal) {
      rememberExpectedVerdict(x.reading, *wanted);
    }
    if (read->error) {
      fail(line, expected, u"reading it failed with " + describeError(*read->error));
      return;
    }
    compare(line, expected, *read->value, *wanted);
  }

  void expectWord(const Line& line, const std::u16string& expected) {
    const Expectation& x = line.expect;
    Variant actual;
    try {
      actual = interpreter_.evaluate(*x.comparison.left);
    } catch (const AutomationError& e) {
      fail(line, expected, describeError(e));
      return;
    }
    std::optional<Variant> wanted = value(line, expected, *x.comparison.right);
    if (wanted) {
      compare(line, expected, actual, *wanted);
    }
  }

  void rememberExpectedVerdict(Reading reading, const Variant& value) {
    switch (reading) {
      case Reading::ErreurGenerale:
        expectedGeneral_ = value;
        break;
      case Reading::CauseErreur:
        expectedCause_ = value;
        break;
      case Reading::BravoNuance:
        expectedNuance_ = value;
        break;
      default:
        break;
    }
  }

  void finish() {
    if (moduleInUse_) {
      // The host's last call, for a scenario that did not quit.
      HostCallRecording recording(world_, trace(), 0, u"Quitter");
      try {
        world_.module().Quitter(hostApplication_, hostHandle_);
      } catch (const AutomationError&) {
        // Nothing can expect it any more.
      }
    }
    result_.description = script_.description;
    result_.expectedVerdict = describeVerdict(expectedGeneral_, expectedCause_, expectedNuance_);
    if (readings_.done) {
      result_.obtainedVerdict = describeVerdict(
          readings_.erreurGenerale.value, readings_.causeErreur.value, readings_.bravoNuance.value);
    } else {
      result_.obtainedVerdict = u"-";
    }
    interpreter_.clearVariables();
    hostApplication_.reset();
    userWord_.reset();
    result_.outcome = !result_.failures.empty()  ? Outcome::Failed
                      : !result_.skipped.empty() ? Outcome::Skipped
                                                 : Outcome::Passed;
  }

  const Script& script_;
  World& world_;
  const RunOptions& options_;
  FileResult& result_;
  Interpreter interpreter_;

  ObjectRef hostApplication_;
  int32_t hostHandle_ = -1;
  bool moduleInUse_ = false;
  std::optional<WordHandle> userWord_;  // the Word the `word` lines started last
  std::optional<LastCall> last_;
  Readings readings_;
  std::optional<Variant> expectedGeneral_;
  std::optional<Variant> expectedCause_;
  std::optional<Variant> expectedNuance_;
};

}  // namespace

bool valuesMatch(const Variant& actual, const Variant& expected) {
  if (actual.isObject() || expected.isObject()) {
    if (actual.isObject() && expected.isObject()) {
      return automation::sameObject(actual.objectRef(), expected.objectRef());
    }
    if (expected.isObject() || actual.isNothing()) {
      return false;
    }
    return valuesMatch(valueOf(actual), expected);
  }
  if (actual.isNull() || expected.isNull() || actual.isMissing() || expected.isMissing()) {
    return actual.type() == expected.type();
  }
  if (actual.isEmpty() || expected.isEmpty()) {
    const Variant& other = actual.isEmpty() ? expected : actual;
    return other.isEmpty() || (other.isString() ? other.stringRef().empty()
                                                : automation::singleEquals(other.toDouble(), 0));
  }
  if (numericLike(actual) && numericLike(expected)) {
    return automation::singleEquals(actual.toDouble(), expected.toDouble());
  }
  if (actual.isString() && expected.isString()) {
    return actual.stringRef() == expected.stringRef();
  }
  const Variant& text = actual.isString() ? actual : expected;
  const Variant& number = actual.isString() ? expected : actual;
  double parsed = 0;
  return automation::parseNumber(text.stringRef(), parsed) &&
         automation::singleEquals(parsed, number.toDouble());
}

int exitStatus(const std::vector<FileResult>& results) {
  int status = 0;
  for (const auto& r : results) {
    if (r.outcome == Outcome::Invalid) {
      return 2;
    }
    if (r.outcome == Outcome::Failed) {
      status = 1;
    }
  }
  return status;
}

FileResult runScenarioText(const std::string& name, std::string_view text, World& world,
                           const RunOptions& options) {
  FileResult result;
  result.file = name;
  Script script;
  try {
    script = parseScript(text, world.substitutions());
  } catch (const ScriptError& e) {
    result.outcome = Outcome::Invalid;
    result.error = e.what();
    result.errorLine = e.line();
    result.errorColumn = e.column();
    return result;
  }
  Play(script, world, options, result).run();
  return result;
}

FileResult runScenarioFile(const fs::path& file, const WorldFactory& makeWorld,
                           const RunOptions& options) {
  FileResult result;
  result.file = file.string();
  std::ifstream in(file, std::ios::binary);
  std::error_code ec;
  if (!in || fs::is_directory(file, ec)) {
    result.outcome = Outcome::Invalid;
    result.error = "cannot be read";
    return result;
  }
  std::ostringstream text;
  text << in.rdbuf();
  std::unique_ptr<World> world;
  try {
    world = makeWorld();
  } catch (const std::exception& e) {
    result.outcome = Outcome::Failed;
    result.failures.push_back(
        Failure{0, {}, u"a world to play the file in", automation::fromUtf8(e.what())});
    return result;
  }
  return runScenarioText(result.file, text.str(), *world, options);
}

}  // namespace r58046::scenario
