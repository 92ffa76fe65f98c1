// r58046.exe, the Windows build of the scenario runner: plays scenario files as the host
// plays an exercise, with r58046.dll created through COM by its class identifier and Word
// reached through COM by ProgID.
//
//   r58046 run [--json] [--trace] FILE...
//
// Output and exit status as the native `r58046 run`: one line per failed expectation, then
// "N passed, M failed"; 0 when every file passed, 1 when one failed, 2 when a file could
// not be read or parsed.
#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "scenario/exercises.h"
#include "scenario/runner.h"
#include "winhost/simword_link.h"
#include "winhost/world_windows.h"

namespace {

constexpr const char* kUsage =
    "Usage: r58046 run [--json] [--trace] FILE...\n"
    "Plays scenario files against r58046.dll (registered) and the Word that answers to\n"
    "\"Word.Application.11\". The master files come from R58046_EXERCISES or the exercises\n"
    "folder next to the program or one of its parents.\n";

int run(const std::vector<std::wstring>& args) {
  namespace fs = std::filesystem;
  bool json = false;
  r58046::scenario::RunOptions options;
  std::vector<fs::path> files;
  for (const std::wstring& a : args) {
    if (a == L"--json") {
      json = true;
    } else if (a == L"--trace") {
      options.traceWordCalls = true;
    } else if (a.size() > 1 && a[0] == L'-') {
      std::cerr << "r58046: unknown option\n" << kUsage;
      return 2;
    } else {
      files.emplace_back(a);
    }
  }
  if (files.empty()) {
    std::cerr << "r58046: run needs at least one scenario file\n" << kUsage;
    return 2;
  }
  options.exercises = r58046::scenario::findExercisesFolder();
  std::vector<r58046::scenario::FileResult> results;
  for (const fs::path& file : files) {
    results.push_back(
        r58046::scenario::runScenarioFile(file, r58046::winhost::makeWindowsWorld, options));
  }
  std::string text =
      json ? r58046::scenario::formatJson(results) : r58046::scenario::formatText(results);
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
  r58046::winhost::endAllSimWords();
  OleUninitialize();
  return status;
}
