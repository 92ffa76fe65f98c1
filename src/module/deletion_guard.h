// The file system as the module and its questions reach it: the platform's, except that
// every deletion is made only inside the current exercise's own folders.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace r58046::module {

// Allowed, when the folder is an absolute path (an empty one, of an exercise never set up,
// allows nothing):
// - deleting a file of the working folder or of the template folder, resetting or setting
//   its attributes, renaming it to a name in one of these two folders;
// - deleting by pattern in the template folder;
// - removing the template folder itself.
// Anything else is refused with error 70 ("Permission denied") and nothing is touched, so
// that no file of the user (the host's current folder, the documents folder, a copy of a
// template elsewhere) is ever deleted or changed, whichever procedure asks. The folders are the
// module's own fields, read at each deletion: the guard always knows the current exercise's.
// The other operations go to the platform's file system unchanged.
class DeletionGuard : public platform::FileSystem {
 public:
  DeletionGuard(platform::FileSystem& files, const std::u16string& workingFolder,
                const std::u16string& templateFolder);

  void deleteFile(std::u16string_view path) override;
  void deletePattern(std::u16string_view pattern) override;
  void removeFolder(std::u16string_view path) override;

  void setAttributesNormal(std::u16string_view path) override;
  void setAttribute(std::u16string_view path, platform::FileAttribute attribute) override;
  bool hasAttribute(std::u16string_view path, platform::FileAttribute attribute) override;
  void rename(std::u16string_view from, std::u16string_view to) override;
  bool exists(std::u16string_view path) override;
  bool folderExists(std::u16string_view path) override;
  bool dirFinds(std::u16string_view path) override;
  platform::FileTime modificationTime(std::u16string_view path) override;
  bool makeSureDirectoryPathExists(std::u16string_view path) override;

 private:
  // Whether the file is in the working folder or the template folder.
  bool isExerciseFile(std::u16string_view path) const;

  platform::FileSystem& files_;
  const std::u16string& workingFolder_;
  const std::u16string& templateFolder_;
};

}  // namespace r58046::module
