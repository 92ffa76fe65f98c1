#include "module/deletion_guard.h"

#include "automation/error.h"

namespace r58046::module {

namespace {

// The folder of a path: everything up to its last separator, that one included.
std::u16string_view folderOf(std::u16string_view path) {
  size_t end = path.size();
  while (end > 0 && !platform::isSeparator(path[end - 1])) {
    --end;
  }
  return path.substr(0, end);
}

// A folder written without its trailing separators (the root keeps its own).
std::u16string_view withoutSeparator(std::u16string_view folder) {
  while (folder.size() > 1 && platform::isSeparator(folder.back())) {
    folder.remove_suffix(1);
  }
  return folder;
}

// Whether `folder` is the exercise's folder `allowed`, and that one an absolute path.
bool isExerciseFolder(std::u16string_view folder, const std::u16string& allowed) {
  return platform::isAbsolutePath(allowed) && withoutSeparator(folder) == withoutSeparator(allowed);
}

// A file of the user that a change (its attributes, its name) would touch.
[[noreturn]] void refuseChange(std::u16string_view path) {
  automation::raiseError(
      automation::errors::kPermissionDenied,
      u"Change refused (outside the exercise's folders): \"" + std::u16string(path) + u"\"");
}

}  // namespace

DeletionGuard::DeletionGuard(platform::FileSystem& files, const std::u16string& workingFolder,
                             const std::u16string& templateFolder)
    : files_(files), workingFolder_(workingFolder), templateFolder_(templateFolder) {}

bool DeletionGuard::isExerciseFile(std::u16string_view path) const {
  const std::u16string_view folder = folderOf(path);
  return isExerciseFolder(folder, workingFolder_) || isExerciseFolder(folder, templateFolder_);
}

void DeletionGuard::deleteFile(std::u16string_view path) {
  if (!isExerciseFile(path)) {
    platform::refuseDeletion(path, u"outside the exercise's folders");
  }
  files_.deleteFile(path);
}

void DeletionGuard::deletePattern(std::u16string_view pattern) {
  if (!isExerciseFolder(folderOf(pattern), templateFolder_)) {
    platform::refuseDeletion(pattern, u"outside the exercise's template folder");
  }
  files_.deletePattern(pattern);
}

void DeletionGuard::removeFolder(std::u16string_view path) {
  if (!isExerciseFolder(path, templateFolder_)) {
    platform::refuseDeletion(path, u"not the exercise's template folder");
  }
  files_.removeFolder(path);
}

void DeletionGuard::setAttributesNormal(std::u16string_view path) {
  if (!isExerciseFile(path)) {
    refuseChange(path);
  }
  files_.setAttributesNormal(path);
}

void DeletionGuard::setAttribute(std::u16string_view path, platform::FileAttribute attribute) {
  if (!isExerciseFile(path)) {
    refuseChange(path);
  }
  files_.setAttribute(path, attribute);
}

bool DeletionGuard::hasAttribute(std::u16string_view path, platform::FileAttribute attribute) {
  return files_.hasAttribute(path, attribute);
}

void DeletionGuard::rename(std::u16string_view from, std::u16string_view to) {
  if (!isExerciseFile(from)) {
    refuseChange(from);
  }
  if (!isExerciseFile(to)) {
    refuseChange(to);
  }
  files_.rename(from, to);
}

bool DeletionGuard::exists(std::u16string_view path) {
  return files_.exists(path);
}

bool DeletionGuard::folderExists(std::u16string_view path) {
  return files_.folderExists(path);
}

bool DeletionGuard::dirFinds(std::u16string_view path) {
  return files_.dirFinds(path);
}

platform::FileTime DeletionGuard::modificationTime(std::u16string_view path) {
  return files_.modificationTime(path);
}

bool DeletionGuard::makeSureDirectoryPathExists(std::u16string_view path) {
  return files_.makeSureDirectoryPathExists(path);
}

}  // namespace r58046::module
