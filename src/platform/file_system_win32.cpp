#include "platform/file_system_win32.h"

#include <windows.h>

#include <imagehlp.h>

#include <string>
#include <vector>

#include "automation/error.h"

namespace r58046::platform {
namespace {

namespace errors = automation::errors;
using automation::raiseError;

std::wstring wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

DWORD attributesOf(std::u16string_view path) {
  return GetFileAttributesW(wide(path).c_str());
}

bool isFolder(std::u16string_view path) {
  DWORD a = attributesOf(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder part of a path, up to and including its last separator ("" when none).
std::u16string_view folderOf(std::u16string_view path) {
  size_t cut = path.find_last_of(u"\\/");
  return cut == std::u16string_view::npos ? std::u16string_view{} : path.substr(0, cut + 1);
}

std::u16string_view nameOf(std::u16string_view path) {
  size_t cut = path.find_last_of(u"\\/");
  return cut == std::u16string_view::npos ? path : path.substr(cut + 1);
}

bool hasWildcards(std::u16string_view name) {
  return name.find_first_of(u"*?") != std::u16string_view::npos;
}

// VB's error for something missing: 53 for a file in an existing folder, 76 when the
// folder itself is missing.
[[noreturn]] void raiseMissing(std::u16string_view path) {
  std::u16string_view folder = folderOf(path);
  raiseError(folder.empty() || isFolder(folder) ? errors::kFileNotFound : errors::kPathNotFound);
}

// The VB error for a failed call on a path, from the system's last error.
[[noreturn]] void raiseLastError(std::u16string_view path) {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
      raiseMissing(path);
    case ERROR_PATH_NOT_FOUND:
      raiseError(errors::kPathNotFound);
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      raiseError(errors::kFileAlreadyExists);
    default:
      raiseError(errors::kPathFileAccessError);
  }
}

DWORD bitOf(FileAttribute attribute) {
  switch (attribute) {
    case FileAttribute::ReadOnly:
      return FILE_ATTRIBUTE_READONLY;
    case FileAttribute::Hidden:
      return FILE_ATTRIBUTE_HIDDEN;
    case FileAttribute::System:
      return FILE_ATTRIBUTE_SYSTEM;
    case FileAttribute::Normal:
      break;
  }
  return 0;
}

constexpr DWORD kMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The files (not folders) that a pattern matches, as full paths, with their attributes.
struct Match {
  std::wstring path;
  DWORD attributes;
};
std::vector<Match> matchingFiles(std::u16string_view pattern) {
  std::vector<Match> out;
  std::wstring folder = wide(folderOf(pattern));
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(wide(pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) {
    return out;
  }
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      out.push_back(Match{folder + data.cFileName, data.dwFileAttributes});
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return out;
}

// Whether the ANSI code page carries a text unchanged.
bool ansiCarries(const std::wstring& text, std::string& ansi) {
  if (text.empty()) {
    ansi.clear();
    return true;
  }
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(),
                              static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
  if (n <= 0 || lossy) {
    return false;
  }
  ansi.assign(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                      ansi.data(), n, nullptr, &lossy);
  return !lossy;
}

}  // namespace

void Win32FileSystem::setAttributesNormal(std::u16string_view path) {
  if (!SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL)) {
    raiseLastError(path);
  }
}

void Win32FileSystem::setAttribute(std::u16string_view path, FileAttribute attribute) {
  if (attribute == FileAttribute::Normal) {
    setAttributesNormal(path);
    return;
  }
  DWORD a = attributesOf(path);
  if (a == INVALID_FILE_ATTRIBUTES) {
    raiseLastError(path);
  }
  a &= ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL);
  if (!SetFileAttributesW(wide(path).c_str(), a | bitOf(attribute))) {
    raiseLastError(path);
  }
}

bool Win32FileSystem::hasAttribute(std::u16string_view path, FileAttribute attribute) {
  DWORD a = attributesOf(path);
  if (a == INVALID_FILE_ATTRIBUTES) {
    raiseLastError(path);
  }
  if (attribute == FileAttribute::Normal) {
    return (a & kMarks) == 0;
  }
  return (a & bitOf(attribute)) != 0;
}

void Win32FileSystem::rename(std::u16string_view from, std::u16string_view to) {
  if (attributesOf(from) == INVALID_FILE_ATTRIBUTES) {
    raiseMissing(from);
  }
  if (attributesOf(to) != INVALID_FILE_ATTRIBUTES) {
    raiseError(errors::kFileAlreadyExists);
  }
  std::u16string_view folder = folderOf(to);
  if (!folder.empty() && !isFolder(folder)) {
    raiseError(errors::kPathNotFound);
  }
  if (!MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_COPY_ALLOWED)) {
    raiseLastError(from);
  }
}

