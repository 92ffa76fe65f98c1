// r58046.exe, the Windows build of the scenario runner: plays scenario files as the host
// plays an exercise, with r58046.dll created through COM by its class identifier and Word
// reached through COM by ProgID.
//
//   r58046 run [--json] [--trace] [--real-word] [--progress] FILE...
//
// Output and exit status as the native `r58046 run`: one line per failed expectation, then
// "N passed, M failed"; 0 when every file passed, 1 when one failed, 2 when a file could
// not be read or parsed.
//
// Where simword.exe is not what answers to "Word.Application.11" (a machine with Word 2003),
// or with --real-word, Word is driven as a real Word (winhost/world_real_word.h): the lines
// that need the simulated Word are skipped, and the output first names the Word that
// answered.
#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "automation/text.h"
#include "scenario/exercises.h"
#include "scenario/runner.h"
#include "winhost/simword_link.h"
#include "winhost/world_real_word.h"
#include "winhost/world_windows.h"

namespace {

// A JSON string of a text without control characters (Word's name, version and build).
std::string jsonText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
    }
    out += c;
  }
  return out + "\"";
}

// Whether Word is driven as a real Word (no simulated Word's channel is used then).
bool gRealWord = false;

constexpr const char* kUsage =
    "Usage: r58046 run [--json] [--trace] [--real-word] [--progress] FILE|@LIST...\n"
    "Plays scenario files against r58046.dll (registered) and the Word that answers to\n"
    "\"Word.Application.11\". The master files come from R58046_EXERCISES or the exercises\n"
    "folder next to the program or one of its parents. @LIST stands for the files a list\n"
    "names, one a line, relative to the list's folder (exercises\\real-word.list).\n"
    "When that Word is not the simulated one (simword.exe), or with --real-word, it is\n"
    "driven as a real Word: lines that need the simulated Word (desktop, fault, a file\n"
    "attribute the system refuses) are skipped, and the output names the Word.\n"
    "--progress tells each file on the error output as it starts (\"file 3 of 40: ...\").\n";

int run(const std::vector<std::wstring>& args) {
  namespace fs = std::filesystem;
  bool json = false;
  bool& realWord = gRealWord;
  realWord = !r58046::winhost::simulatedWordRegistered();
  bool progress = false;
  r58046::scenario::RunOptions options;
  std::vector<fs::path> files;
  for (const std::wstring& a : args) {
    if (a == L"--json") {
      json = true;
    } else if (a == L"--real-word") {
      realWord = true;
    } else if (a == L"--progress") {
      progress = true;
    } else if (a == L"--trace") {
      options.traceWordCalls = true;
    } else if (a.size() > 1 && a[0] == L'-') {
      std::cerr << "r58046: unknown option\n" << kUsage;
      return 2;
    } else if (a.size() > 1 && a[0] == L'@') {
      for (fs::path& f : r58046::scenario::readScenarioList(a.substr(1))) {
        files.push_back(std::move(f));
      }
    } else {
      files.emplace_back(a);
    }
  }
  if (files.empty()) {
    std::cerr << "r58046: run needs at least one scenario file\n" << kUsage;
    return 2;
  }
  std::string word;
  if (realWord) {
    try {
      word = r58046::automation::toUtf8(
          r58046::winhost::describeRealWord(r58046::winhost::realWordIdentity()));
    } catch (const std::exception& e) {
      std::cerr << "r58046: " << e.what() << "\n";
      return 2;
    }
  }
  options.exercises = r58046::scenario::findExercisesFolder();
  std::vector<r58046::scenario::FileResult> results;
  for (const fs::path& file : files) {
    if (progress) {
      std::fprintf(stderr, "file %u of %u: %s\n", static_cast<unsigned>(results.size() + 1),
                   static_cast<unsigned>(files.size()), file.string().c_str());
      std::fflush(stderr);
    }
    results.push_back(r58046::scenario::runScenarioFile(
        file, realWord ? r58046::winhost::makeRealWordWorld : r58046::winhost::makeWindowsWorld,
        options));
  }
  std::string text =
      json ? r58046::scenario::formatJson(results) : r58046::scenario::formatText(results);
  if (realWord) {
    // The Word that answered comes first: a line of its own, or a member of the document.
    text = json ? "{\n  \"word\": " + jsonText(word) + "," + text.substr(1)
                : "Word: " + word +
                      " (a real Word: lines that need the simulated Word are "
                      "skipped)\n" +
                      text;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
  return r58046::scenario::exitStatus(results);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.empty() || args[0] != L"run") {
    std::cerr << kUsage;
    return 2;
  }
  if (FAILED(OleInitialize(nullptr))) {
    std::cerr << "r58046: COM could not be initialised\n";
    return 2;
  }
  int status = 2;
  try {
    status = run(std::vector<std::wstring>(args.begin() + 1, args.end()));
  } catch (const std::exception& e) {
    std::cerr << "r58046: " << e.what() << "\n";
  }
  if (!gRealWord) {
    r58046::winhost::endAllSimWords();
  }
  OleUninitialize();
  return status;
}
