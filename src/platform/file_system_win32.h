// The file system of the Windows build: the wide-character Win32 API, with VB's error
// numbers for its failures (53 a missing file, 58 an existing destination, 70 a deletion
// refused because its path is not absolute, 75 a file or folder that cannot be changed, 76
// a missing folder).
#pragma once

#include "platform/platform.h"

namespace r58046::platform {

class Win32FileSystem : public FileSystem {
 public:
  void setAttributesNormal(std::u16string_view path) override;
  void setAttribute(std::u16string_view path, FileAttribute attribute) override;
  bool hasAttribute(std::u16string_view path, FileAttribute attribute) override;
  void rename(std::u16string_view from, std::u16string_view to) override;
  // A name with wildcards deletes by pattern, as Kill does.
  void deleteFile(std::u16string_view path) override;
  // Files only; error 76 for a missing folder, 53 when nothing matched, 75 when a matching
  // file could not be deleted (after the others were).
  void deletePattern(std::u16string_view pattern) override;
  void removeFolder(std::u16string_view path) override;
  bool exists(std::u16string_view path) override;
  bool folderExists(std::u16string_view path) override;
  bool dirFinds(std::u16string_view path) override;
  FileTime modificationTime(std::u16string_view path) override;
  // imagehlp's MakeSureDirectoryPathExists, which takes an ANSI path; a path that the ANSI
  // code page cannot carry is made folder by folder with the wide API instead.
  bool makeSureDirectoryPathExists(std::u16string_view path) override;
};

}  // namespace r58046::platform
