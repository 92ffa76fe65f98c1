// The Win32 seams the module relies on: the file system with VB's error numbers, the
// template folder made with its parents, and casing through the system.
#include <gtest/gtest.h>

#include <functional>

#include "automation/error.h"
#include "automation/text.h"
#include "com_test_support.h"
#include "platform/file_system_win32.h"
#include "support/error_of.h"

using namespace r58046;
using platform::FileAttribute;
namespace errors = automation::errors;

namespace {

using testsupport::errorOf;

std::u16string u16(const std::wstring& text) {
  return std::u16string(text.begin(), text.end());
}

void write(const std::u16string& path) {
  HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.c_str()), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
}

TEST(Win32FileSystem, RenamesAndDeletesWithVbErrors) {
  testsupport::TempFolder temp;
  platform::Win32FileSystem files;
  std::u16string dir = u16(temp.path());
  write(dir + u"05804601.doc");
  write(dir + u"Bulletin.doc");
  EXPECT_EQ(errorOf([&] { files.rename(dir + u"05804601.doc", dir + u"Bulletin.doc"); }),
            errors::kFileAlreadyExists);
  EXPECT_EQ(errorOf([&] { files.rename(dir + u"absent.doc", dir + u"x.doc"); }),
            errors::kFileNotFound);
  EXPECT_EQ(errorOf([&] { files.rename(dir + u"absent\\a.doc", dir + u"x.doc"); }),
            errors::kPathNotFound);
  EXPECT_EQ(errorOf([&] { files.rename(dir + u"05804601.doc", dir + u"none\\x.doc"); }),
            errors::kPathNotFound);

  files.setAttribute(dir + u"Bulletin.doc", FileAttribute::ReadOnly);
  EXPECT_TRUE(files.hasAttribute(dir + u"Bulletin.doc", FileAttribute::ReadOnly));
  EXPECT_EQ(errorOf([&] { files.deleteFile(dir + u"Bulletin.doc"); }),
            errors::kPathFileAccessError);
  files.setAttributesNormal(dir + u"Bulletin.doc");
  files.deleteFile(dir + u"Bulletin.doc");
  EXPECT_FALSE(files.exists(dir + u"Bulletin.doc"));
  EXPECT_EQ(errorOf([&] { files.deleteFile(dir + u"Bulletin.doc"); }), errors::kFileNotFound);
}

TEST(Win32FileSystem, PatternsFoldersAndDir) {
  testsupport::TempFolder temp;
  platform::Win32FileSystem files;
  std::u16string dir = u16(temp.make(L"Oxel Mod\u00e8les"));
  write(dir + u"Courrier Oxel.dot");
  write(dir + u"cach\u00e9.dot");
  files.setAttribute(dir + u"cach\u00e9.dot", FileAttribute::Hidden);
  EXPECT_TRUE(files.dirFinds(dir + u"COURRIER OXEL.DOT"));
  EXPECT_FALSE(files.dirFinds(dir + u"cach\u00e9.dot")) << "Dir does not see hidden files";
  EXPECT_EQ(errorOf([&] { files.removeFolder(dir); }), errors::kPathFileAccessError);

  files.deletePattern(dir + u"*.*");
  EXPECT_FALSE(files.exists(dir + u"Courrier Oxel.dot"));
  EXPECT_EQ(errorOf([&] { files.deletePattern(dir + u"*.*"); }), errors::kFileNotFound);
  files.removeFolder(dir);
  EXPECT_FALSE(files.folderExists(dir));
  EXPECT_EQ(errorOf([&] { files.removeFolder(dir); }), errors::kPathNotFound);
  EXPECT_EQ(errorOf([&] { files.deletePattern(dir + u"*.*"); }), errors::kPathNotFound);
}

