// The bundled exercises: the master files that a host delivers for each question, and where
// they are found.
//
// Layout: master files flat in exercises/ (05804601.doc, 15804607.doc, 05804617.dot, ...),
// bundled scenarios in exercises/<folder>/*.scn.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace r58046::scenario {

// The master files of a question, as its working-file list names them (NomSource); none
// for a number outside 201..221.
std::vector<std::u16string> masterFiles(int32_t question);

// The host's delivery: puts the question's master files into `work` (a folder ending with
// the separator), each only where no file of that name is there yet, so that a scenario can
// put its own first. Answers, for each file it could not deliver, why.
std::vector<std::u16string> deliverMasterFiles(
    int32_t question, const std::u16string& work, platform::FileSystem& files,
    const std::optional<std::filesystem::path>& exercises);

// The exercises folder: the R58046_EXERCISES environment variable when it is set, else the
// one that exercisesFolderFor finds for the running executable.
std::optional<std::filesystem::path> findExercisesFolder();

// The exercises folder of an executable: share/r58046/exercises beside the folder that holds
// it (an installed r58046 in <prefix>/bin), else the first folder named "exercises" in its
// own folder or one of its parents (a build folder inside the source tree, or the unpacked
// Windows package).
std::optional<std::filesystem::path> exercisesFolderFor(const std::filesystem::path& executable);

// The scenario files named by a list file (`r58046 run @LIST`): one path a line, relative to
// the list's folder unless absolute; blank lines and lines starting with # are left out.
// std::runtime_error when the list cannot be read.
std::vector<std::filesystem::path> readScenarioList(const std::filesystem::path& list);

// The bundled scenarios: every exercises/<folder>/*.scn, sorted by path.
std::vector<std::filesystem::path> bundledScenarios(const std::filesystem::path& exercises);

}  // namespace r58046::scenario
