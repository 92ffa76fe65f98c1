#include "platform/posix_file_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "automation/error.h"
#include "automation/text.h"
#include "platform/real_pauses.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

using namespace r58046::platform;
using r58046::automation::fromUtf8;
using r58046::automation::toUtf8;
namespace fs = std::filesystem;

namespace {

using r58046::testsupport::errorOf;

// A fresh folder per test, removed afterwards; `root` ends with the separator.
class PosixFileSystemTest : public ::testing::Test {
 protected:
  std::u16string make(std::u16string_view relative, std::string_view content = "x") {
    std::u16string path = root + std::u16string(relative);
    std::ofstream(toUtf8(path)) << content;
    return path;
  }
  std::u16string makeFolder(std::u16string_view relative) {
    std::u16string path = root + std::u16string(relative);
    fs::create_directories(toUtf8(path));
    return path;
  }

  r58046::testsupport::TempFolder temp{"r58046-fs"};
  PosixFileSystem files;
  std::u16string root = temp.folder();
};

TEST_F(PosixFileSystemTest, AReadOnlyFileIsDeletedOnlyAfterItsAttributesAreReset) {
  std::u16string doc = make(u"Bulletin.doc");
  files.setAttribute(doc, FileAttribute::ReadOnly);
  EXPECT_TRUE(files.hasAttribute(doc, FileAttribute::ReadOnly));
  EXPECT_FALSE(files.hasAttribute(doc, FileAttribute::Normal));
  EXPECT_EQ(errorOf([&] { files.deleteFile(doc); }), 75);
  EXPECT_TRUE(files.exists(doc));

  files.setAttributesNormal(doc);
  EXPECT_TRUE(files.hasAttribute(doc, FileAttribute::Normal));
  files.deleteFile(doc);
  EXPECT_FALSE(files.exists(doc));

  EXPECT_EQ(errorOf([&] { files.deleteFile(doc); }), 53);
  EXPECT_EQ(errorOf([&] { files.setAttributesNormal(doc); }), 53);
  EXPECT_EQ(errorOf([&] { files.setAttributesNormal(root + u"nowhere/Bulletin.doc"); }), 76);
  EXPECT_EQ(errorOf([&] { files.deleteFile(makeFolder(u"folder")); }), 53);
}

TEST_F(PosixFileSystemTest, DirFindsNamesWithoutCaseButNotHiddenSystemOrFolders) {
  std::u16string doc = make(u"Modèles.doc");
  EXPECT_TRUE(files.dirFinds(root + u"MODÈLES.DOC"));
  EXPECT_TRUE(files.dirFinds(root + u"modèles.doc"));
  EXPECT_TRUE(files.dirFinds(root + u"*.DOC"));
  EXPECT_FALSE(files.exists(root + u"MODÈLES.DOC"));  // exists takes the path as written
  EXPECT_FALSE(files.dirFinds(root + u"Modeles.doc"));
  EXPECT_FALSE(files.dirFinds(root + u"missing/Modèles.doc"));

  files.setAttribute(doc, FileAttribute::Hidden);
  EXPECT_TRUE(files.hasAttribute(doc, FileAttribute::Hidden));
  EXPECT_FALSE(files.dirFinds(root + u"modèles.doc"));
  files.setAttribute(doc, FileAttribute::System);
  files.setAttribute(doc, FileAttribute::Normal);  // clears both
  EXPECT_FALSE(files.hasAttribute(doc, FileAttribute::System));
  EXPECT_TRUE(files.dirFinds(root + u"modèles.doc"));

  files.setAttribute(doc, FileAttribute::System);
  EXPECT_FALSE(files.dirFinds(root + u"modèles.doc"));

  make(u".courrier oxel.dot");
  EXPECT_FALSE(files.dirFinds(root + u".Courrier Oxel.dot"));
  makeFolder(u"Courrier Oxel.dot");
  EXPECT_FALSE(files.dirFinds(root + u"courrier oxel.dot"));
}

TEST_F(PosixFileSystemTest, RenameMovesIntoTheTemplateFolderButNeverOverwrites) {
  std::u16string templates = root + u"Modèles/Oxel Modèles/";
  ASSERT_TRUE(files.makeSureDirectoryPathExists(templates));
  EXPECT_TRUE(files.folderExists(templates));

  std::u16string master = make(u"05804617.dot", "template");
  files.setAttribute(master, FileAttribute::Hidden);
  files.rename(master, templates + u"Courrier Oxel.dot");
  EXPECT_FALSE(files.exists(master));
  EXPECT_TRUE(files.exists(templates + u"Courrier Oxel.dot"));
  EXPECT_TRUE(files.hasAttribute(templates + u"Courrier Oxel.dot", FileAttribute::Hidden));

  std::u16string source = make(u"05804601.doc", "new");
  std::u16string stale = make(u"Bulletin.doc", "old");
  EXPECT_EQ(errorOf([&] { files.rename(source, stale); }), 58);
  std::ifstream kept(toUtf8(stale));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "old");

