// The simulated desktop: the window manager of the native build. Programs (the simulated
// Word) create their windows here; the module finds and drives them through WindowManager.
//
// It keeps what the module relies on from the Win32 window manager:
// - top-level windows in a Z order; a window brought to the top (created, or made the
//   foreground window) takes the windows it owns along above it, as Windows keeps owned
//   windows above their owner;
// - child windows per parent in creation order (the first created is the top one);
// - FindWindowA searches the top-level windows from the top down, class names compared
//   without regard to case and a given caption matched exactly; hidden windows are found;
// - the foreground window; destroying or hiding it makes its owner, or else the topmost
//   visible top-level window, the foreground window;
// - one update lock for the whole desktop.
// Handles are never reused, so a handle that was closed stays "no window".
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace r58046::platform {

// What a program creates: a top-level window (parent 0), owned or not, or a child window.
struct WindowSpec {
  std::u16string className;
  std::u16string caption;
  bool visible = true;
  int32_t exStyle = 0;
  Hwnd owner = 0;   // for a top-level window: its owner (GetParent answers it)
  Hwnd parent = 0;  // for a child window: its parent
  // What WM_CLOSE does; when empty the window is destroyed with its children and owned
  // windows.
  std::function<void(Hwnd)> onClose;
  // What Escape does when this window is the foreground window; when empty, nothing.
  std::function<void(Hwnd)> onEscape;
};

class SimDesktop : public WindowManager {
 public:
  // --- for programs on the desktop
  // New top-level windows come on top, and to the foreground when visible; 0 when the
  // parent or owner given is no window.
  Hwnd create(WindowSpec settings);
  void destroy(Hwnd hwnd);  // with its children and the windows it owns
  void setCaption(Hwnd hwnd, std::u16string caption);
  void setVisible(Hwnd hwnd, bool visible);
  void setMinimized(Hwnd hwnd, bool minimized);
  bool isWindow(Hwnd hwnd) const;
  bool isMinimized(Hwnd hwnd) const;
  bool isMaximized(Hwnd hwnd) const;
  Hwnd foreground() const { return foreground_; }
  Hwnd lockedWindow() const { return locked_; }
  // The top-level windows from the top of the Z order down.
  std::vector<Hwnd> zOrder() const;
  // The child windows of a window, in creation order.
  std::vector<Hwnd> children(Hwnd hwnd) const;

  // --- WindowManager
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
  // Escape goes where the keyboard is: to the foreground window, or, when that window owns
  // a visible modal dialog, to the topmost such dialog (a modal dialog takes the keyboard
  // from its owner). Runs that window's onEscape.
  void sendEscape() override;
  // Nothing to do: the simulated desktop has no message queue; every message is handled
  // when it is sent.
  void doEvents() override;

 private:
  struct Window {
    WindowSpec settings;
    bool minimized = false;
    bool maximized = false;
  };
  const Window* find(Hwnd hwnd) const;
  Window* find(Hwnd hwnd);
  bool isTopLevel(Hwnd hwnd) const;
  Hwnd topLevelOf(Hwnd hwnd) const;
  // The windows owned by hwnd, directly or through owned windows, top first.
  std::vector<Hwnd> ownedBy(Hwnd hwnd) const;
  void bringToTop(Hwnd hwnd);
  void activate(Hwnd hwnd);
  // Where the foreground goes when the window leaving it goes away with the windows gone:
  // its nearest remaining owner, else the topmost visible top-level window that remains.
  Hwnd successor(Hwnd leaving, const std::vector<Hwnd>& gone) const;
  void passForeground(Hwnd leaving);
  std::vector<Hwnd> siblings(Hwnd hwnd) const;
  std::map<Hwnd, Window> windows_;
  std::vector<Hwnd> zOrder_;  // top-level windows, top first
  std::vector<Hwnd> childOrder_;
  Hwnd foreground_ = 0;
  Hwnd locked_ = 0;
  Hwnd next_ = 0x10010;
};

}  // namespace r58046::platform
