// Counting the calls Word answers and failing chosen ones.
#include "app_fixture.h"

namespace r58046::simword::testing {
namespace {

using AppSession = WordWorld;

TEST_F(AppSession, TheNthCallToAMemberFailsOnceWithWordsDescription) {
  auto word = userWord();
  Object documents = Object(word->application()).get(u"Documents");
  word->session().injectFault(u"count", 2, 4198);

  EXPECT_EQ(documents.get(u"Count").toLong(), 1);
  auto e = failure([&] { documents.get(u"COUNT"); });
  ASSERT_TRUE(e);
  EXPECT_EQ(e->number(), 4198);
  EXPECT_EQ(e->description(), u"Command failed");
  EXPECT_EQ(e->source(), u"Microsoft Word");
  EXPECT_EQ(documents.get(u"Count").toLong(), 1);
  // Any object's member of that name counts.
  word->session().injectFault(u"Count", 1, 462);
  EXPECT_EQ(errorOf([&] { walk(word->application(), {u"Windows", u"Count"}); }), 462);
}

TEST_F(AppSession, FaultsOnOneMemberCountEveryCall) {
  auto word = userWord();
  Object app = word->application();
  word->session().injectFault(u"Visible", 1, 4198);
  word->session().injectFault(u"Visible", 2, 5941);
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), 4198);
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), 5941);
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), 0);
}

TEST_F(AppSession, ARejectedCallNeitherCountsNorUsesAFault) {
  auto word = userWord();
  Object app = word->application();
  word->session().injectFault(u"Visible", 1, 4198);
  word->openDialog(u"");
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), static_cast<int32_t>(0x80010001u));
  EXPECT_EQ(word->session().calls(u"Visible"), 0);
  desktop.SendMessageA(desktop.foreground(), platform::kWmClose, 0, 0);
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), 4198);
}

TEST_F(AppSession, CallsAreCountedByMemberAndTheDefaultMemberByItsName) {
  auto word = userWord();
  Object app = word->application();
  Object documents = app.get(u"Documents");
  documents.call(u"Add");
  word->session().resetCounts();

  documents.get(u"", 1);
  documents.get(u"Item", 2);
  // Documents.Close closes each document itself: one call.
  documents.call(u"Close");
  EXPECT_EQ(word->session().calls(u"item"), 2);
  EXPECT_EQ(word->session().calls(u"Close"), 1);
  EXPECT_EQ(word->session().totalCalls(), 3);

  word->session().injectFault(u"Item", 1, 4198);
  documents.call(u"Add");
  EXPECT_EQ(errorOf([&] { documents.get(u"", 1); }), 4198);
}

// The observer sees each call the client makes (Word's own inner calls not), may fail it or
// end Word in its place; a call it failed is not counted.
TEST_F(AppSession, AnObserverSeesEachCallAndMayFailItOrEndWord) {
  auto word = userWord();
  Object app = word->application();
  std::vector<std::u16string> seen;
  int failAt = 0;
  int closeAt = 0;
  word->session().observeCalls([&](std::u16string_view member) {
    seen.emplace_back(member);
    if (static_cast<int>(seen.size()) == failAt) {
      raiseWordError(4198);
    }
    if (static_cast<int>(seen.size()) == closeAt) {
      word->closeByUser();
    }
  });
  Object documents = app.get(u"Documents");
  documents.get(u"", 1);
  Object(app.get(u"Selection")).get(u"Text");
  EXPECT_EQ(seen, (std::vector<std::u16string>{u"Documents", u"Item", u"Selection", u"Text"}));

  word->session().resetCounts();
  failAt = 6;
  EXPECT_EQ(documents.get(u"Count").toLong(), 1);
  EXPECT_EQ(errorOf([&] { documents.get(u"Count"); }), 4198);
  EXPECT_EQ(word->session().calls(u"Count"), 1) << "the failed call is not counted";

  closeAt = 7;
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), 462);
  EXPECT_FALSE(word->running());
  EXPECT_EQ(errorOf([&] { app.get(u"Visible"); }), 462);
  EXPECT_EQ(seen.size(), 7u) << "a Word gone answers no call, observed or not";
}

}  // namespace
}  // namespace r58046::simword::testing