  EXPECT_EQ(errorOf([&] { files.rename(root + u"05804699.doc", root + u"x.doc"); }), 53);
  EXPECT_EQ(errorOf([&] { files.rename(root + u"gone/a.doc", root + u"x.doc"); }), 76);
  EXPECT_EQ(errorOf([&] { files.rename(source, root + u"gone/x.doc"); }), 76);
}

TEST_F(PosixFileSystemTest, DeletePatternEmptiesTheFolderOfFilesOnly) {
  std::u16string folder = makeFolder(u"Oxel Modèles") + u"/";
  make(u"Oxel Modèles/Courrier Oxel.dot");
  make(u"Oxel Modèles/README");
  std::u16string locked = make(u"Oxel Modèles/Lettre.dot");
  makeFolder(u"Oxel Modèles/sub");
  files.setAttribute(locked, FileAttribute::ReadOnly);

  // A read-only file stops nothing but is reported, as is the folder left not empty.
  EXPECT_EQ(errorOf([&] { files.deletePattern(folder + u"*.*"); }), 75);
  EXPECT_FALSE(files.exists(folder + u"Courrier Oxel.dot"));
  EXPECT_FALSE(files.exists(folder + u"README"));
  EXPECT_TRUE(files.exists(locked));
  EXPECT_TRUE(files.folderExists(folder + u"sub"));
  EXPECT_EQ(errorOf([&] { files.removeFolder(folder); }), 75);

  files.setAttributesNormal(locked);
  files.deletePattern(folder + u"*");
  EXPECT_EQ(errorOf([&] { files.deletePattern(folder + u"*.*"); }), 53);
  files.removeFolder(folder + u"sub/");
  files.removeFolder(folder);
  EXPECT_FALSE(files.folderExists(folder));
  EXPECT_EQ(errorOf([&] { files.removeFolder(folder); }), 76);
  EXPECT_EQ(errorOf([&] { files.deletePattern(folder + u"*.*"); }), 76);
}

using r58046::testsupport::CurrentFolder;

TEST_F(PosixFileSystemTest, DeletionsThatAreNotAbsoluteAreRefusedAndTouchNothing) {
  std::u16string canary = make(u"canary.txt");
  std::u16string modele = make(u"Courrier Oxel.dot");
  std::u16string folder = makeFolder(u"Oxel Modèles");
  {
    CurrentFolder here(root);
    // What an empty folder in front of a name stands for: the current folder.
    EXPECT_EQ(errorOf([&] { files.deletePattern(u"*.*"); }), 70);
    EXPECT_EQ(errorOf([&] { files.deletePattern(u"*"); }), 70);
    EXPECT_EQ(errorOf([&] { files.deleteFile(u"*.*"); }), 70);
    EXPECT_EQ(errorOf([&] { files.deleteFile(u"Courrier Oxel.dot"); }), 70);
    EXPECT_EQ(errorOf([&] { files.deleteFile(u"./canary.txt"); }), 70);
    EXPECT_EQ(errorOf([&] { files.deletePattern(u"Oxel Modèles/*.*"); }), 70);
    EXPECT_EQ(errorOf([&] { files.removeFolder(u"Oxel Modèles/"); }), 70);
    EXPECT_EQ(errorOf([&] { files.removeFolder(u""); }), 70);
  }
  EXPECT_TRUE(files.exists(canary));
  EXPECT_TRUE(files.exists(modele));
  EXPECT_TRUE(files.folderExists(folder));

  // The same deletions inside an absolute folder are made.
  files.deleteFile(modele);
  files.deletePattern(root + u"*.*");
  files.removeFolder(folder);
  EXPECT_FALSE(files.exists(canary));
  EXPECT_FALSE(files.folderExists(folder));
}

