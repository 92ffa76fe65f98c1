// The world folders of a run that does not end normally: killed (SIGKILL, SIGTERM, SIGINT) or
// crashed, it leaves nothing in the temporary folder; folders of runs long gone are swept.
#include "scenario/world_folders.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "scenario/world_native.h"
#include "support/temp_folder.h"

namespace r58046::scenario {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> worldFoldersIn(const fs::path& base) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(base)) {
    std::string name = entry.path().filename().string();
    if (name.rfind(kWorldFolderPrefix, 0) == 0) {
      names.push_back(name);
    }
  }
  return names;
}

class WorldFolders : public ::testing::Test {
 protected:
  // A child process that makes a native world with the test's folder as its temporary
  // folder, tells the test, and waits to be stopped (or crashes when asked to).
  pid_t startRun(bool crash) {
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    if (pid == 0) {
      close(ready[0]);
      setenv("TMPDIR", base_.c_str(), 1);
      std::unique_ptr<World> world = makeNativeWorld();
      world->startWordAsUser();
      char one = 1;
      if (write(ready[1], &one, 1) != 1) {
        _exit(2);
      }
      if (crash) {
        signal(SIGSEGV, SIG_DFL);
        raise(SIGSEGV);
      }
      while (true) {
        pause();
      }
    }
    close(ready[1]);
    char one = 0;
    EXPECT_EQ(read(ready[0], &one, 1), 1) << "the run did not make its world";
    close(ready[0]);
    return pid;
  }

  // Waits until the temporary folder holds no world folder (the guardian works after the
  // run has ended).
  bool becomesEmpty() {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
      if (worldFoldersIn(base_).empty()) {
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  testsupport::TempFolder temp_{"world-folders-test"};
  const fs::path& base_ = temp_.path();
};

TEST_F(WorldFolders, ARunKilledOrCrashedLeavesNoWorldFolder) {
  for (int signal : {SIGKILL, SIGTERM, SIGINT, 0}) {
    bool crash = signal == 0;
    SCOPED_TRACE(crash ? "crash" : sigabbrev_np(signal));
    pid_t pid = startRun(crash);
    EXPECT_EQ(worldFoldersIn(base_).size(), 1u) << "the run's world folder is there";
    if (!crash) {
      kill(pid, signal);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0));
    EXPECT_TRUE(becomesEmpty()) << "left: " << ::testing::PrintToString(worldFoldersIn(base_));
  }
}

TEST_F(WorldFolders, TheSweepRemovesOnlyFoldersOfRunsThatNoLongerRun) {
  pid_t gone = fork();
  if (gone == 0) {
    _exit(0);
  }
  ASSERT_EQ(waitpid(gone, nullptr, 0), gone);
  std::string prefix = kWorldFolderPrefix;
  fs::path dead = base_ / (prefix + std::to_string(gone) + ".abcdef-12345678");
  fs::path alive = base_ / (prefix + std::to_string(getpid()) + ".abcdef-12345678");
  fs::path foreign = base_ / (prefix + "notapid");
  fs::path older = base_ / (prefix + "0123abcd");
  for (const fs::path& p : {dead, alive, foreign, older}) {
    fs::create_directories(p / "Travail");
  }
  EXPECT_EQ(sweepStaleWorldFolders(base_), 1);
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(alive));
  EXPECT_TRUE(fs::exists(foreign));
  EXPECT_TRUE(fs::exists(older));
}

TEST_F(WorldFolders, FoldersAreNamedAfterTheirProcessAndMadeAnew) {
  setenv("TMPDIR", base_.c_str(), 1);
  fs::path first = makeWorldFolder();
  fs::path second = makeWorldFolder();
  unsetenv("TMPDIR");
  EXPECT_NE(first, second);
  EXPECT_EQ(first.parent_path(), base_);
  std::string mine = kWorldFolderPrefix + std::to_string(getpid()) + ".";
  EXPECT_EQ(first.filename().string().rfind(mine, 0), 0u) << first;
  EXPECT_TRUE(fs::is_directory(first));
  EXPECT_TRUE(fs::is_empty(second));
}

}  // namespace
}  // namespace r58046::scenario
