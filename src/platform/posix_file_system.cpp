#include "platform/posix_file_system.h"

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <system_error>
#include <vector>

#include "automation/error.h"
#include "automation/text.h"

namespace r58046::platform {
namespace {

namespace fs = std::filesystem;
namespace errors = automation::errors;
using automation::raiseError;

fs::path toPath(std::u16string_view path) {
  return fs::path(automation::toUtf8(path));
}

std::u16string nameOf(const fs::path& path) {
  return automation::fromUtf8(path.filename().string());
}

// The key of a file in the attribute table: its absolute, normalised path without a
// trailing separator.
std::string keyOf(const fs::path& path) {
  std::error_code ec;
  fs::path full = fs::absolute(path, ec);
  if (ec) {
    full = path;
  }
  std::string key = full.lexically_normal().string();
  while (key.size() > 1 && key.back() == '/') {
    key.pop_back();
  }
  return key;
}

bool identify(const std::string& path, uintmax_t& device, uintmax_t& inode) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return false;
  }
  device = static_cast<uintmax_t>(info.st_dev);
  inode = static_cast<uintmax_t>(info.st_ino);
  return true;
}

bool isFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool present(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// VB's error for something missing: 53 for a file in an existing folder, 76 when the
// folder itself is missing.
[[noreturn]] void raiseMissing(const fs::path& path) {
  fs::path folder = path.parent_path();
  raiseError(folder.empty() || isFolder(folder) ? errors::kFileNotFound : errors::kPathNotFound);
}

bool readOnly(const fs::path& path) {
  std::error_code ec;
  fs::file_status status = fs::status(path, ec);
  if (ec || fs::is_directory(status)) {
    return false;
  }
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// A folder and the name part that follows its last separator.
std::pair<fs::path, std::u16string> splitName(std::u16string_view path) {
  size_t cut = path.rfind(kSeparator);
  if (cut == std::u16string_view::npos) {
    return {fs::path("."), std::u16string(path)};
  }
  std::u16string_view folder = path.substr(0, cut + 1);
  return {toPath(folder), std::u16string(path.substr(cut + 1))};
}

bool hasWildcards(std::u16string_view name) {
  return name.find_first_of(u"*?") != std::u16string_view::npos;
}

// A file name against a pattern with "*" and "?", both already in lower case.
bool wildcardMatch(std::u16string_view name, std::u16string_view pattern) {
  size_t n = 0;
  size_t p = 0;
  size_t starP = std::u16string_view::npos;
  size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') {
    ++p;
  }
  return p == pattern.size();
}

// The name part of a pattern, ready for wildcardMatch: "*.*" is every name, as on Windows.
std::u16string namePattern(std::u16string_view name) {
  if (name == u"*.*") {
    return u"*";
  }
  return automation::lower(name);
}

// The files (not folders) of a folder whose names match a prepared pattern.
std::vector<fs::path> matchingFiles(const fs::path& folder, std::u16string_view pattern) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (it->is_directory(typeEc)) {
      continue;
    }
    if (wildcardMatch(automation::lower(nameOf(it->path())), pattern)) {
      out.push_back(it->path());
    }
  }
  return out;
}

}  // namespace

PosixFileSystem::Marks* PosixFileSystem::marksOf(const std::string& path) {
  auto it = marks_.find(keyOf(path));
  if (it == marks_.end()) {
    return nullptr;
  }
  uintmax_t device = 0;
  uintmax_t inode = 0;
  if (!identify(path, device, inode) || device != it->second.device || inode != it->second.inode) {
    marks_.erase(it);  // another file took the name since
    return nullptr;
  }
  return &it->second;
}

void PosixFileSystem::setMark(const std::string& path, FileAttribute attribute) {
  Marks* marks = marksOf(path);
  if (marks == nullptr) {
    Marks fresh;
    if (!identify(path, fresh.device, fresh.inode)) {
      raiseError(errors::kPathFileAccessError);
    }
    marks = &(marks_[keyOf(path)] = fresh);
  }
  (attribute == FileAttribute::Hidden ? marks->hidden : marks->system) = true;
}

bool PosixFileSystem::hiddenOrSystem(const std::string& path) {
  if (fs::path(path).filename().string().starts_with('.')) {
    return true;
  }
  const Marks* marks = marksOf(path);
  return marks != nullptr && (marks->hidden || marks->system);
}

void PosixFileSystem::setAttributesNormal(std::u16string_view path) {
  fs::path p = toPath(path);
  if (!present(p)) {
    raiseMissing(p);
  }
  if (!isFolder(p)) {
    std::error_code ec;
    fs::permissions(p, fs::perms::owner_write, fs::perm_options::add, ec);
    if (ec) {
      raiseError(errors::kPathFileAccessError);
    }
  }
  marks_.erase(keyOf(p));
}

void PosixFileSystem::setAttribute(std::u16string_view path, FileAttribute attribute) {
  if (attribute == FileAttribute::Normal) {
    setAttributesNormal(path);
    return;
  }
  fs::path p = toPath(path);
  if (!present(p)) {
    raiseMissing(p);
  }
  if (attribute == FileAttribute::ReadOnly) {
    if (!isFolder(p)) {
      std::error_code ec;
      fs::permissions(p, fs::perms::owner_write, fs::perm_options::remove, ec);
      if (ec) {
        raiseError(errors::kPathFileAccessError);
      }
    }
    return;
  }
  setMark(p.string(), attribute);
}

