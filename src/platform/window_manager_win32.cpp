#include "platform/window_manager_win32.h"

#include <windows.h>

#include <vector>

namespace r58046::platform {
namespace {

HWND toHandle(Hwnd hwnd) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(hwnd));
}
Hwnd fromHandle(HWND hwnd) {
  return static_cast<Hwnd>(reinterpret_cast<intptr_t>(hwnd));
}

// An optional text as the "A" functions take it: a null pointer when absent.
class AnsiArg {
 public:
  explicit AnsiArg(std::optional<std::u16string_view> text) {
    if (text) {
      text_ = toAnsi(*text);
      present_ = true;
    }
  }
  LPCSTR get() const { return present_ ? text_.c_str() : nullptr; }

 private:
  std::string text_;
  bool present_ = false;
};

// How long sendEscape waits for the foreground program to take the keystroke.
constexpr DWORD kEscapeWaitMs = 2000;

}  // namespace

std::string toAnsi(std::u16string_view text) {
  if (text.empty()) {
    return {};
  }
  auto wide = reinterpret_cast<LPCWSTR>(text.data());
  int n = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  }
  return out;
}

std::u16string fromAnsi(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n > 0 ? n : 0), u'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                        reinterpret_cast<LPWSTR>(out.data()), n);
  }
  return out;
}

Hwnd Win32WindowManager::FindWindowA(std::optional<std::u16string_view> className,
                                     std::optional<std::u16string_view> windowName) {
  AnsiArg cls(className);
  AnsiArg caption(windowName);
  return fromHandle(::FindWindowA(cls.get(), caption.get()));
}

Hwnd Win32WindowManager::FindWindowExA(Hwnd parent, Hwnd childAfter,
                                       std::optional<std::u16string_view> className,
                                       std::optional<std::u16string_view> windowName) {
  AnsiArg cls(className);
  AnsiArg caption(windowName);
  return fromHandle(
      ::FindWindowExA(toHandle(parent), toHandle(childAfter), cls.get(), caption.get()));
}

int32_t Win32WindowManager::IsWindowVisible(Hwnd hwnd) {
  return ::IsWindowVisible(toHandle(hwnd));
}

int32_t Win32WindowManager::IsIconic(Hwnd hwnd) {
  return ::IsIconic(toHandle(hwnd));
}

int32_t Win32WindowManager::ShowWindow(Hwnd hwnd, int32_t cmdShow) {
  return ::ShowWindow(toHandle(hwnd), cmdShow);
}

int32_t Win32WindowManager::SetForegroundWindow(Hwnd hwnd) {
  return ::SetForegroundWindow(toHandle(hwnd));
}

Hwnd Win32WindowManager::GetWindow(Hwnd hwnd, uint32_t cmd) {
  return fromHandle(::GetWindow(toHandle(hwnd), cmd));
}

int32_t Win32WindowManager::GetWindowTextA(Hwnd hwnd, std::u16string& buffer, int32_t maxCount) {
  buffer.clear();
  if (maxCount <= 0) {
    return 0;
  }
  std::vector<char> text(static_cast<size_t>(maxCount), '\0');
  int n = ::GetWindowTextA(toHandle(hwnd), text.data(), maxCount);
  if (n > 0) {
    buffer = fromAnsi(std::string_view(text.data(), static_cast<size_t>(n)));
  }
  return n;
}

int32_t Win32WindowManager::GetWindowLongA(Hwnd hwnd, int32_t index) {
  return ::GetWindowLongA(toHandle(hwnd), index);
}

Hwnd Win32WindowManager::GetParent(Hwnd hwnd) {
  return fromHandle(::GetParent(toHandle(hwnd)));
}

int32_t Win32WindowManager::SendMessageA(Hwnd hwnd, uint32_t msg, int32_t wParam, int32_t lParam) {
  return static_cast<int32_t>(::SendMessageA(toHandle(hwnd), msg, static_cast<WPARAM>(wParam),
                                             static_cast<LPARAM>(lParam)));
}

int32_t Win32WindowManager::LockWindowUpdate(Hwnd hwnd) {
  return ::LockWindowUpdate(toHandle(hwnd));
}

int32_t Win32WindowManager::GetClassNameA(Hwnd hwnd, std::u16string& buffer, int32_t maxCount) {
  buffer.clear();
  if (maxCount <= 0) {
    return 0;
  }
  std::vector<char> text(static_cast<size_t>(maxCount), '\0');
  int n = ::GetClassNameA(toHandle(hwnd), text.data(), maxCount);
  if (n > 0) {
    buffer = fromAnsi(std::string_view(text.data(), static_cast<size_t>(n)));
  }
  return n;
}

void Win32WindowManager::sendEscape() {
  HWND target = ::GetForegroundWindow();
  INPUT keys[2] = {};
  keys[0].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = VK_ESCAPE;
  keys[0].ki.wScan = static_cast<WORD>(MapVirtualKeyW(VK_ESCAPE, 0));
  keys[1] = keys[0];
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, keys, sizeof(INPUT));
  if (target == nullptr) {
    return;
  }
  // The keystroke is queued to the foreground thread: it has been taken once that thread
  // is idle again, waiting for input with none pending. A program of this thread handles
  // its own queue here.
  DWORD processId = 0;
  DWORD threadId = ::GetWindowThreadProcessId(target, &processId);
  if (threadId == ::GetCurrentThreadId()) {
    doEvents();
    return;
  }
  HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
  if (process != nullptr) {
    ::WaitForInputIdle(process, kEscapeWaitMs);
    ::CloseHandle(process);
  }
  // A message sent after the keystroke is handled once the target thread reads its queue
  // again, so it has at least seen the key.
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kEscapeWaitMs, &ignored);
}

void Win32WindowManager::doEvents() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace r58046::platform
