// The windows of one simulated Word on the simulated desktop: its main window (class
// "OpusApp"), the modal dialog boxes during which Word rejects automation calls, and the
// Office Assistant's balloon.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim_desktop.h"
#include "simword/session.h"

namespace r58046::simword {

// Word's window states (WdWindowState).
inline constexpr int32_t kWdWindowStateNormal = 0;
inline constexpr int32_t kWdWindowStateMaximize = 1;
inline constexpr int32_t kWdWindowStateMinimize = 2;

inline constexpr std::u16string_view kMainWindowClass = u"OpusApp";
inline constexpr std::u16string_view kMainWindowTitle = u"Microsoft Word";
inline constexpr std::u16string_view kDefaultDialogCaption = u"Paragraphe";

class WordDesktop : public std::enable_shared_from_this<WordDesktop> {
 public:
  WordDesktop(platform::SimDesktop& desktop, std::shared_ptr<WordSession> session);
  WordDesktop(const WordDesktop&) = delete;
  WordDesktop& operator=(const WordDesktop&) = delete;
  ~WordDesktop() = default;

  // The main window, titled "Microsoft Word"; WM_CLOSE on it runs onUserClose (the user
  // closes Word).
  void createMainWindow(bool visible, std::function<void()> onUserClose);
  platform::Hwnd mainWindow() const { return main_; }
  // "NAME - Microsoft Word" for the active document's name; "Microsoft Word" when empty.
  void setTitle(std::u16string_view documentName);

  bool visible() const;
  void setVisible(bool visible);
  // Read from the main window as the window manager shows it; set without changing whether
  // the window is visible.
  int32_t windowState() const;
  void setWindowState(int32_t state);
  void bringToForeground();
  void minimize();  // as the user minimises it

  // A modal dialog box owned by the main window (the caption "Paragraphe" when empty);
  // Word is busy while one is open. Escape, when it reaches the dialog, and WM_CLOSE close
  // it with the dialogs it owns.
  platform::Hwnd openDialog(std::u16string_view caption);
  // A dialog box that opens a second one, owned by the first.
  void openDialogInDialog();
  // The assistant's balloon: class "MSOBALLOON", owned by the main window, two child
  // windows; WM_CLOSE closes it with its children.
  void showBalloon();

  // Word ends: every window of it goes.
  void destroyAll();

 private:
  platform::Hwnd createDialog(std::u16string_view caption, platform::Hwnd owner);
  void closeDialog(platform::Hwnd hwnd);
  void dialogsChanged();

  platform::SimDesktop* desktop_;
  std::shared_ptr<WordSession> session_;
  platform::Hwnd main_ = 0;
  platform::Hwnd balloon_ = 0;
  std::vector<platform::Hwnd> dialogs_;
};

}  // namespace r58046::simword
