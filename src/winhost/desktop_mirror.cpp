#include "winhost/desktop_mirror.h"

#include <algorithm>
#include <set>
#include <vector>

namespace r58046::winhost {
namespace {

using platform::Hwnd;

constexpr uint32_t kGwOwner = 4;  // GW_OWNER

std::wstring wide(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace

DesktopMirror::DesktopMirror(platform::SimDesktop& desktop) : desktop_(desktop) {}

DesktopMirror::~DesktopMirror() {
  syncing_ = true;
  std::vector<HWND> all;
  for (auto& [simulated, real] : real_) {
    all.push_back(real);
  }
  for (HWND real : all) {
    if (IsWindow(real)) {
      DestroyWindow(real);
    }
  }
}

HWND DesktopMirror::realOf(Hwnd simulated) const {
  auto it = real_.find(simulated);
  return it == real_.end() ? nullptr : it->second;
}

Hwnd DesktopMirror::simulatedOf(HWND real) const {
  auto it = simulated_.find(real);
  return it == simulated_.end() ? 0 : it->second;
}

void DesktopMirror::registerClass(const std::wstring& name) {
  if (classes_.count(name) != 0) {
    return;
  }
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.style = CS_DBLCLKS;
  c.lpfnWndProc = &DesktopMirror::windowProc;
  c.hInstance = GetModuleHandleW(nullptr);
  c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = name.c_str();
  RegisterClassExW(&c);
  classes_[name] = true;
}

HWND DesktopMirror::create(Hwnd simulated) {
  std::u16string className;
  std::u16string caption;
  desktop_.GetClassNameA(simulated, className, 256);
  desktop_.GetWindowTextA(simulated, caption, 256);
  DWORD exStyle = static_cast<DWORD>(desktop_.GetWindowLongA(simulated, platform::kGwlExStyle));
  std::vector<Hwnd> top = desktop_.zOrder();
  bool topLevel = std::find(top.begin(), top.end(), simulated) != top.end();
  Hwnd owner = topLevel ? desktop_.GetWindow(simulated, kGwOwner) : 0;
  Hwnd parent = topLevel ? 0 : desktop_.GetParent(simulated);
  DWORD style = WS_CLIPSIBLINGS;
  int x = 0;
  int y = 0;
  int width = 800;
  int height = 600;
  HWND container = nullptr;
  if (!topLevel) {
    style |= WS_CHILD;
    container = realOf(parent);
    x = 10;
    y = 10 + 30 * static_cast<int>(desktop_.children(parent).size());
    width = 120;
    height = 24;
  } else if (owner != 0) {
    style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;  // GetParent answers the owner of a popup
    container = realOf(owner);
    x = 100;
    y = 100;
    width = 360;
    height = 240;
  } else {
    style |= WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  }
  std::wstring cls = wide(className);
  registerClass(cls);
  HWND real = CreateWindowExW(exStyle, cls.c_str(), wide(caption).c_str(), style, x, y, width,
                              height, container, nullptr, GetModuleHandleW(nullptr), this);
  if (real != nullptr) {
    real_[simulated] = real;
    simulated_[real] = simulated;
  }
  return real;
}

void DesktopMirror::update(Hwnd simulated, HWND real) {
  std::u16string caption;
  desktop_.GetWindowTextA(simulated, caption, 256);
  wchar_t current[256] = {};
  GetWindowTextW(real, current, 256);
  if (wide(caption) != current) {
    SetWindowTextW(real, wide(caption).c_str());
  }
  bool visible = desktop_.IsWindowVisible(simulated) != 0;
  bool realVisible = (GetWindowLongW(real, GWL_STYLE) & WS_VISIBLE) != 0;
  if ((GetWindowLongW(real, GWL_STYLE) & WS_CHILD) != 0) {
    if (visible != realVisible) {
      ShowWindow(real, visible ? SW_SHOWNA : SW_HIDE);
    }
    return;
  }
  if (!visible) {
    if (realVisible) {
      ShowWindow(real, SW_HIDE);
    }
  } else if (desktop_.isMinimized(simulated)) {
    if (!realVisible || !IsIconic(real)) {
      ShowWindow(real, SW_SHOWMINNOACTIVE);
    }
  } else if (desktop_.isMaximized(simulated)) {
    if (!realVisible || !IsZoomed(real)) {
      ShowWindow(real, SW_SHOWMAXIMIZED);
    }
  } else if (!realVisible || IsIconic(real) || IsZoomed(real)) {
    ShowWindow(real, IsIconic(real) || IsZoomed(real) ? SW_SHOWNOACTIVATE : SW_SHOWNA);
  }
}

void DesktopMirror::sync() {
  if (syncing_) {
    return;
  }
  syncing_ = true;
  // Every simulated window: top-level ones from the bottom up (an owner before the windows
  // it owns), each followed by its children.
  std::vector<Hwnd> order;
  std::vector<Hwnd> top = desktop_.zOrder();
  std::vector<Hwnd> pending(top.rbegin(), top.rend());
  for (size_t i = 0; i < pending.size(); ++i) {
    order.push_back(pending[i]);
    for (Hwnd child : desktop_.children(pending[i])) {
      pending.push_back(child);
    }
  }
  std::set<Hwnd> present(order.begin(), order.end());
  std::vector<HWND> gone;
  for (auto& [simulated, real] : real_) {
    if (present.count(simulated) == 0) {
      gone.push_back(real);
    }
  }
  for (HWND real : gone) {
    if (IsWindow(real)) {
      DestroyWindow(real);  // with its children and owned windows (WM_NCDESTROY forgets them)
    }
  }
  for (auto it = real_.begin(); it != real_.end();) {
    if (present.count(it->first) == 0) {
      simulated_.erase(it->second);
      it = real_.erase(it);
    } else {
      ++it;
    }
  }
  for (Hwnd simulated : order) {
    HWND real = realOf(simulated);
    if (real != nullptr && !IsWindow(real)) {
      simulated_.erase(real);
      real_.erase(simulated);
      real = nullptr;
    }
    if (real == nullptr) {
      real = create(simulated);
    }
    if (real != nullptr) {
      update(simulated, real);
    }
  }
  Hwnd foreground = desktop_.foreground();
  if (foreground != lastForeground_) {
    lastForeground_ = foreground;
    if (HWND real = realOf(foreground); real != nullptr && IsWindowVisible(real)) {
      SetForegroundWindow(real);
    }
  }
  syncing_ = false;
}

LRESULT CALLBACK DesktopMirror::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* mirror = reinterpret_cast<DesktopMirror*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (mirror == nullptr) {
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  return mirror->handle(hwnd, msg, wParam, lParam);
}

LRESULT DesktopMirror::handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Hwnd simulated = simulatedOf(hwnd);
  switch (msg) {
    case WM_CLOSE:
      // The simulated window decides what closing means (a dialog closes, Word ends).
      if (!syncing_ && simulated != 0) {
        desktop_.SendMessageA(simulated, platform::kWmClose, 0, 0);
        sync();
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE && !syncing_) {
        Hwnd target = simulatedOf(GetForegroundWindow());
        if (target == 0) {
          target = simulated;
        }
        if (target != 0) {
          desktop_.SetForegroundWindow(target);
        }
        desktop_.sendEscape();
        sync();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !syncing_ && simulated != 0 &&
          desktop_.foreground() != simulated) {
        desktop_.SetForegroundWindow(simulated);
        lastForeground_ = desktop_.foreground();
      }
      break;
    case WM_SIZE:
      // Another program changed the show state (ShowWindow): the simulated window follows.
      if (!syncing_ && simulated != 0) {
        if (wParam == SIZE_MINIMIZED && !desktop_.isMinimized(simulated)) {
          desktop_.ShowWindow(simulated, SW_SHOWMINNOACTIVE);
        } else if (wParam == SIZE_MAXIMIZED && !desktop_.isMaximized(simulated)) {
          desktop_.ShowWindow(simulated, platform::kSwShowMaximized);
        } else if (wParam == SIZE_RESTORED &&
                   (desktop_.isMinimized(simulated) || desktop_.isMaximized(simulated))) {
          desktop_.ShowWindow(simulated, SW_RESTORE);
        }
      }
      break;
    case WM_NCDESTROY:
      simulated_.erase(hwnd);
      if (simulated != 0) {
        real_.erase(simulated);
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace r58046::winhost
