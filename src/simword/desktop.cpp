#include "simword/desktop.h"

#include <algorithm>

namespace r58046::simword {

using platform::Hwnd;

namespace {

constexpr int32_t kSwShowNormal = 1;
constexpr int32_t kSwMinimize = 6;
// A dialog box's extended style: modal frame, window edge, control parent.
constexpr int32_t kDialogExStyle = platform::kWsExDlgModalFrame | 0x100 | 0x10000;
constexpr std::u16string_view kDialogClass = u"#32770";
constexpr std::u16string_view kInnerDialogCaption = u"Tabulations";

}  // namespace

WordDesktop::WordDesktop(platform::SimDesktop& desktop, std::shared_ptr<WordSession> session)
    : desktop_(&desktop), session_(std::move(session)) {}

void WordDesktop::createMainWindow(bool visible, std::function<void()> onUserClose) {
  platform::WindowSpec window;
  window.className = std::u16string(kMainWindowClass);
  window.caption = std::u16string(kMainWindowTitle);
  window.visible = visible;
  window.onClose = [close = std::move(onUserClose)](Hwnd /*hwnd*/) { close(); };
  main_ = desktop_->create(std::move(window));
}

void WordDesktop::setTitle(std::u16string_view documentName) {
  if (main_ == 0) {
    return;
  }
  std::u16string title(kMainWindowTitle);
  if (!documentName.empty()) {
    title = std::u16string(documentName) + u" - " + title;
  }
  desktop_->setCaption(main_, std::move(title));
}

bool WordDesktop::visible() const {
  return main_ != 0 && desktop_->IsWindowVisible(main_) != 0;
}

void WordDesktop::setVisible(bool visible) {
  if (main_ != 0) {
    desktop_->setVisible(main_, visible);
  }
}

int32_t WordDesktop::windowState() const {
  if (desktop_->isMinimized(main_)) {
    return kWdWindowStateMinimize;
  }
  return desktop_->isMaximized(main_) ? kWdWindowStateMaximize : kWdWindowStateNormal;
}

void WordDesktop::setWindowState(int32_t state) {
  if (main_ == 0) {
    return;
  }
  int32_t show = state == kWdWindowStateMaximize   ? platform::kSwShowMaximized
                 : state == kWdWindowStateMinimize ? kSwMinimize
                                                   : kSwShowNormal;
  if (visible()) {
    desktop_->ShowWindow(main_, show);
    return;
  }
  // A hidden Word changes its state and stays hidden; the foreground stays where it was.
  Hwnd foreground = desktop_->foreground();
  desktop_->ShowWindow(main_, show);
  desktop_->setVisible(main_, false);
  if (foreground != 0 && foreground != main_ && desktop_->isWindow(foreground)) {
    desktop_->SetForegroundWindow(foreground);
  }
}

void WordDesktop::bringToForeground() {
  if (main_ != 0) {
    desktop_->SetForegroundWindow(main_);
  }
}

void WordDesktop::minimize() {
  if (main_ != 0) {
    desktop_->ShowWindow(main_, kSwMinimize);
  }
}

Hwnd WordDesktop::createDialog(std::u16string_view caption, Hwnd owner) {
  platform::WindowSpec window;
  window.className = std::u16string(kDialogClass);
  window.caption = std::u16string(caption.empty() ? kDefaultDialogCaption : caption);
  window.exStyle = kDialogExStyle;
  window.owner = owner;
  std::weak_ptr<WordDesktop> self = weak_from_this();
  auto close = [self](Hwnd hwnd) {
    if (auto desktop = self.lock()) {
      desktop->closeDialog(hwnd);
    }
  };
  window.onClose = close;
  window.onEscape = close;
  Hwnd hwnd = desktop_->create(std::move(window));
  if (hwnd != 0) {
    dialogs_.push_back(hwnd);
    dialogsChanged();
  }
  return hwnd;
}

Hwnd WordDesktop::openDialog(std::u16string_view caption) {
  if (main_ == 0) {
    return 0;
  }
  return createDialog(caption, main_);
}

void WordDesktop::openDialogInDialog() {
  Hwnd outer = openDialog(kDefaultDialogCaption);
  if (outer != 0) {
    createDialog(kInnerDialogCaption, outer);
  }
}

void WordDesktop::closeDialog(Hwnd hwnd) {
  // The dialogs it owns go with it.
  desktop_->destroy(hwnd);
  dialogsChanged();
}

void WordDesktop::dialogsChanged() {
  std::erase_if(dialogs_, [this](Hwnd h) { return !desktop_->isWindow(h); });
  session_->setBusy(!dialogs_.empty());
}

void WordDesktop::showBalloon() {
  if (main_ == 0) {
    return;
  }
  platform::WindowSpec window;
  window.className = u"MSOBALLOON";
  window.owner = main_;
  balloon_ = desktop_->create(std::move(window));
  for (std::u16string_view button : {u"OK", u"Annuler"}) {
    platform::WindowSpec child;
    child.className = u"Button";
    child.caption = std::u16string(button);
    child.parent = balloon_;
    desktop_->create(std::move(child));
  }
}

void WordDesktop::destroyAll() {
  // The main window takes the dialogs and the balloon it owns along.
  for (Hwnd h : dialogs_) {
    desktop_->destroy(h);
  }
  desktop_->destroy(balloon_);
  desktop_->destroy(main_);
  dialogs_.clear();
  balloon_ = 0;
  main_ = 0;
  session_->setBusy(false);
}

}  // namespace r58046::simword
