// The simulated Word's windows as real Win32 windows. The simulated Word keeps its windows
// on a SimDesktop of its own; this mirror makes one real window per simulated window (same
// class name, caption, extended style, owner or parent, visibility and show state) and
// brings it up to date after everything that may change them (sync). What the real windows
// receive from other programs goes back to the simulated desktop: WM_CLOSE, the Escape key,
// activation and show-state changes.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "platform/sim_desktop.h"

namespace r58046::winhost {

class DesktopMirror {
 public:
  explicit DesktopMirror(platform::SimDesktop& desktop);
  ~DesktopMirror();
  DesktopMirror(const DesktopMirror&) = delete;
  DesktopMirror& operator=(const DesktopMirror&) = delete;

  // Makes the real windows match the simulated ones.
  void sync();
  // The real window of a simulated one (null when none).
  HWND realOf(platform::Hwnd simulated) const;

 private:
  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void registerClass(const std::wstring& name);
  HWND create(platform::Hwnd simulated);
  void update(platform::Hwnd simulated, HWND real);
  platform::Hwnd simulatedOf(HWND real) const;

  platform::SimDesktop& desktop_;
  std::map<platform::Hwnd, HWND> real_;
  std::map<HWND, platform::Hwnd> simulated_;
  std::map<std::wstring, bool> classes_;
  platform::Hwnd lastForeground_ = 0;
  bool syncing_ = false;
};

}  // namespace r58046::winhost
