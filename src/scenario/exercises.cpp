#include "scenario/exercises.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "automation/text.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace r58046::scenario {

namespace fs = std::filesystem;

std::vector<std::u16string> masterFiles(int32_t question) {
  if (question < 201 || question > 221) {
    return {};
  }
  std::u16string nn = std::u16string(1, static_cast<char16_t>(u'0' + (question - 200) / 10)) +
                      static_cast<char16_t>(u'0' + (question - 200) % 10);
  std::u16string doc = u"058046" + nn + u".doc";
  std::u16string dot = u"058046" + nn + u".dot";
  switch (question) {
    case 207:
      return {doc, u"15804607.doc"};
    case 217:
    case 218:
    case 220:
      return {doc, dot};
    case 219:
    case 221:
      return {dot};
    default:
      return {doc};
  }
}

std::vector<std::u16string> deliverMasterFiles(int32_t question, const std::u16string& work,
                                               platform::FileSystem& files,
                                               const std::optional<fs::path>& exercises) {
  std::vector<std::u16string> problems;
  for (const std::u16string& name : masterFiles(question)) {
    std::u16string destination = work + name;
    if (files.exists(destination)) {
      continue;
    }
    if (!exercises) {
      problems.push_back(name + u": no exercises folder was found");
      continue;
    }
    fs::path source = *exercises / fs::path(name);
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) {
      problems.push_back(name + u": not in " + automation::fromUtf8(exercises->string()));
      continue;
    }
    fs::copy_file(source, fs::path(destination), ec);
    if (ec) {
      problems.push_back(name + u": " + automation::fromUtf8(ec.message()));
    }
  }
  return problems;
}

namespace {

fs::path executablePath() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return n == 0 ? fs::path() : fs::path(std::wstring(buffer, n));
#else
  std::error_code ec;
  fs::path p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : p;
#endif
}

}  // namespace

std::optional<fs::path> exercisesFolderFor(const fs::path& executable) {
  if (executable.empty()) {
    return std::nullopt;
  }
  std::error_code ec;
  fs::path folder = executable.parent_path();
  // Installed: <prefix>/bin/r58046 beside <prefix>/share/r58046/exercises.
  fs::path installed = folder.parent_path() / "share" / "r58046" / "exercises";
  if (fs::is_directory(installed, ec)) {
    return installed;
  }
  for (fs::path dir = folder; !dir.empty(); dir = dir.parent_path()) {
    fs::path candidate = dir / "exercises";
    if (fs::is_directory(candidate, ec)) {
      return candidate;
    }
    if (dir == dir.parent_path()) {
      break;
    }
  }
  return std::nullopt;
}

std::optional<fs::path> findExercisesFolder() {
  std::error_code ec;
  if (const char* configured = std::getenv("R58046_EXERCISES");
      configured != nullptr && *configured != '\0') {
    fs::path p(configured);
    return fs::is_directory(p, ec) ? std::optional<fs::path>(p) : std::nullopt;
  }
  return exercisesFolderFor(executablePath());
}

std::vector<fs::path> readScenarioList(const fs::path& list) {
  std::ifstream in(list, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read the list " + list.string());
  }
  std::vector<fs::path> out;
  std::string line;
  while (std::getline(in, line)) {
    size_t first = line.find_first_not_of(" \t\r");
    size_t last = line.find_last_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') {
      continue;
    }
    fs::path file(std::u8string(line.begin() + static_cast<std::ptrdiff_t>(first),
                                line.begin() + static_cast<std::ptrdiff_t>(last) + 1));
    out.push_back(file.is_absolute() ? file : list.parent_path() / file);
  }
  return out;
}

std::vector<fs::path> bundledScenarios(const fs::path& exercises) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (const auto& folder : fs::directory_iterator(exercises, ec)) {
    if (!folder.is_directory(ec)) {
      continue;
    }
    for (const auto& file : fs::directory_iterator(folder.path(), ec)) {
      if (file.is_regular_file(ec) && file.path().extension() == ".scn") {
        out.push_back(file.path());
      }
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace r58046::scenario
