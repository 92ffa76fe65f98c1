// The seams to the operating system. The module reaches windows, registered objects, files
// and time only through these interfaces: natively they are the simulated desktop, the
// simulated class registry, the POSIX file system and real pauses; on Windows, Win32.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "automation/variant.h"

namespace r58046::platform {

// A 32-bit window handle, as the module stores it; 0 is none.
using Hwnd = int32_t;

// The constants of the window functions, with Win32's values.
inline constexpr int32_t kSwShowMinimized = 2;
inline constexpr int32_t kSwShowMaximized = 3;
inline constexpr uint32_t kGwHwndPrev = 3;
inline constexpr int32_t kGwlExStyle = -20;
inline constexpr int32_t kWsExDlgModalFrame = 0x1;
inline constexpr uint32_t kWmClose = 0x10;

// The window-manager functions the module calls, with exactly the Win32 (ANSI) arguments.
// An absent class or caption stands for a null pointer. Text crosses as UTF-16; the Win32
// implementation converts it to the ANSI code page.
class WindowManager {
 public:
  virtual ~WindowManager() = default;

  virtual Hwnd FindWindowA(std::optional<std::u16string_view> className,
                           std::optional<std::u16string_view> windowName) = 0;
  virtual Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter,
                             std::optional<std::u16string_view> className,
                             std::optional<std::u16string_view> windowName) = 0;
  virtual int32_t IsWindowVisible(Hwnd hwnd) = 0;
  virtual int32_t IsIconic(Hwnd hwnd) = 0;
  virtual int32_t ShowWindow(Hwnd hwnd, int32_t cmdShow) = 0;
  virtual int32_t SetForegroundWindow(Hwnd hwnd) = 0;
  virtual Hwnd GetWindow(Hwnd hwnd, uint32_t cmd) = 0;
  // Copies at most maxCount - 1 characters of the caption into buffer (resized to what was
  // copied) and returns their number; 0 for no caption or no window.
  virtual int32_t GetWindowTextA(Hwnd hwnd, std::u16string& buffer, int32_t maxCount) = 0;
  virtual int32_t GetWindowLongA(Hwnd hwnd, int32_t index) = 0;
  virtual Hwnd GetParent(Hwnd hwnd) = 0;
  virtual int32_t SendMessageA(Hwnd hwnd, uint32_t msg, int32_t wParam, int32_t lParam) = 0;
  virtual int32_t LockWindowUpdate(Hwnd hwnd) = 0;
  // As GetWindowTextA, for the class name; 0 when the handle is no window.
  virtual int32_t GetClassNameA(Hwnd hwnd, std::u16string& buffer, int32_t maxCount) = 0;

  // The keystroke Escape sent to the foreground window ("{ESC}"), waiting until processed.
  virtual void sendEscape() = 0;
  // Lets pending window messages be processed (VB's DoEvents).
  virtual void doEvents() = 0;
};

// Attaching to a running automation object, or creating one, by ProgID.
class ClassRegistry {
 public:
  virtual ~ClassRegistry() = default;
  // GetObject(, progId): the running object; error 429 when none is registered.
  virtual automation::ObjectRef getActiveObject(std::u16string_view progId) = 0;
  // CreateObject(progId): a new instance; error 429 when it cannot be created.
  virtual automation::ObjectRef createObject(std::u16string_view progId) = 0;
};

enum class FileAttribute : uint8_t { Normal, ReadOnly, Hidden, System };

// A file's modification time at the full resolution of the file system.
struct FileTime {
  int64_t nanoseconds = 0;  // since 1 January 1970, UTC
  bool operator==(const FileTime&) const = default;
};

// The text form of a modification time, the same wherever it is produced.
std::u16string formatFileTime(FileTime time);

// The folder separator of this platform; paths are a folder ending with it plus a name.
#ifdef _WIN32
inline constexpr char16_t kSeparator = u'\\';
#else
inline constexpr char16_t kSeparator = u'/';
#endif

// Whether a character separates folders in a path: the platform's separator, and on Windows
// "/" as well.
#ifdef _WIN32
inline constexpr bool isSeparator(char16_t c) {
  return c == u'\\' || c == u'/';
}
#else
inline constexpr bool isSeparator(char16_t c) {
  return c == u'/';
}
#endif

// Whether a path names its place from the root of a file system and not from the current
// folder: "/..." here; on Windows a drive and its root ("C:\...") or a server's share
// ("\\server\share\...").
bool isAbsolutePath(std::u16string_view path);

// The file operations the module makes, with VB's failures: error 53 for a missing file,
// 58 when a rename's destination exists, 75 for a file or folder that cannot be changed,
// 76 for a missing folder.
//
// Deletions never act relative to the current folder: deleteFile, deletePattern and
// removeFolder refuse, with error 70 ("Permission denied") and nothing touched, a path (a
// pattern's folder) that is not absolute. An empty folder in front of a name ("" & "*.*")
// would otherwise stand for the host process's current folder.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // SetAttr path, vbNormal.
  virtual void setAttributesNormal(std::u16string_view path) = 0;
  // Adds one attribute (Normal clears them all), as a user sets it.
  virtual void setAttribute(std::u16string_view path, FileAttribute attribute) = 0;
  virtual bool hasAttribute(std::u16string_view path, FileAttribute attribute) = 0;
  // Name from As to: renames or moves a file.
  virtual void rename(std::u16string_view from, std::u16string_view to) = 0;
  // Kill path. Error 70 for a path that is not absolute.
  virtual void deleteFile(std::u16string_view path) = 0;
  // Kill folder + "*.*" (or "*"): every file of the folder; error 53 when none matches,
  // 70 when the folder is not absolute.
  virtual void deletePattern(std::u16string_view pattern) = 0;
  // RmDir path (with or without a trailing separator). Error 70 for a path that is not
  // absolute.
  virtual void removeFolder(std::u16string_view path) = 0;
  // Whether a file or folder exists at exactly this path.
  virtual bool exists(std::u16string_view path) = 0;
  virtual bool folderExists(std::u16string_view path) = 0;
  // VB's Dir(path) <> "": a file whose name matches without regard to letter case; hidden
  // and system files do not count.
  virtual bool dirFinds(std::u16string_view path) = 0;
  // FileDateTime(path), at full resolution.
  virtual FileTime modificationTime(std::u16string_view path) = 0;
  // MakeSureDirectoryPathExists(path): creates every missing folder of a path that ends with
  // the separator; false when it could not.
  virtual bool makeSureDirectoryPathExists(std::u16string_view path) = 0;
};

// The error of a deletion that a file system refuses to make (number 70, "Permission
// denied"), naming what was refused and why.
[[noreturn]] void refuseDeletion(std::u16string_view path, std::u16string_view why);

// Real waits: the balloon pause and the waits between retries.
class Pauses {
 public:
  virtual ~Pauses() = default;
  virtual void pause(std::chrono::milliseconds duration) = 0;
};

// What the module and the questions receive: the platform as one object.
struct Platform {
  WindowManager& windows;
  ClassRegistry& registry;
  FileSystem& files;
  Pauses& pauses;
};

}  // namespace r58046::platform
