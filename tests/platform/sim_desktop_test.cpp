#include "platform/sim_desktop.h"

#include <gtest/gtest.h>

#include <vector>

using namespace r58046::platform;

namespace {

WindowSpec topLevel(std::u16string cls, std::u16string caption, Hwnd owner = 0) {
  WindowSpec settings;
  settings.className = std::move(cls);
  settings.caption = std::move(caption);
  settings.owner = owner;
  return settings;
}

WindowSpec modalDialog(std::u16string caption, Hwnd owner) {
  WindowSpec settings = topLevel(u"#32770", std::move(caption), owner);
  settings.exStyle = kWsExDlgModalFrame;
  return settings;
}

WindowSpec child(Hwnd parent, std::u16string cls = u"Static") {
  WindowSpec settings;
  settings.className = std::move(cls);
  settings.parent = parent;
  return settings;
}

// The windows above hwnd, nearest first, as a walk with GW_HWNDPREV sees them.
std::vector<Hwnd> above(SimDesktop& desktop, Hwnd hwnd) {
  std::vector<Hwnd> out;
  for (Hwnd h = desktop.GetWindow(hwnd, kGwHwndPrev); h != 0;
       h = desktop.GetWindow(h, kGwHwndPrev)) {
    out.push_back(h);
  }
  return out;
}

TEST(SimDesktop, OwnedWindowsStayAboveTheirOwnerInTheZOrderWalk) {
  SimDesktop desktop;
  Hwnd word = desktop.create(topLevel(u"OpusApp", u"Document1 - Microsoft Word"));
  Hwnd dialog = desktop.create(modalDialog(u"Paragraphe", word));
  Hwnd other = desktop.create(topLevel(u"Notepad", u"notes"));
  EXPECT_EQ(desktop.zOrder(), (std::vector<Hwnd>{other, dialog, word}));
  EXPECT_EQ(above(desktop, word), (std::vector<Hwnd>{dialog, other}));
  EXPECT_EQ(desktop.GetWindow(other, kGwHwndPrev), 0);

  // Bringing Word forward takes its dialog along above it.
  EXPECT_EQ(desktop.SetForegroundWindow(word), 1);
  EXPECT_EQ(desktop.foreground(), word);
  EXPECT_EQ(desktop.zOrder(), (std::vector<Hwnd>{dialog, word, other}));
  EXPECT_EQ(above(desktop, word), (std::vector<Hwnd>{dialog}));
  EXPECT_EQ(desktop.GetWindow(word, 2), other);  // GW_HWNDNEXT
  EXPECT_EQ(desktop.GetWindow(12345, kGwHwndPrev), 0);
}

TEST(SimDesktop, ADialogOwnedByADialogIsAboveBothAndClosesWithThem) {
  SimDesktop desktop;
  Hwnd word = desktop.create(topLevel(u"OpusApp", u"Microsoft Word"));
  Hwnd outer = desktop.create(modalDialog(u"Paragraphe", word));
  Hwnd inner = desktop.create(modalDialog(u"Tabulations", outer));
  Hwnd other = desktop.create(topLevel(u"Notepad", u"notes"));
  desktop.SetForegroundWindow(word);
  EXPECT_EQ(desktop.zOrder(), (std::vector<Hwnd>{inner, outer, word, other}));
  EXPECT_EQ(desktop.GetParent(inner), outer);
  EXPECT_EQ(desktop.GetParent(outer), word);
  EXPECT_EQ(desktop.GetParent(word), 0);
  EXPECT_EQ(desktop.GetWindowLongA(inner, kGwlExStyle) & kWsExDlgModalFrame, 1);
  EXPECT_EQ(desktop.GetWindowLongA(word, kGwlExStyle), 0);

  // The inner dialog goes first; the foreground returns to its owner.
  desktop.SetForegroundWindow(inner);
  desktop.SendMessageA(inner, kWmClose, 0, 0);
  EXPECT_FALSE(desktop.isWindow(inner));
  EXPECT_EQ(desktop.foreground(), outer);

  // Closing Word by default destroys what it owns; the next window takes the foreground.
  Hwnd again = desktop.create(modalDialog(u"Tabulations", outer));
  desktop.SendMessageA(word, kWmClose, 0, 0);
  for (Hwnd h : {word, outer, again}) {
    EXPECT_FALSE(desktop.isWindow(h));
  }
  EXPECT_EQ(desktop.zOrder(), (std::vector<Hwnd>{other}));
  EXPECT_EQ(desktop.foreground(), other);
}

TEST(SimDesktop, CloseAndEscapeRunTheWindowsCallbacks) {
  SimDesktop desktop;
  std::vector<std::u16string> log;
  WindowSpec wordSpec = topLevel(u"OpusApp", u"Microsoft Word");
  wordSpec.onClose = [&](Hwnd) { log.push_back(u"word close"); };
  wordSpec.onEscape = [&](Hwnd) { log.push_back(u"word escape"); };
  Hwnd word = desktop.create(wordSpec);

  desktop.sendEscape();
  desktop.SendMessageA(word, kWmClose, 0, 0);
  EXPECT_TRUE(desktop.isWindow(word));  // the callback decides

  // A modal dialog takes the keyboard from its owner, also when the owner is foreground;
  // a dialog that destroys itself from its own callback is safe.
  WindowSpec dialogSpec = modalDialog(u"Paragraphe", word);
  dialogSpec.onEscape = [&](Hwnd h) {
    log.push_back(u"dialog escape");
    desktop.destroy(h);
  };
  Hwnd dialog = desktop.create(dialogSpec);
  desktop.SetForegroundWindow(word);
  desktop.sendEscape();
  EXPECT_FALSE(desktop.isWindow(dialog));
  desktop.sendEscape();
  EXPECT_EQ(log, (std::vector<std::u16string>{u"word escape", u"word close", u"dialog escape",
                                              u"word escape"}));
  EXPECT_EQ(desktop.SendMessageA(dialog, kWmClose, 0, 0), 0);  // no window: nothing runs
}

TEST(SimDesktop, FindsWindowsByClassWithoutCaseAndCaptionExactly) {
  SimDesktop desktop;
  Hwnd first = desktop.create(topLevel(u"OPUSAPP", u"Microsoft Word"));
  WindowSpec hidden = topLevel(u"OpusApp", u"Bulletin.doc - Microsoft Word");
  hidden.visible = false;
  Hwnd second = desktop.create(hidden);

  EXPECT_EQ(desktop.FindWindowA(u"opusapp", u"Microsoft Word"), first);
  EXPECT_EQ(desktop.FindWindowA(u"OpusApp", u"microsoft word"), 0);
  EXPECT_EQ(desktop.FindWindowA(u"OpusApp", std::nullopt), second);  // top first, hidden too
  EXPECT_EQ(desktop.FindWindowA(std::nullopt, u"Microsoft Word"), first);
  EXPECT_EQ(desktop.FindWindowA(u"MSOBALLOON", std::nullopt), 0);

  // Children: found from the parent only, first one first, and after a given one.
  Hwnd balloon = desktop.create(topLevel(u"MSOBALLOON", u""));
  Hwnd a = desktop.create(child(balloon));
  Hwnd b = desktop.create(child(balloon, u"Button"));
  EXPECT_EQ(desktop.FindWindowA(u"Static", std::nullopt), 0);
  EXPECT_EQ(desktop.FindWindowExA(balloon, 0, std::nullopt, std::nullopt), a);
  EXPECT_EQ(desktop.FindWindowExA(balloon, a, std::nullopt, std::nullopt), b);
  EXPECT_EQ(desktop.FindWindowExA(balloon, b, std::nullopt, std::nullopt), 0);
  EXPECT_EQ(desktop.GetParent(b), balloon);

  // Destroying the balloon takes its children along.
  desktop.SendMessageA(balloon, kWmClose, 0, 0);
  EXPECT_FALSE(desktop.isWindow(a));
  EXPECT_EQ(desktop.FindWindowExA(balloon, 0, std::nullopt, std::nullopt), 0);
}

TEST(SimDesktop, TextAndClassNameAreCutToTheBuffer) {
  SimDesktop desktop;
  Hwnd word = desktop.create(topLevel(u"OpusApp", u"Modèles.doc - Microsoft Word"));
  std::u16string buffer;
  EXPECT_EQ(desktop.GetWindowTextA(word, buffer, 255), 28);
  EXPECT_EQ(buffer, u"Modèles.doc - Microsoft Word");
  EXPECT_EQ(desktop.GetWindowTextA(word, buffer, 8), 7);
  EXPECT_EQ(buffer, u"Modèles");
  EXPECT_EQ(desktop.GetWindowTextA(word, buffer, 0), 0);
  EXPECT_EQ(desktop.GetClassNameA(word, buffer, 255), 7);
  EXPECT_EQ(buffer, u"OpusApp");

  desktop.destroy(word);
  EXPECT_EQ(desktop.GetClassNameA(word, buffer, 255), 0);  // handles are not reused
  EXPECT_EQ(desktop.GetWindowTextA(word, buffer, 255), 0);
  EXPECT_EQ(buffer, u"");
}

TEST(SimDesktop, ShowStatesAndVisibility) {
  SimDesktop desktop;
  Hwnd word = desktop.create(topLevel(u"OpusApp", u"Microsoft Word"));
  Hwnd pane = desktop.create(child(word));
  Hwnd other = desktop.create(topLevel(u"Notepad", u"notes"));

  desktop.ShowWindow(word, kSwShowMinimized);
  EXPECT_EQ(desktop.IsIconic(word), 1);
  desktop.ShowWindow(word, kSwShowMaximized);
  EXPECT_EQ(desktop.IsIconic(word), 0);
  EXPECT_TRUE(desktop.isMaximized(word));
  EXPECT_EQ(desktop.foreground(), word);
  desktop.ShowWindow(word, 9);  // SW_RESTORE
  EXPECT_FALSE(desktop.isMaximized(word));

  // Hidden: so are its children, and the foreground moves on.
  EXPECT_EQ(desktop.ShowWindow(word, 0), 1);
  EXPECT_EQ(desktop.IsWindowVisible(word), 0);
  EXPECT_EQ(desktop.IsWindowVisible(pane), 0);
  EXPECT_EQ(desktop.foreground(), other);
  EXPECT_EQ(desktop.ShowWindow(word, 5), 0);
  EXPECT_NE(desktop.IsWindowVisible(pane), 0);

  desktop.setMinimized(word, true);
  EXPECT_EQ(desktop.IsIconic(word), 1);
  EXPECT_EQ(desktop.IsIconic(0), 0);
  EXPECT_EQ(desktop.IsWindowVisible(0), 0);
}

TEST(SimDesktop, OneUpdateLockAtATime) {
  SimDesktop desktop;
  Hwnd word = desktop.create(topLevel(u"OpusApp", u"Microsoft Word"));
  Hwnd other = desktop.create(topLevel(u"Notepad", u"notes"));
  EXPECT_EQ(desktop.LockWindowUpdate(word), 1);
  EXPECT_EQ(desktop.LockWindowUpdate(other), 0);
  EXPECT_EQ(desktop.LockWindowUpdate(word), 0);
  EXPECT_EQ(desktop.lockedWindow(), word);
  EXPECT_EQ(desktop.LockWindowUpdate(0), 1);
  EXPECT_EQ(desktop.LockWindowUpdate(other), 1);
  desktop.destroy(other);  // the lock goes with its window
  EXPECT_EQ(desktop.lockedWindow(), 0);
  EXPECT_EQ(desktop.LockWindowUpdate(424242), 0);
}

}  // namespace
