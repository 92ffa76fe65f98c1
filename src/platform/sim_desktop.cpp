#include "platform/sim_desktop.h"

#include <algorithm>

#include "automation/text.h"

namespace r58046::platform {
namespace {

// Show commands beyond the two the module names.
constexpr int32_t kSwHide = 0;
constexpr int32_t kSwShowNormal = 1;
constexpr int32_t kSwShowNoActivate = 4;
constexpr int32_t kSwShow = 5;
constexpr int32_t kSwMinimize = 6;
constexpr int32_t kSwShowMinNoActive = 7;
constexpr int32_t kSwShowNa = 8;
constexpr int32_t kSwRestore = 9;
constexpr int32_t kSwShowDefault = 10;
constexpr int32_t kSwForceMinimize = 11;

// GetWindow commands.
constexpr uint32_t kGwHwndFirst = 0;
constexpr uint32_t kGwHwndLast = 1;
constexpr uint32_t kGwHwndNext = 2;
constexpr uint32_t kGwOwner = 4;
constexpr uint32_t kGwChild = 5;

// GetWindowLongA indexes and the style bits answered for GWL_STYLE.
constexpr int32_t kGwlStyle = -16;
constexpr int32_t kGwlHwndParent = -8;
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsMinimize = 0x20000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsMaximize = 0x01000000;

bool contains(const std::vector<Hwnd>& list, Hwnd hwnd) {
  return std::find(list.begin(), list.end(), hwnd) != list.end();
}

void erase(std::vector<Hwnd>& list, Hwnd hwnd) {
  list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
}

// Copies at most maxCount - 1 characters, as the ANSI text functions do.
int32_t copyText(const std::u16string& text, std::u16string& buffer, int32_t maxCount) {
  buffer.clear();
  if (maxCount <= 0) {
    return 0;
  }
  size_t n = std::min(text.size(), static_cast<size_t>(maxCount) - 1);
  buffer.assign(text, 0, n);
  return static_cast<int32_t>(n);
}

bool matches(const WindowSpec& settings, std::optional<std::u16string_view> className,
             std::optional<std::u16string_view> caption) {
  if (className && !automation::equalsNoCase(settings.className, *className)) {
    return false;
  }
  return !caption || settings.caption == *caption;
}

}  // namespace

const SimDesktop::Window* SimDesktop::find(Hwnd hwnd) const {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : &it->second;
}

SimDesktop::Window* SimDesktop::find(Hwnd hwnd) {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : &it->second;
}

bool SimDesktop::isWindow(Hwnd hwnd) const {
  return find(hwnd) != nullptr;
}

bool SimDesktop::isTopLevel(Hwnd hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->settings.parent == 0;
}

Hwnd SimDesktop::topLevelOf(Hwnd hwnd) const {
  const Window* w = find(hwnd);
  while (w != nullptr && w->settings.parent != 0) {
    hwnd = w->settings.parent;
    w = find(hwnd);
  }
  return w == nullptr ? 0 : hwnd;
}

bool SimDesktop::isMinimized(Hwnd hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->minimized;
}

bool SimDesktop::isMaximized(Hwnd hwnd) const {
  const Window* w = find(hwnd);
  return w != nullptr && w->maximized && !w->minimized;
}

std::vector<Hwnd> SimDesktop::zOrder() const {
  return zOrder_;
}

std::vector<Hwnd> SimDesktop::children(Hwnd hwnd) const {
  std::vector<Hwnd> out;
  for (Hwnd c : childOrder_) {
    if (find(c)->settings.parent == hwnd) {
      out.push_back(c);
    }
  }
  return out;
}

std::vector<Hwnd> SimDesktop::siblings(Hwnd hwnd) const {
  const Window* w = find(hwnd);
  if (w == nullptr) {
    return {};
  }
  return w->settings.parent == 0 ? zOrder_ : children(w->settings.parent);
}

std::vector<Hwnd> SimDesktop::ownedBy(Hwnd hwnd) const {
  std::vector<Hwnd> out;
  for (Hwnd candidate : zOrder_) {
    // Owners are set at creation to windows that exist already, so owner chains end.
    for (Hwnd o = find(candidate)->settings.owner; o != 0;) {
      if (o == hwnd) {
        out.push_back(candidate);
        break;
      }
      const Window* ow = find(o);
      o = ow == nullptr ? 0 : ow->settings.owner;
    }
  }
  return out;
}

void SimDesktop::bringToTop(Hwnd hwnd) {
  if (!isTopLevel(hwnd)) {
    return;
  }
  std::vector<Hwnd> group = ownedBy(hwnd);
  group.push_back(hwnd);
  for (Hwnd h : group) {
    erase(zOrder_, h);
  }
  zOrder_.insert(zOrder_.begin(), group.begin(), group.end());
}

void SimDesktop::activate(Hwnd hwnd) {
  bringToTop(hwnd);
  foreground_ = hwnd;
}

Hwnd SimDesktop::successor(Hwnd leaving, const std::vector<Hwnd>& gone) const {
  const Window* w = find(leaving);
  for (Hwnd o = w == nullptr ? 0 : w->settings.owner; o != 0;) {
    if (!contains(gone, o)) {
      return o;
    }
    const Window* ow = find(o);
    o = ow == nullptr ? 0 : ow->settings.owner;
  }
  for (Hwnd h : zOrder_) {
    if (h != leaving && !contains(gone, h) && find(h)->settings.visible) {
      return h;
    }
  }
  return 0;
}

void SimDesktop::passForeground(Hwnd leaving) {
  Hwnd next = successor(leaving, {leaving});
  if (next != 0) {
    activate(next);
  } else {
    foreground_ = 0;
  }
}

Hwnd SimDesktop::create(WindowSpec settings) {
  if (settings.parent != 0) {
    if (!isWindow(settings.parent)) {
      return 0;
    }
    settings.owner = 0;  // a child window has a parent, not an owner
  } else if (settings.owner != 0) {
    // As in Win32, a child window given as owner stands for its top-level window.
    settings.owner = topLevelOf(settings.owner);
    if (settings.owner == 0) {
      return 0;
    }
  }
  Hwnd hwnd = next_;
  next_ += 2;
  bool topLevel = settings.parent == 0;
  bool visible = settings.visible;
  windows_.emplace(hwnd, Window{std::move(settings)});
  if (!topLevel) {
    childOrder_.push_back(hwnd);
    return hwnd;
  }
  zOrder_.insert(zOrder_.begin(), hwnd);
  if (visible) {
    foreground_ = hwnd;
  }
  return hwnd;
}

void SimDesktop::destroy(Hwnd hwnd) {
  if (!isWindow(hwnd)) {
    return;
  }
  // The window, the windows it owns, and every child of those, at any depth.
  std::vector<Hwnd> gone{hwnd};
  if (isTopLevel(hwnd)) {
    for (Hwnd o : ownedBy(hwnd)) {
      gone.push_back(o);
    }
  }
  for (size_t i = 0; i < gone.size(); ++i) {
    for (Hwnd c : children(gone[i])) {
      gone.push_back(c);
    }
  }
  if (contains(gone, locked_)) {
    locked_ = 0;
  }
  // Chosen before the windows go, since the owner chain runs through them.
  bool foregroundGoes = contains(gone, foreground_);
  Hwnd next = foregroundGoes ? successor(foreground_, gone) : 0;
  for (Hwnd h : gone) {
    windows_.erase(h);
    erase(zOrder_, h);
    erase(childOrder_, h);
  }
  if (next != 0) {
    activate(next);
  } else if (foregroundGoes) {
    foreground_ = 0;
  }
}

void SimDesktop::setCaption(Hwnd hwnd, std::u16string caption) {
  if (Window* w = find(hwnd)) {
    w->settings.caption = std::move(caption);
  }
}

void SimDesktop::setVisible(Hwnd hwnd, bool visible) {
  Window* w = find(hwnd);
  if (w == nullptr || w->settings.visible == visible) {
    return;
  }
  w->settings.visible = visible;
  if (!isTopLevel(hwnd)) {
    return;
  }
  if (visible) {
    activate(hwnd);
  } else if (foreground_ == hwnd) {
    passForeground(hwnd);
  }
}

void SimDesktop::setMinimized(Hwnd hwnd, bool minimized) {
  if (Window* w = find(hwnd)) {
    w->minimized = minimized;
    if (minimized) {
      w->maximized = false;
    }
  }
}

Hwnd SimDesktop::FindWindowA(std::optional<std::u16string_view> className,
                             std::optional<std::u16string_view> windowName) {
  for (Hwnd h : zOrder_) {
    if (matches(find(h)->settings, className, windowName)) {
      return h;
    }
  }
  return 0;
}

Hwnd SimDesktop::FindWindowExA(Hwnd parent, Hwnd childAfter,
                               std::optional<std::u16string_view> className,
                               std::optional<std::u16string_view> windowName) {
  if (parent != 0 && !isWindow(parent)) {
    return 0;
  }
  std::vector<Hwnd> list = parent == 0 ? zOrder_ : children(parent);
  auto it = list.begin();
  if (childAfter != 0) {
    it = std::find(list.begin(), list.end(), childAfter);
    if (it == list.end()) {
      return 0;
    }
    ++it;
  }
  for (; it != list.end(); ++it) {
    if (matches(find(*it)->settings, className, windowName)) {
      return *it;
    }
  }
  return 0;
}

int32_t SimDesktop::IsWindowVisible(Hwnd hwnd) {
  // Visible only when the window and every parent above it are visible.
  const Window* w = find(hwnd);
  if (w == nullptr) {
    return 0;
  }
  for (; w != nullptr; w = w->settings.parent == 0 ? nullptr : find(w->settings.parent)) {
    if (!w->settings.visible) {
      return 0;
    }
  }
  return 1;
}

int32_t SimDesktop::IsIconic(Hwnd hwnd) {
  return isMinimized(hwnd) ? 1 : 0;
}

int32_t SimDesktop::ShowWindow(Hwnd hwnd, int32_t cmdShow) {
  Window* w = find(hwnd);
  if (w == nullptr) {
    return 0;
  }
  int32_t wasVisible = w->settings.visible ? 1 : 0;
  bool activates = false;
  switch (cmdShow) {
    case kSwHide:
      w->settings.visible = false;
      if (foreground_ == hwnd) {
        passForeground(hwnd);
      }
      return wasVisible;
    case kSwShowNormal:
    case kSwRestore:
    case kSwShowDefault:
      w->minimized = false;
      w->maximized = false;
      activates = true;
      break;
    case kSwShowNoActivate:
      w->minimized = false;
      w->maximized = false;
      break;
    case kSwShowMinimized:
      w->minimized = true;
      w->maximized = false;
      activates = true;
      break;
    case kSwShowMaximized:
      w->minimized = false;
      w->maximized = true;
      activates = true;
      break;
    case kSwShow:
      activates = true;
      break;
    case kSwMinimize:
    case kSwForceMinimize:
    case kSwShowMinNoActive:
      w->minimized = true;
      w->maximized = false;
      break;
    case kSwShowNa:
      break;
    default:
      return wasVisible;
  }
  w->settings.visible = true;
  if ((cmdShow == kSwMinimize || cmdShow == kSwForceMinimize) && foreground_ == hwnd) {
    passForeground(hwnd);
  } else if (activates && isTopLevel(hwnd)) {
    activate(hwnd);
  }
  return wasVisible;
}

int32_t SimDesktop::SetForegroundWindow(Hwnd hwnd) {
  Hwnd top = topLevelOf(hwnd);
  if (top == 0) {
    return 0;
  }
  activate(top);
  return 1;
}

Hwnd SimDesktop::GetWindow(Hwnd hwnd, uint32_t cmd) {
  const Window* w = find(hwnd);
  if (w == nullptr) {
    return 0;
  }
  if (cmd == kGwOwner) {
    return w->settings.owner;
  }
  if (cmd == kGwChild) {
    std::vector<Hwnd> kids = children(hwnd);
    return kids.empty() ? 0 : kids.front();
  }
  std::vector<Hwnd> list = siblings(hwnd);
  auto it = std::find(list.begin(), list.end(), hwnd);
  switch (cmd) {
    case kGwHwndFirst:
      return list.front();
    case kGwHwndLast:
      return list.back();
    case kGwHwndNext:
      return it + 1 == list.end() ? 0 : *(it + 1);
    case kGwHwndPrev:
      return it == list.begin() ? 0 : *(it - 1);
    default:
      return 0;
  }
}

int32_t SimDesktop::GetWindowTextA(Hwnd hwnd, std::u16string& buffer, int32_t maxCount) {
  const Window* w = find(hwnd);
  if (w == nullptr) {
    buffer.clear();
    return 0;
  }
  return copyText(w->settings.caption, buffer, maxCount);
}

int32_t SimDesktop::GetWindowLongA(Hwnd hwnd, int32_t index) {
  const Window* w = find(hwnd);
  if (w == nullptr) {
    return 0;
  }
  switch (index) {
    case kGwlExStyle:
      return w->settings.exStyle;
    case kGwlStyle: {
      uint32_t style = 0;
      style |= w->settings.visible ? kWsVisible : 0;
      style |= w->settings.parent != 0 ? kWsChild : 0;
      style |= w->minimized ? kWsMinimize : 0;
      style |= w->maximized && !w->minimized ? kWsMaximize : 0;
      return static_cast<int32_t>(style);
    }
    case kGwlHwndParent:
      return w->settings.parent != 0 ? w->settings.parent : w->settings.owner;
    default:
      return 0;
  }
}

Hwnd SimDesktop::GetParent(Hwnd hwnd) {
  const Window* w = find(hwnd);
  if (w == nullptr) {
    return 0;
  }
  return w->settings.parent != 0 ? w->settings.parent : w->settings.owner;
}

int32_t SimDesktop::SendMessageA(Hwnd hwnd, uint32_t msg, int32_t /*wParam*/, int32_t /*lParam*/) {
  const Window* w = find(hwnd);
  if (w == nullptr || msg != kWmClose) {
    return 0;
  }
  // A copy: the handler may destroy the window, and its function object with it.
  std::function<void(Hwnd)> onClose = w->settings.onClose;
  if (onClose) {
    onClose(hwnd);
  } else {
    destroy(hwnd);
  }
  return 0;
}

int32_t SimDesktop::LockWindowUpdate(Hwnd hwnd) {
  if (hwnd == 0) {
    locked_ = 0;
    return 1;
  }
  // One window at a time on the whole desktop.
  if (!isWindow(hwnd) || locked_ != 0) {
    return 0;
  }
  locked_ = hwnd;
  return 1;
}

int32_t SimDesktop::GetClassNameA(Hwnd hwnd, std::u16string& buffer, int32_t maxCount) {
  const Window* w = find(hwnd);
  if (w == nullptr) {
    buffer.clear();
    return 0;
  }
  return copyText(w->settings.className, buffer, maxCount);
}

void SimDesktop::sendEscape() {
  Hwnd target = foreground_;
  if (!isWindow(target)) {
    return;
  }
  for (Hwnd owned : ownedBy(target)) {
    const Window* w = find(owned);
    if (w->settings.visible && (w->settings.exStyle & kWsExDlgModalFrame) != 0) {
      target = owned;
      break;
    }
  }
  std::function<void(Hwnd)> onEscape = find(target)->settings.onEscape;
  if (onEscape) {
    onEscape(target);
  }
}

void SimDesktop::doEvents() {}

}  // namespace r58046::platform