TEST(Win32FileSystem, RefusesDeletionsThatAreNotAbsolute) {
  testsupport::TempFolder temp;
  platform::Win32FileSystem files;
  std::u16string dir = u16(temp.path());
  write(dir + u"canary.txt");
  write(dir + u"Courrier Oxel.dot");
  std::u16string folder = u16(temp.make(L"Oxel Mod\u00e8les"));
  // The temporary folder without its drive ("\\...": from the root of the current drive),
  // and with the drive but not its root ("C:...": that drive's current folder).
  std::u16string rootRelative = dir.substr(2);
  std::u16string driveRelative = dir.substr(0, 2) + u"*.*";

  wchar_t saved[MAX_PATH];
  ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, saved), 0U);
  ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
  EXPECT_EQ(errorOf([&] { files.deletePattern(u"*.*"); }), errors::kPermissionDenied);
  EXPECT_EQ(errorOf([&] { files.deletePattern(u"*"); }), errors::kPermissionDenied);
  EXPECT_EQ(errorOf([&] { files.deletePattern(driveRelative); }), errors::kPermissionDenied);
  EXPECT_EQ(errorOf([&] { files.deleteFile(u"Courrier Oxel.dot"); }), errors::kPermissionDenied);
  EXPECT_EQ(errorOf([&] { files.deleteFile(rootRelative + u"canary.txt"); }),
            errors::kPermissionDenied);
  EXPECT_EQ(errorOf([&] { files.removeFolder(u"Oxel Mod\u00e8les\\"); }),
            errors::kPermissionDenied);
  EXPECT_EQ(errorOf([&] { files.removeFolder(u""); }), errors::kPermissionDenied);
  SetCurrentDirectoryW(saved);
  EXPECT_TRUE(files.exists(dir + u"canary.txt"));
  EXPECT_TRUE(files.exists(dir + u"Courrier Oxel.dot"));
  EXPECT_TRUE(files.folderExists(folder));

  // Absolute, they are made.
  files.deletePattern(dir + u"*.*");
  files.removeFolder(folder);
  EXPECT_FALSE(files.exists(dir + u"canary.txt"));
  EXPECT_FALSE(files.folderExists(folder));
}

TEST(Win32Paths, AbsoluteFromADriveRootOrAShare) {
  EXPECT_TRUE(platform::isAbsolutePath(u"C:\\Travail\\"));
  EXPECT_TRUE(platform::isAbsolutePath(u"c:/Travail/"));
  EXPECT_TRUE(platform::isAbsolutePath(u"\\\\serveur\\partage\\"));
  EXPECT_FALSE(platform::isAbsolutePath(u""));
  EXPECT_FALSE(platform::isAbsolutePath(u"C:Travail\\"));
  EXPECT_FALSE(platform::isAbsolutePath(u"\\Travail\\"));
  EXPECT_FALSE(platform::isAbsolutePath(u"Travail\\"));
  EXPECT_FALSE(platform::isAbsolutePath(u"*.*"));
}

TEST(Win32FileSystem, MakesTheTemplateFolderWithItsParents) {
  testsupport::TempFolder temp;
  platform::Win32FileSystem files;
  // Beyond the ANSI code page (œ, and a Greek letter): made folder by folder.
  for (std::u16string name : {u"Mod\u00e8les\\Oxel Mod\u00e8les\\", u"\u0153uvre \u03a9\\a\\b\\"}) {
    std::u16string path = u16(temp.path()) + name;
    EXPECT_TRUE(files.makeSureDirectoryPathExists(path));
    EXPECT_TRUE(files.folderExists(path));
    EXPECT_TRUE(files.makeSureDirectoryPathExists(path)) << "a folder that exists is no failure";
  }
}

TEST(Win32Casing, FollowsUnicode) {
  EXPECT_EQ(automation::upper(u"mod\u00e8les \u0153uvre"), u"MOD\u00c8LES \u0152UVRE");
  EXPECT_EQ(automation::lower(u"COURRIER OXEL.DOT"), u"courrier oxel.dot");
  EXPECT_TRUE(automation::equalsNoCase(u"Biscuits d'or.doc", u"BISCUITS D'OR.DOC"));
}

}  // namespace
