// What the Windows test programs share: where the built programs and the exercises are,
// and a temporary folder tree.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "automation/error.h"

namespace r58046::testsupport {

// The automation error that `call` raises; a test failure when it raises none.
automation::AutomationError failureOf(const std::function<void()>& call);

// The folder of the running test program, with a trailing backslash.
std::wstring programFolder();
// r58046.dll beside the test program.
std::wstring dllPath();
// The exercises folder of the source tree (from R58046_SOURCE_DIR, a Unix path under Wine
// or a Windows path), with a trailing backslash.
std::wstring exercisesFolder();

// A new, empty folder under the temporary folder, removed with everything in it when the
// object goes; its path ends with a backslash.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }
  // A sub-folder, made, ending with a backslash.
  std::wstring make(const std::wstring& name) const;

 private:
  std::wstring path_;
};

}  // namespace r58046::testsupport
