// The file system of the native build: the real one, through std::filesystem. Paths arrive
// as UTF-16 and reach the system as UTF-8.
//
// The DOS attributes that the module resets and a user sets are mapped this way:
// - read-only: the owner's write permission bit is cleared (set: cleared; normal: set
//   again). Folders keep their permissions: a read-only folder means nothing to the module.
//   Since POSIX lets the owner of a folder delete any file in it, deleteFile itself refuses a
//   read-only file with error 75, as Kill does;
// - hidden and system have no POSIX counterpart: they live in a small table of this object,
//   per file, as set through setAttribute, until normal clears them or the file is deleted
//   (a rename carries them along). They belong to the file they were set on (its device and
//   inode), so a file replaced behind this object's back normally loses them. A name that
//   starts with "." is hidden as well, whatever the table says.
//
// Names are found as the system has them: exists and the others take the path as it is
// written; only dirFinds (VB's Dir) matches the file name without regard to letter case.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/platform.h"

namespace r58046::platform {

class PosixFileSystem : public FileSystem {
 public:
  void setAttributesNormal(std::u16string_view path) override;
  void setAttribute(std::u16string_view path, FileAttribute attribute) override;
  bool hasAttribute(std::u16string_view path, FileAttribute attribute) override;
  // Error 53 (76 when the folder is missing) for a missing source, 58 for an existing
  // destination, 76 for a missing destination folder, 75 for any other failure. Moves
  // across file systems by copying.
  void rename(std::u16string_view from, std::u16string_view to) override;
  // A name with wildcards ("*", "?") deletes by pattern. Error 70 for a path that is not
  // absolute, 53 for a missing file or a folder, 75 for a read-only file or any other
  // failure.
  void deleteFile(std::u16string_view path) override;
  // The name part may hold "*" and "?" and matches without regard to letter case; "*.*"
  // matches every name, as on Windows. Files only, never sub-folders. Error 70 for a folder
  // that is not absolute (nothing deleted), 76 for a missing folder, 53 when nothing
  // matched, 75 when a matching file could not be deleted (after the others were).
  void deletePattern(std::u16string_view pattern) override;
  // Error 70 for a path that is not absolute, 76 for a missing folder, 75 for one that is
  // not empty or cannot be removed.
  void removeFolder(std::u16string_view path) override;
  bool exists(std::u16string_view path) override;
  bool folderExists(std::u16string_view path) override;
  // The folder is taken as written; the name (wildcards allowed) matches without regard to
  // letter case. Folders, hidden and system files do not count.
  bool dirFinds(std::u16string_view path) override;
  // Error 53 (76 when the folder is missing) for a missing file.
  FileTime modificationTime(std::u16string_view path) override;
  // Creates every folder up to the last separator (what follows it is a file name, as for
  // MakeSureDirectoryPathExists).
  bool makeSureDirectoryPathExists(std::u16string_view path) override;

 private:
  struct Marks {
    bool hidden = false;
    bool system = false;
    uintmax_t device = 0;  // which file the marks were set on
    uintmax_t inode = 0;
  };
  // The marks of the file at that path, when they still belong to that file.
  Marks* marksOf(const std::string& path);
  void setMark(const std::string& path, FileAttribute attribute);
  bool hiddenOrSystem(const std::string& path);

  std::map<std::string, Marks> marks_;  // by absolute path, UTF-8
};

}  // namespace r58046::platform
