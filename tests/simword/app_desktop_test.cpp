// What happens to Word on the desktop: dialogs that make it busy, the assistant's balloon,
// editing an embedded document.
#include "app_fixture.h"

namespace r58046::simword::testing {
namespace {

using AppDesktop = WordWorld;

constexpr int32_t kCallRejected = static_cast<int32_t>(0x80010001u);

// The window just above `hwnd` that is a modal dialog owned by `owner`, as the module looks
// for one; 0 when none.
platform::Hwnd dialogOwnedBy(platform::SimDesktop& desktop, platform::Hwnd owner) {
  for (platform::Hwnd h = desktop.GetWindow(owner, platform::kGwHwndPrev); h != 0;
       h = desktop.GetWindow(h, platform::kGwHwndPrev)) {
    std::u16string text;
    if (desktop.GetWindowTextA(h, text, 255) > 0 && desktop.IsWindowVisible(h) != 0 &&
        (desktop.GetWindowLongA(h, platform::kGwlExStyle) & platform::kWsExDlgModalFrame) != 0 &&
        desktop.GetParent(h) == owner) {
      return h;
    }
  }
  return 0;
}

TEST_F(AppDesktop, AModalDialogRejectsCallsUntilEscapeClosesIt) {
  auto word = userWord();
  Object app = word->application();
  word->openDialog(u"");

  platform::Hwnd dialog = dialogOwnedBy(desktop, word->mainWindow());
  ASSERT_NE(dialog, 0);
  EXPECT_EQ(caption(dialog), u"Paragraphe");
  EXPECT_TRUE(word->session().busy());
  EXPECT_EQ(errorOf([&] { app.get(u"Documents"); }), kCallRejected);

  // Escape reaches the dialog when Word's window is brought forward.
  desktop.SetForegroundWindow(word->mainWindow());
  desktop.sendEscape();
  EXPECT_FALSE(desktop.isWindow(dialog));
  EXPECT_EQ(walk(app, {u"Documents", u"Count"}).toLong(), 1);
}

TEST_F(AppDesktop, WmCloseClosesADialogAndADialogInADialogFromTheInside) {
  auto word = userWord();
  Object app = word->application();
  word->openDialog(u"Police");
  platform::Hwnd single = dialogOwnedBy(desktop, word->mainWindow());
  EXPECT_EQ(caption(single), u"Police");
  desktop.SendMessageA(single, platform::kWmClose, 0, 0);
  EXPECT_FALSE(word->session().busy());

  word->openDialogInDialog();
  platform::Hwnd outer = dialogOwnedBy(desktop, word->mainWindow());
  platform::Hwnd inner = dialogOwnedBy(desktop, outer);
  ASSERT_NE(outer, 0);
  ASSERT_NE(inner, 0);
  desktop.SendMessageA(inner, platform::kWmClose, 0, 0);
  EXPECT_TRUE(desktop.isWindow(outer));
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), kCallRejected);
  desktop.SendMessageA(outer, platform::kWmClose, 0, 0);
  EXPECT_EQ(app.get(u"Visible").toLong(), -1);

  // Closing the outer dialog takes the inner one along.
  word->openDialogInDialog();
  outer = dialogOwnedBy(desktop, word->mainWindow());
  inner = dialogOwnedBy(desktop, outer);
  desktop.SendMessageA(outer, platform::kWmClose, 0, 0);
  EXPECT_FALSE(desktop.isWindow(inner));
  EXPECT_FALSE(word->session().busy());
}

TEST_F(AppDesktop, TheBalloonClosesWithItsChildren) {
  auto word = userWord();
  word->showBalloon();
  platform::Hwnd balloon = desktop.FindWindowA(u"MSOBALLOON", std::nullopt);
  ASSERT_NE(balloon, 0);
  auto children = desktop.children(balloon);
  EXPECT_EQ(children.size(), 2u);
  EXPECT_FALSE(word->session().busy());
  desktop.SendMessageA(balloon, platform::kWmClose, 0, 0);
  EXPECT_EQ(desktop.FindWindowA(u"MSOBALLOON", std::nullopt), 0);
  for (platform::Hwnd child : children) {
    EXPECT_FALSE(desktop.isWindow(child));
  }
}

TEST_F(AppDesktop, ClosingWordTakesItsDialogsAndBalloonAlong) {
  auto word = userWord();
  word->showBalloon();
  word->openDialog(u"");
  word->closeByUser();
  EXPECT_TRUE(desktop.zOrder().empty());
  EXPECT_EQ(errorOf([&] { Object(word->application()).get(u"Visible"); }), 462);
}

TEST_F(AppDesktop, EditingTheEmbeddedDocumentListsItAndMakesItActive) {
  auto word = userWord();
  Object app = word->application();
  std::u16string path = writeFile(docs() + u"Bulletin.doc");
  Object(app.get(u"Documents")).call(u"Open", path);
  word->editEmbedded();

  Object embedded = app.get(u"ActiveDocument");
  EXPECT_EQ(embedded.get(u"Name").toString(), u"Document dans Bulletin.doc");
  EXPECT_EQ(embedded.get(u"FullName").toString(), u"Document dans Bulletin.doc");
  EXPECT_EQ(walk(app, {u"Documents", u"Count"}).toLong(), 3);
  EXPECT_EQ(caption(word->mainWindow()), u"Document dans Bulletin.doc - Microsoft Word");
}

}  // namespace
}  // namespace r58046::simword::testing