TEST(Paths, AbsoluteOnlyFromTheRoot) {
  EXPECT_TRUE(isAbsolutePath(u"/"));
  EXPECT_TRUE(isAbsolutePath(u"/home/u/Travail/"));
  EXPECT_FALSE(isAbsolutePath(u""));
  EXPECT_FALSE(isAbsolutePath(u"Travail/"));
  EXPECT_FALSE(isAbsolutePath(u"./Travail/"));
  EXPECT_FALSE(isAbsolutePath(u"*.*"));
}

TEST_F(PosixFileSystemTest, MakeSureDirectoryPathExistsCreatesUpToTheLastSeparator) {
  EXPECT_TRUE(files.makeSureDirectoryPathExists(root + u"a/b/c/"));
  EXPECT_TRUE(files.folderExists(root + u"a/b/c"));
  EXPECT_TRUE(files.makeSureDirectoryPathExists(root + u"a/b/c/"));  // already there
  EXPECT_TRUE(files.makeSureDirectoryPathExists(root + u"d/file.doc"));
  EXPECT_TRUE(files.folderExists(root + u"d"));
  EXPECT_FALSE(files.exists(root + u"d/file.doc"));

  make(u"plain");
  EXPECT_FALSE(files.makeSureDirectoryPathExists(root + u"plain/sub/"));
}

TEST_F(PosixFileSystemTest, ModificationTimeKeepsNanoseconds) {
  std::u16string doc = make(u"Courrier Oxel.dot");
  auto sys = std::chrono::sys_time<std::chrono::nanoseconds>(
      std::chrono::nanoseconds(1796677538342797301LL));
  fs::last_write_time(toUtf8(doc), std::chrono::file_clock::from_sys(sys));
  FileTime time = files.modificationTime(doc);
  EXPECT_EQ(time.nanoseconds, 1796677538342797301LL);
  EXPECT_EQ(formatFileTime(time), u"2026-12-07 21:05:38.342797301");
  EXPECT_EQ(errorOf([&] { files.modificationTime(root + u"absent.dot"); }), 53);
}

TEST(FileTime, FormatsInUtcWithNineDigits) {
  EXPECT_EQ(formatFileTime(FileTime{0}), u"1970-01-01 00:00:00.000000000");
  EXPECT_EQ(formatFileTime(FileTime{-1}), u"1969-12-31 23:59:59.999999999");
  EXPECT_EQ(formatFileTime(FileTime{951782400'000000005LL}), u"2000-02-29 00:00:00.000000005");
}

TEST(Pauses, RecordingPausesRecordAndRealPausesWait) {
  RecordingPauses recorded;
  recorded.pause(std::chrono::milliseconds(100));
  recorded.pause(std::chrono::milliseconds(20));
  EXPECT_EQ(recorded.asked().size(), 2U);
  EXPECT_EQ(recorded.total(), std::chrono::milliseconds(120));

  RealPauses real;
  auto start = std::chrono::steady_clock::now();
  real.pause(std::chrono::milliseconds(15));
  real.pause(std::chrono::milliseconds(-5));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(15));
}

}  // namespace
