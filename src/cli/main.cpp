// r58046: plays the exercises of the question module against the simulated Word.
//
//   r58046 run [--json] [--trace] FILE...   plays scenario files and reports what failed
//   r58046 demo                   plays every bundled scenario and shows a table
//   r58046 play QUESTION          prepares one exercise and lets a person act in Word
//   r58046 faults [QUESTION...]   the fault-injection campaign
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "automation/error.h"
#include "automation/text.h"
#include "scenario/document_view.h"
#include "scenario/exercises.h"
#include "scenario/fault_campaign.h"
#include "scenario/interpreter.h"
#include "scenario/runner.h"
#include "scenario/script.h"
#include "scenario/statement.h"
#include "scenario/text_output.h"
#include "scenario/world_native.h"

namespace {

namespace fs = std::filesystem;
using namespace r58046;
using automation::AutomationError;
using automation::fromUtf8;
using automation::toUtf8;

constexpr const char* kUsage =
    R"(r58046: the question module of the Word 2003 training application, played against
a simulated Word 2003 (documents, desktop and class registry of this project's own).

Usage:
  r58046 run [--json] [--trace] FILE...
      Plays each scenario file in a new world (temporary folders, a simulated Word, a new
      module) and prints one line per failed expectation, then "N passed, M failed".
      @LIST stands for the files a list names, one a line, relative to the list's folder
      (exercises/real-word.list: the scenarios that also run against a real Word).
      --json prints the same result as one JSON document. --trace also prints, for each
      host call, the Word calls the module made (interface, member, get, put or call, the
      error when one failed), then their count. Exit status: 0 when every file passed, 1
      when one failed, 2 when a file could not be read or parsed.

  r58046 demo
      Plays every bundled scenario (exercises/<folder>/*.scn) and prints a table: the
      question, what the trainee did, the verdict expected and obtained, pass or fail.
      Exit status as for run.

  r58046 play QUESTION
      Prepares exercise QUESTION (201 to 221) in the simulated Word through the module,
      shows the exercise document, then reads Word statements from standard input, one a
      line, as a macro in Word would run them (ActiveDocument.Paragraphs(1).LeftIndent = 20).
      Also: check (the verdict), show (the document again), ? EXPRESSION (a value), quit.

  r58046 faults [--sample] [--jobs N] [--timeout SECONDS] [--tolerate WHAT]...
                [QUESTION...]
      The fault-injection campaign: for each question (all when none is given), with the
      host passing its Word and not, and for each host step (init, check, close, quit):
      every Word call of the step fails in turn (4198), and Word disappears (462) at the
      first call of each member; after each run the module's promises are checked (no
      crash, no hang, failures reported, no file touched outside the exercise's folders,
      the user's documents and settings kept, the next exercise works). Prints the runs
      and, per invariant, how often it held and was violated, with the first failing
      runs. --sample plays one call and one member per step; --jobs runs that many at
      once (default: the processors); --timeout bounds each run (default 60). Exit
      status 1 when a violation was seen that no --tolerate names: WHAT is an
      invariant ("settings-back") or the beginning of a kind of violation as the report
      writes it ("settings: startup task pane").
  r58046 faults --run ID
      Plays one run of the campaign (an ID of its report, such as 212/own/close/call-7)
      and shows each invariant with what was seen.

  r58046 --help
      This text.

The master files are taken from the folder named by the environment variable
R58046_EXERCISES, else from share/r58046/exercises of the prefix r58046 is installed in,
else from the exercises folder found next to the executable or in one of its parents.
The scenario language is described in docs/r58046.md.
)";

int usageError(const std::string& message) {
  std::cerr << "r58046: " << message << "\n\n" << kUsage;
  return 2;
}

int run(const std::vector<std::string>& args) {
  bool json = false;
  scenario::RunOptions options;
  std::vector<fs::path> files;
  for (const std::string& a : args) {
    if (a == "--json") {
      json = true;
    } else if (a == "--trace") {
      options.traceWordCalls = true;
    } else if (a.size() > 1 && a[0] == '-') {
      return usageError("unknown option " + a);
    } else if (a.size() > 1 && a[0] == '@') {
      for (fs::path& f : scenario::readScenarioList(a.substr(1))) {
        files.push_back(std::move(f));
      }
    } else {
      files.emplace_back(a);
    }
  }
  if (files.empty()) {
    return usageError("run needs at least one scenario file");
  }
  options.exercises = scenario::findExercisesFolder();
  std::vector<scenario::FileResult> results;
  results.reserve(files.size());
  for (const fs::path& file : files) {
    results.push_back(scenario::runScenarioFile(file, scenario::makeNativeWorld, options));
  }
  std::cout << (json ? scenario::formatJson(results) : scenario::formatText(results));
  return scenario::exitStatus(results);
}

int demo() {
  auto exercises = scenario::findExercisesFolder();
  if (!exercises) {
    std::cerr << "r58046: no exercises folder found (set R58046_EXERCISES)\n";
    return 2;
  }
  std::vector<fs::path> files = scenario::bundledScenarios(*exercises);
  if (files.empty()) {
    std::cerr << "r58046: no bundled scenarios in " << exercises->string() << "\n";
    return 2;
  }
  scenario::RunOptions options;
  options.exercises = exercises;
  std::vector<scenario::FileResult> results;
  results.reserve(files.size());
  for (const fs::path& file : files) {
    results.push_back(scenario::runScenarioFile(file, scenario::makeNativeWorld, options));
  }
  std::cout << scenario::formatTable(results);
  std::vector<scenario::FileResult> failed;
  for (const auto& r : results) {
    if (r.outcome != scenario::Outcome::Passed) {
      failed.push_back(r);
    }
  }
  if (!failed.empty()) {
    std::string details = scenario::formatText(failed);
    details.erase(details.rfind('\n', details.size() - 2) + 1);  // without the count line
    std::cout << "\nWhat failed:\n" << details;
  }
  return scenario::exitStatus(results);
}

void printVerdict(external::AbstractModule& module) {
  auto show = [](const char* name, auto read) {
    std::cout << name << " = ";
    try {
      std::cout << toUtf8(read());
    } catch (const AutomationError& e) {
      std::cout << "(" << toUtf8(scenario::describeError(e)) << ")";
    }
    std::cout << "\n";
  };
  std::optional<automation::Variant> general;
  std::optional<automation::Variant> cause;
  std::optional<automation::Variant> nuance;
  show("ErreurGenerale", [&] {
    general = automation::Variant::boolean(module.ErreurGenerale());
    return general->describe();
  });
  show("CauseErreur", [&] {
    cause = automation::Variant(module.CauseErreur());
    return cause->describe();
  });
  show("BravoNuance", [&] {
    nuance = automation::Variant::boolean(module.BravoNuance());
    return nuance->describe();
  });
  try {
    automation::Object complement(module.Complement());
    if (complement) {
      int32_t count = complement.get(u"count").toLong();
      for (int32_t i = 1; i <= count; ++i) {
        std::cout << "Complement(" << i << ") = " << toUtf8(complement.get(u"item", i).describe())
                  << "\n";
      }
    }
  } catch (const AutomationError& e) {
    std::cout << "Complement: " << toUtf8(scenario::describeError(e)) << "\n";
  }
  std::cout << "Verdict: " << toUtf8(scenario::describeVerdict(general, cause, nuance)) << "\n";
}

int play(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    return usageError("play needs one question number");
  }
  auto question = scenario::parseWholeNumber(fromUtf8(args[0]));
  if (!question) {
    return usageError("not a question number: " + args[0]);
  }
  std::unique_ptr<scenario::World> world = scenario::makeNativeWorld();
  for (const auto& problem : scenario::deliverMasterFiles(
           *question, world->folders().work, world->files(), scenario::findExercisesFolder())) {
    std::cerr << "r58046: master file " << toUtf8(problem) << "\n";
  }
  automation::ObjectRef application;
  int32_t handle = -1;
  external::AbstractModule& module = world->module();
  try {
    module.InitQuestion(*question, world->folders().work, application, handle, u"");
  } catch (const AutomationError& e) {
    std::cerr << "r58046: InitQuestion failed: " << toUtf8(scenario::describeError(e)) << "\n"
              << "  source: " << toUtf8(scenario::escapeControls(e.source())) << "\n";
    return 1;
  }
  const bool interactive = isatty(fileno(stdin)) != 0;
  auto show = [&] { std::cout << toUtf8(scenario::describeActiveDocument(world->runningWord())); };
  std::cout << "Exercise " << *question << " is ready. Type Word statements; check, show, "
            << "? EXPRESSION, quit.\n";
  show();
  scenario::Interpreter interpreter([&] { return world->runningWord(); });
  std::string input;
  while (true) {
    if (interactive) {
      std::cout << "word> " << std::flush;
    }
    if (!std::getline(std::cin, input)) {
      break;
    }
    std::u16string line = automation::trim(fromUtf8(input));
    if (line.empty() || line[0] == u'#') {
      continue;
    }
    if (automation::equalsAsciiNoCase(line, u"quit") ||
        automation::equalsAsciiNoCase(line, u"exit")) {
      break;
    }
    if (automation::equalsAsciiNoCase(line, u"show")) {
      show();
      continue;
    }
    if (automation::equalsAsciiNoCase(line, u"check")) {
      try {
        module.TestePoint();
      } catch (const AutomationError& e) {
        std::cout << "TestePoint failed: " << toUtf8(scenario::describeError(e)) << "\n";
      }
      printVerdict(module);
      continue;
    }
    try {
      if (line[0] == u'?') {
        automation::Variant v = interpreter.evaluate(*scenario::parseExpression(line, 1));
        std::cout << toUtf8(v.describe()) << "\n";
        continue;
      }
      size_t offset = 0;
      if (line.size() > 5 && automation::equalsAsciiNoCase(line.substr(0, 5), u"word ")) {
        offset = 5;
      }
      interpreter.execute(scenario::parseStatement(line, offset));
    } catch (const scenario::SyntaxError& e) {
      std::cout << "syntax error at column " << e.column() << ": " << e.what() << "\n";
    } catch (const AutomationError& e) {
      std::cout << toUtf8(scenario::describeError(e)) << "\n";
    }
  }
  interpreter.clearVariables();
  try {
    module.Quitter(application, handle);
  } catch (const AutomationError& e) {
    std::cerr << "r58046: Quitter failed: " << toUtf8(scenario::describeError(e)) << "\n";
  }
  return 0;
}

int faults(const std::vector<std::string>& args) {
  namespace fc = scenario::faults;
  fc::CampaignOptions options;
  unsigned processors = std::thread::hardware_concurrency();
  options.jobs = processors == 0 ? 1 : static_cast<int>(processors);
  fc::Tolerated tolerated;
  std::optional<std::string> single;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        return std::nullopt;
      }
      return args[++i];
    };
    if (a == "--sample") {
      options.sample = true;
    } else if (a == "--jobs" || a == "--timeout") {
      auto v = value();
      auto n = v ? scenario::parseWholeNumber(fromUtf8(*v)) : std::nullopt;
      if (!n || *n < 1) {
        return usageError(a + " needs a positive number");
      }
      if (a == "--jobs") {
        options.jobs = *n;
      } else {
        options.timeout = std::chrono::seconds(*n);
      }
    } else if (a == "--tolerate") {
      auto v = value();
      if (!v || v->empty()) {
        return usageError("--tolerate needs an invariant or the beginning of a kind");
      }
      if (auto invariant = fc::parseInvariant(*v)) {
        tolerated.invariants.insert(*invariant);
      } else {
        tolerated.kinds.push_back(*v);
      }
    } else if (a == "--run") {
      single = value();
      if (!single) {
        return usageError("--run needs a run's ID");
      }
    } else if (a.size() > 1 && a[0] == '-') {
      return usageError("unknown option " + a);
    } else {
      auto q = scenario::parseWholeNumber(fromUtf8(a));
      if (!q || *q < 201 || *q > 221) {
        return usageError("not a question number (201 to 221): " + a);
      }
      options.questions.push_back(*q);
    }
  }
  auto exercises = scenario::findExercisesFolder();
  if (!exercises) {
    std::cerr << "r58046: no exercises folder found (set R58046_EXERCISES)\n";
    return 2;
  }
  options.exercises = *exercises;
  if (single) {
    auto plan = fc::RunSpec::parse(*single);
    if (!plan) {
      return usageError("not a run's ID: " + *single);
    }
    fc::RunResult result =
        fc::playIsolated({*plan}, fc::playWith(*exercises), 1, options.timeout).front();
    std::cout << fc::formatRun(result);
    fc::CampaignReport one;
    one.runs.push_back(result);
    return fc::anyViolation(one, tolerated) ? 1 : 0;
  }
  if (isatty(fileno(stderr)) != 0) {
    options.progress = [](size_t done, size_t total) {
      if (done == total || done % 25 == 0) {
        std::cerr << "\r" << done << "/" << total << " runs" << (done == total ? "\n" : "")
                  << std::flush;
      }
    };
  }
  fc::CampaignReport report = fc::runCampaign(options);
  std::cout << fc::formatReport(report);
  return fc::anyViolation(report, tolerated) ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << kUsage;
    return 0;
  }
  std::string command = args[0];
  args.erase(args.begin());
  try {
    if (command == "run") {
      return run(args);
    }
    if (command == "demo") {
      return args.empty() ? demo() : usageError("demo takes no arguments");
    }
    if (command == "play") {
      return play(args);
    }
    if (command == "faults") {
      return faults(args);
    }
  } catch (const std::exception& e) {
    std::cerr << "r58046: " << e.what() << "\n";
    return 2;
  }
  return usageError("unknown command " + command);
}
