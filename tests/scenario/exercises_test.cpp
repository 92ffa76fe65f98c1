// Where the r58046 command finds its exercises: installed in a prefix, built in the source
// tree, unpacked from the Windows package.
#include "scenario/exercises.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace r58046::scenario {
namespace {

namespace fs = std::filesystem;

class ExercisesFolderTest : public ::testing::Test {
 protected:
  // Makes the folders and an executable file at `executable`, all under the root.
  fs::path layout(std::initializer_list<const char*> folders, const char* executable) {
    for (const char* f : folders) {
      fs::create_directories(root_ / f);
    }
    fs::path exe = root_ / executable;
    fs::create_directories(exe.parent_path());
    std::ofstream(exe) << "";
    return exe;
  }

  testsupport::TempFolder temp_{"r58046-exercises"};
  const fs::path& root_ = temp_.path();
};

TEST_F(ExercisesFolderTest, AnInstalledToolFindsTheSharedExercisesOfItsPrefix) {
  fs::path exe = layout({"usr/share/r58046/exercises"}, "usr/bin/r58046");
  EXPECT_EQ(exercisesFolderFor(exe), root_ / "usr/share/r58046/exercises");
}

TEST_F(ExercisesFolderTest, TheInstalledFolderComesBeforeAnExercisesFolderAboveThePrefix) {
  // A prefix inside a source tree (an install for a test) still uses what it installed.
  fs::path exe = layout({"exercises", "stage/share/r58046/exercises"}, "stage/bin/r58046");
  EXPECT_EQ(exercisesFolderFor(exe), root_ / "stage/share/r58046/exercises");
}

TEST_F(ExercisesFolderTest, ABuildInTheSourceTreeFindsTheTreesExercises) {
  fs::path exe = layout({"exercises", "build/default/tests"}, "build/default/r58046");
  EXPECT_EQ(exercisesFolderFor(exe), root_ / "exercises");
}

TEST_F(ExercisesFolderTest, TheUnpackedWindowsPackageHasThemBesideTheProgram) {
  fs::path exe = layout({"r58046-1.0-win32/exercises"}, "r58046-1.0-win32/r58046.exe");
  EXPECT_EQ(exercisesFolderFor(exe), root_ / "r58046-1.0-win32/exercises");
}

TEST_F(ExercisesFolderTest, AFileNamedExercisesIsNoFolderAndNoExecutableFindsNothing) {
  fs::path exe = layout({"share/r58046"}, "bin/r58046");
  std::ofstream(root_ / "share/r58046/exercises") << "not a folder";
  std::ofstream(root_ / "exercises") << "not a folder";
  EXPECT_EQ(exercisesFolderFor(exe), std::nullopt);
  EXPECT_EQ(exercisesFolderFor(fs::path()), std::nullopt);
}

}  // namespace
}  // namespace r58046::scenario
