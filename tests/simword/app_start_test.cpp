// Starting Word as a user or through automation, attaching to it, and ending it.
#include "app_fixture.h"

namespace r58046::simword::testing {
namespace {

using AppStart = WordWorld;

TEST_F(AppStart, AUserStartsAVisibleWordWithDocument1ThatGetObjectFinds) {
  auto word = userWord();
  Object app = word->application();
  EXPECT_EQ(app.get(u"Visible").toLong(), -1);
  EXPECT_EQ(walk(app, {u"Documents", u"Count"}).toLong(), 1);
  EXPECT_EQ(walk(app, {u"ActiveDocument", u"Name"}).toString(), u"Document1");
  EXPECT_EQ(caption(word->mainWindow()), u"Document1 - Microsoft Word");
  EXPECT_EQ(desktop.FindWindowA(u"OPUSAPP", u"Document1 - Microsoft Word"), word->mainWindow());
  EXPECT_EQ(getWord(), app);
}

TEST_F(AppStart, CreateObjectStartsAHiddenWordWithoutDocument) {
  Object app = createWord();
  auto word = lastStarted();
  EXPECT_EQ(app.get(u"Visible").toLong(), 0);
  EXPECT_EQ(desktop.IsWindowVisible(word->mainWindow()), 0);
  EXPECT_EQ(caption(word->mainWindow()), u"Microsoft Word");
  EXPECT_EQ(walk(app, {u"Documents", u"Count"}).toLong(), 0);
  auto e = failure([&] { app.get(u"ActiveDocument"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->number(), 4248);
  EXPECT_EQ(e->description(), u"This command is not available because no document is open.");
  EXPECT_EQ(e->source(), u"Microsoft Word");
  EXPECT_EQ(errorOf([&] { app.get(u"ActiveWindow"); }), 4248);
  EXPECT_EQ(errorOf([&] { app.get(u"Selection"); }), 4248);

  // No Word ran: this one is the running Word now.
  EXPECT_EQ(getWord(), app);
  app.put(u"Visible", Variant::boolean(true));
  EXPECT_EQ(desktop.IsWindowVisible(word->mainWindow()), 1);
}

TEST_F(AppStart, CreateObjectMakesANewWordAndGetObjectKeepsTheRunningOne) {
  auto user = userWord();
  Object created = createWord();
  EXPECT_FALSE(created == Object(user->application()));
  EXPECT_EQ(getWord(), Object(user->application()));
  EXPECT_EQ(startedWords(env).size(), 2u);

  // The user's Word quits: GetObject no longer reaches it.
  Object(user->application()).call(u"Quit");
  EXPECT_EQ(errorOf([&] { getWord(); }), 429);
}

TEST_F(AppStart, ApplicationMembers) {
  Object app = createWord();
  EXPECT_EQ(app.get(u"Name").toString(), u"Microsoft Word");
  EXPECT_EQ(app.get(u"").toString(), u"Microsoft Word");
  EXPECT_EQ(app.get(u"Version").toString(), u"11.0");
  EXPECT_EQ(app.get(u"Application"), app);
  EXPECT_EQ(app.get(u"CentimetersToPoints", 2).toSingle(), 56.7f);
  EXPECT_EQ(app.get(u"CentimetersToPoints", 11).toSingle(), 311.85f);
  EXPECT_EQ(app.get(u"InchesToPoints", 0.75).toSingle(), 54.0f);
  app.put(u"UserAddress", u"1 rue de la Paix");
  EXPECT_EQ(app.get(u"UserAddress").toString(), u"1 rue de la Paix");
  EXPECT_EQ(app.get(u"ShowStartupDialog").toLong(), -1);
  app.put(u"DisplayStatusBar", Variant::boolean(false));
  EXPECT_EQ(app.get(u"DisplayStatusBar").toLong(), 0);
}

TEST_F(AppStart, QuitEndsWordAndEveryObjectFailsWith462) {
  auto word = userWord();
  Object app = word->application();
  Object documents = app.get(u"Documents");
  Object document = app.get(u"ActiveDocument");
  platform::Hwnd main = word->mainWindow();

  app.call(u"Quit", Variant(0));
  EXPECT_FALSE(word->running());
  EXPECT_FALSE(desktop.isWindow(main));
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), 462);
  EXPECT_EQ(errorOf([&] { documents.get(u"Count"); }), 462);
  EXPECT_EQ(errorOf([&] { document.get(u"Name"); }), 462);
  EXPECT_EQ(errorOf([&] { getWord(); }), 429);
}

TEST_F(AppStart, TheUserClosingTheMainWindowEndsWord) {
  auto word = userWord();
  Object app = word->application();
  desktop.SendMessageA(word->mainWindow(), platform::kWmClose, 0, 0);
  EXPECT_FALSE(word->running());
  EXPECT_EQ(desktop.FindWindowA(u"OpusApp", std::nullopt), 0);
  EXPECT_EQ(errorOf([&] { app.get(u"Documents"); }), 462);
  // Desktop events on a Word that is gone do nothing.
  word->openDialog(u"");
  word->showBalloon();
  EXPECT_TRUE(desktop.zOrder().empty());
}

TEST_F(AppStart, WindowStateFollowsTheMainWindow) {
  auto word = userWord();
  Object app = word->application();
  platform::Hwnd main = word->mainWindow();

  app.put(u"WindowState", 1);
  EXPECT_TRUE(desktop.isMaximized(main));
  EXPECT_EQ(walk(app, {u"ActiveWindow", u"WindowState"}).toLong(), 1);
  Object(app.get(u"ActiveWindow")).put(u"WindowState", 2);
  EXPECT_EQ(desktop.IsIconic(main), 1);
  app.put(u"WindowState", 0);
  EXPECT_EQ(desktop.IsIconic(main), 0);
  EXPECT_FALSE(desktop.isMaximized(main));
  EXPECT_EQ(errorOf([&] { app.put(u"WindowState", 3); }), 4608);

  word->minimize();
  EXPECT_EQ(app.get(u"WindowState").toLong(), 2);

  // A hidden Word changes state without showing itself.
  word->hide();
  EXPECT_EQ(app.get(u"Visible").toLong(), 0);
  app.put(u"WindowState", 1);
  EXPECT_EQ(desktop.IsWindowVisible(main), 0);
  EXPECT_EQ(app.get(u"WindowState").toLong(), 1);
}

}  // namespace
}  // namespace r58046::simword::testing
