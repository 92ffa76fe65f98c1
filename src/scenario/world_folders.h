// The temporary folders of the native worlds, and what removes them when a run ends in a way
// that runs no destructor (killed by a signal, SIGKILL included, or crashed).
//
// A world folder is named "r58046-<pid>.<tag>-<random>" in the system's temporary folder:
// <pid> is the process that made it and <tag> a random word chosen once per process. Two nets
// catch the folders that a run leaves behind:
// - a guardian: the first folder a process makes forks a small process that waits on a pipe
//   whose writing end only the run holds; when the run ends, however it ends, the pipe closes
//   and the guardian removes the run's folders (by their "r58046-<pid>.<tag>-" prefix), then
//   exits. It leaves the run's process group and ignores the terminal's signals, so that
//   Ctrl-C or a signal sent to the run's group does not stop it before its work;
// - a sweep: the first folder a process makes also removes the folders whose <pid> no longer
//   runs (a guardian that was itself killed, a machine that stopped).
#pragma once

#include <filesystem>
#include <string>

namespace r58046::scenario {

// Makes a new, empty folder for a world in the system's temporary folder (TMPDIR, else
// /tmp); the first call in a process starts its guardian and sweeps stale folders.
// std::runtime_error when no folder can be made.
std::filesystem::path makeWorldFolder();

// The prefix of every world folder name.
inline constexpr const char* kWorldFolderPrefix = "r58046-";

// Removes the world folders in `base` whose process no longer runs; answers how many.
// Folders of processes that still run, and names of another form, are left alone.
int sweepStaleWorldFolders(const std::filesystem::path& base);

}  // namespace r58046::scenario