bool PosixFileSystem::hasAttribute(std::u16string_view path, FileAttribute attribute) {
  fs::path p = toPath(path);
  if (!present(p)) {
    raiseMissing(p);
  }
  bool isReadOnly = readOnly(p);
  bool isHidden = p.filename().string().starts_with('.');
  bool isSystem = false;
  if (const Marks* marks = marksOf(p.string())) {
    isHidden = isHidden || marks->hidden;
    isSystem = marks->system;
  }
  switch (attribute) {
    case FileAttribute::Normal:
      return !isReadOnly && !isHidden && !isSystem;
    case FileAttribute::ReadOnly:
      return isReadOnly;
    case FileAttribute::Hidden:
      return isHidden;
    case FileAttribute::System:
      return isSystem;
  }
  return false;
}

void PosixFileSystem::rename(std::u16string_view from, std::u16string_view to) {
  fs::path source = toPath(from);
  fs::path destination = toPath(to);
  if (!present(source)) {
    raiseMissing(source);
  }
  std::error_code ec;
  if (present(destination) || fs::is_symlink(fs::symlink_status(destination, ec))) {
    raiseError(errors::kFileAlreadyExists);
  }
  fs::path folder = destination.parent_path();
  if (!folder.empty() && !isFolder(folder)) {
    raiseError(errors::kPathNotFound);
  }
  const Marks* marks = marksOf(source.string());
  Marks carried = marks == nullptr ? Marks{} : *marks;
  bool hadMarks = marks != nullptr;

  fs::rename(source, destination, ec);
  if (ec == std::errc::cross_device_link) {
    // Another file system: copy, then remove the original.
    ec.clear();
    fs::copy(source, destination, fs::copy_options::recursive, ec);
    if (!ec) {
      fs::remove_all(source, ec);
    }
  }
  if (ec) {
    raiseError(errors::kPathFileAccessError);
  }
  marks_.erase(keyOf(source));
  if (hadMarks && identify(destination.string(), carried.device, carried.inode)) {
    marks_[keyOf(destination)] = carried;
  }
}

void PosixFileSystem::deleteFile(std::u16string_view path) {
  if (!isAbsolutePath(path)) {
    refuseDeletion(path, u"not an absolute path");
  }
  if (hasWildcards(splitName(path).second)) {
    deletePattern(path);
    return;
  }
  fs::path p = toPath(path);
  if (!present(p)) {
    raiseMissing(p);
  }
  if (isFolder(p)) {
    raiseError(errors::kFileNotFound);  // Kill deletes files only
  }
  if (readOnly(p)) {
    raiseError(errors::kPathFileAccessError);
  }
  std::error_code ec;
  fs::remove(p, ec);
  if (ec) {
    raiseError(errors::kPathFileAccessError);
  }
  marks_.erase(keyOf(p));
}

void PosixFileSystem::deletePattern(std::u16string_view pattern) {
  if (!isAbsolutePath(pattern)) {
    refuseDeletion(pattern, u"not inside an absolute folder");
  }
  auto [folder, name] = splitName(pattern);
  if (!isFolder(folder)) {
    raiseError(errors::kPathNotFound);
  }
  std::vector<fs::path> files =
      name.empty() ? std::vector<fs::path>{} : matchingFiles(folder, namePattern(name));
  if (files.empty()) {
    raiseError(errors::kFileNotFound);
  }
  bool failed = false;
  for (const fs::path& file : files) {
    std::error_code ec;
    if (readOnly(file) || !fs::remove(file, ec) || ec) {
      failed = true;
      continue;
    }
    marks_.erase(keyOf(file));
  }
  if (failed) {
    raiseError(errors::kPathFileAccessError);
  }
}

void PosixFileSystem::removeFolder(std::u16string_view path) {
  if (!isAbsolutePath(path)) {
    refuseDeletion(path, u"not an absolute path");
  }
  fs::path p = toPath(path);
  std::string text = p.string();
  while (text.size() > 1 && text.back() == '/') {
    text.pop_back();
  }
  p = fs::path(text);
  if (!isFolder(p)) {
    raiseError(errors::kPathNotFound);
  }
  std::error_code ec;
  fs::remove(p, ec);
  if (ec) {
    raiseError(errors::kPathFileAccessError);  // not empty, or not ours to remove
  }
  marks_.erase(keyOf(p));
}

bool PosixFileSystem::exists(std::u16string_view path) {
  return present(toPath(path));
}

bool PosixFileSystem::folderExists(std::u16string_view path) {
  return isFolder(toPath(path));
}

bool PosixFileSystem::dirFinds(std::u16string_view path) {
  auto [folder, name] = splitName(path);
  if (!isFolder(folder)) {
    return false;
  }
  std::u16string pattern = name.empty() ? u"*" : namePattern(name);
  for (const fs::path& file : matchingFiles(folder, pattern)) {
    if (!hiddenOrSystem(file.string())) {
      return true;
    }
  }
  return false;
}

FileTime PosixFileSystem::modificationTime(std::u16string_view path) {
  fs::path p = toPath(path);
  std::error_code ec;
  auto written = fs::last_write_time(p, ec);
  if (ec) {
    if (!present(p)) {
      raiseMissing(p);
    }
    raiseError(errors::kPathFileAccessError);
  }
  auto since = std::chrono::file_clock::to_sys(written).time_since_epoch();
  return FileTime{std::chrono::duration_cast<std::chrono::nanoseconds>(since).count()};
}

bool PosixFileSystem::makeSureDirectoryPathExists(std::u16string_view path) {
  size_t cut = path.rfind(kSeparator);
  if (cut == std::u16string_view::npos) {
    return true;  // a bare file name: no folder to make
  }
  fs::path folder = toPath(path.substr(0, cut + 1));
  std::error_code ec;
  fs::create_directories(folder, ec);
  return isFolder(folder);
}

}  // namespace r58046::platform