void Win32FileSystem::deleteFile(std::u16string_view path) {
  if (!isAbsolutePath(path)) {
    refuseDeletion(path, u"not an absolute path");
  }
  if (hasWildcards(nameOf(path))) {
    deletePattern(path);
    return;
  }
  DWORD a = attributesOf(path);
  if (a == INVALID_FILE_ATTRIBUTES) {
    raiseMissing(path);
  }
  if ((a & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    raiseError(errors::kFileNotFound);  // Kill deletes files only
  }
  if ((a & FILE_ATTRIBUTE_READONLY) != 0) {
    raiseError(errors::kPathFileAccessError);
  }
  if (!DeleteFileW(wide(path).c_str())) {
    raiseLastError(path);
  }
}

void Win32FileSystem::deletePattern(std::u16string_view pattern) {
  if (!isAbsolutePath(pattern)) {
    refuseDeletion(pattern, u"not inside an absolute folder");
  }
  std::u16string_view folder = folderOf(pattern);
  if (!folder.empty() && !isFolder(folder)) {
    raiseError(errors::kPathNotFound);
  }
  std::vector<Match> files =
      nameOf(pattern).empty() ? std::vector<Match>{} : matchingFiles(pattern);
  if (files.empty()) {
    raiseError(errors::kFileNotFound);
  }
  bool failed = false;
  for (const Match& file : files) {
    if ((file.attributes & FILE_ATTRIBUTE_READONLY) != 0 || !DeleteFileW(file.path.c_str())) {
      failed = true;
    }
  }
  if (failed) {
    raiseError(errors::kPathFileAccessError);
  }
}

void Win32FileSystem::removeFolder(std::u16string_view path) {
  if (!isAbsolutePath(path)) {
    refuseDeletion(path, u"not an absolute path");
  }
  std::u16string folder(path);
  while (folder.size() > 3 && (folder.back() == u'\\' || folder.back() == u'/')) {
    folder.pop_back();
  }
  if (!isFolder(folder)) {
    raiseError(errors::kPathNotFound);
  }
  if (!RemoveDirectoryW(wide(folder).c_str())) {
    raiseError(errors::kPathFileAccessError);  // not empty, or not ours to remove
  }
}

bool Win32FileSystem::exists(std::u16string_view path) {
  return attributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::folderExists(std::u16string_view path) {
  return isFolder(path);
}

bool Win32FileSystem::dirFinds(std::u16string_view path) {
  std::u16string pattern(path);
  if (nameOf(pattern).empty()) {
    pattern += u"*";
  }
  for (const Match& file : matchingFiles(pattern)) {
    if ((file.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0) {
      return true;
    }
  }
  return false;
}

FileTime Win32FileSystem::modificationTime(std::u16string_view path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) {
    raiseLastError(path);
  }
  ULARGE_INTEGER ticks;
  ticks.LowPart = data.ftLastWriteTime.dwLowDateTime;
  ticks.HighPart = data.ftLastWriteTime.dwHighDateTime;
  // 100-nanosecond ticks since 1601 to nanoseconds since 1970.
  constexpr int64_t kEpochDifference = 116444736000000000LL;
  return FileTime{(static_cast<int64_t>(ticks.QuadPart) - kEpochDifference) * 100};
}

bool Win32FileSystem::makeSureDirectoryPathExists(std::u16string_view path) {
  std::u16string_view folder = folderOf(path);
  if (folder.empty()) {
    return true;  // a bare file name: no folder to make
  }
  std::wstring text = wide(folder);
  std::string ansi;
  if (ansiCarries(text, ansi) && MakeSureDirectoryPathExists(ansi.c_str())) {
    return true;
  }
  // Folder by folder, from the first one after the root.
  for (size_t cut = text.find_first_of(L"\\/", text.size() > 2 && text[1] == L':' ? 3 : 1);
       cut != std::wstring::npos; cut = text.find_first_of(L"\\/", cut + 1)) {
    std::wstring part = text.substr(0, cut);
    if (GetFileAttributesW(part.c_str()) == INVALID_FILE_ATTRIBUTES) {
      CreateDirectoryW(part.c_str(), nullptr);
    }
  }
  return isFolder(folder);
}

}  // namespace r58046::platform
