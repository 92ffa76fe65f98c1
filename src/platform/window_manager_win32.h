// The window manager of the Windows build: the user32 functions themselves, called with the
// ANSI entry points and exactly the arguments the module passes. Text crosses between UTF-16
// and the ANSI code page here.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace r58046::platform {

class Win32WindowManager : public WindowManager {
 public:
  Hwnd FindWindowA(std::optional<std::u16string_view> className,
                   std::optional<std::u16string_view> windowName) override;
  Hwnd FindWindowExA(Hwnd parent, Hwnd childAfter, std::optional<std::u16string_view> className,
                     std::optional<std::u16string_view> windowName) override;
  int32_t IsWindowVisible(Hwnd hwnd) override;
  int32_t IsIconic(Hwnd hwnd) override;
  int32_t ShowWindow(Hwnd hwnd, int32_t cmdShow) override;
  int32_t SetForegroundWindow(Hwnd hwnd) override;
  Hwnd GetWindow(Hwnd hwnd, uint32_t cmd) override;
  int32_t GetWindowTextA(Hwnd hwnd, std::u16string& buffer, int32_t maxCount) override;
  int32_t GetWindowLongA(Hwnd hwnd, int32_t index) override;
  Hwnd GetParent(Hwnd hwnd) override;
  int32_t SendMessageA(Hwnd hwnd, uint32_t msg, int32_t wParam, int32_t lParam) override;
  int32_t LockWindowUpdate(Hwnd hwnd) override;
  int32_t GetClassNameA(Hwnd hwnd, std::u16string& buffer, int32_t maxCount) override;
  // Escape, pressed and released, goes to the foreground window through the system's input
  // queue (as SendKeys "{ESC}", True does); then waits until the program that owns that
  // window has taken its input (bounded: a program that hangs does not hang the module).
  void sendEscape() override;
  // Dispatches every message waiting in this thread's queue, as DoEvents does.
  void doEvents() override;
};

// Text in the ANSI code page and back (what the "A" functions take and give).
std::string toAnsi(std::u16string_view text);
std::u16string fromAnsi(std::string_view text);

}  // namespace r58046::platform
