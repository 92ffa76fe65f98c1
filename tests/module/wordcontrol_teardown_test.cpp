// The end of an exercise against a fake Word: which documents are saved, closed and opened
// again, and what still happens when Word no longer answers.
#include <gtest/gtest.h>

#include <algorithm>

#include "module_fakes.h"

namespace r58046::testing {
namespace {

struct Closing {
  std::u16string name;
  int32_t saveChanges;
  bool operator==(const Closing&) const = default;
};

class TeardownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    word.windows->value(u"Count", int32_t{1});
    word.documents->on(u"Count", [this](Args&) { return Variant(int32_t(open.size())); })
        .on(u"Item",
            [this](Args& a) -> Variant {
              const size_t i = static_cast<size_t>(a[0].get().toLong());
              if (i < 1 || i > open.size()) {
                automation::raiseError(automation::errors::kWordNoSuchMember, {}, u"Word");
              }
              return Variant(open[i - 1]);
            })
        .on(u"Open", [this](Args& a) {
          reopened.push_back(a[0].get().toString());
          return Variant();
        });
    word.app->on(u"ActiveDocument", [this](Args&) { return Variant(active); });
    question->on(u"Fermer", [this](Args&) {
      ++questionClosed;
      return Variant();
    });
    access.setApplication(word.app);
    access.setQuestion(question);
  }

  // A document in Word's list: on disk when it has a folder.
  std::shared_ptr<Fake> document(const std::u16string& name, const std::u16string& folder,
                                 bool password) {
    auto doc = Fake::make();
    doc->value(u"Name", name)
        .value(u"Path", folder)
        .value(u"FullName", folder.empty() ? name : folder + u"/" + name)
        .value(u"HasPassword", Variant::boolean(password))
        .on(u"Close", [this, weak = std::weak_ptr<Fake>(doc), name](Args& a) {
          closings.push_back({name, a[0].get().toLong()});
          open.erase(std::find(open.begin(), open.end(), weak.lock()));
          return Variant();
        });
    open.push_back(doc);
    return doc;
  }

  TestPlatform tp;
  module::Module mod{tp.platform()};
  module::ModuleTestAccess access{mod};
  FakeWord word{u"/templates"};
  std::shared_ptr<Fake> question = Fake::make();
  std::vector<std::shared_ptr<Fake>> open;
  std::shared_ptr<Fake> active;
  std::vector<Closing> closings;
  std::vector<std::u16string> reopened;
  int questionClosed = 0;
};

TEST_F(TeardownTest, DocumentsOnDiskAreSavedAndOnlyThoseWithoutPasswordOpenedAgain) {
  document(u"Lettre.doc", u"/home/u", false);
  active = document(u"Secret.doc", u"/home/u", true);
  document(u"Document3", u"", false);

  access.FermeQuestion();

  EXPECT_EQ(closings,
            (std::vector<Closing>{{u"Lettre.doc", -1}, {u"Secret.doc", -1}, {u"Document3", 0}}));
  EXPECT_EQ(reopened, std::vector<std::u16string>{u"/home/u/Lettre.doc"});
  EXPECT_EQ(questionClosed, 1);
  EXPECT_EQ(access.question(), nullptr);
}

TEST_F(TeardownTest, ActiveDocumentsPasswordDoesNotDecideForTheOthers) {
  active = document(u"Secret.doc", u"/home/u", true);
  document(u"Lettre.doc", u"/home/u", false);

  access.FermeQuestion();

  EXPECT_EQ(closings, (std::vector<Closing>{{u"Secret.doc", -1}, {u"Lettre.doc", -1}}));
  EXPECT_EQ(reopened, std::vector<std::u16string>{u"/home/u/Lettre.doc"});
}

TEST_F(TeardownTest, GrammarUnderliningGoesBackEvenWhenWordRefusesTheSpellingOne) {
  active = document(u"Bulletin.doc", u"/work", false);
  active->fail(u"ShowSpellingErrors", automation::errors::kWordCommandFailed);

  access.FermeQuestion();

  EXPECT_EQ(active->count(u"ShowGrammaticalErrors"), 1);
  EXPECT_EQ(active->stored(u"ShowGrammaticalErrors"), Variant::boolean(false));
  EXPECT_EQ(closings, (std::vector<Closing>{{u"Bulletin.doc", -1}}));
}

TEST_F(TeardownTest, WordThatNoLongerAnswersIsLeftAloneAndTheQuestionStillEnds) {
  document(u"Lettre.doc", u"/home/u", false);
  word.windows->fail(u"Count", automation::errors::kServerNotAvailable);

  EXPECT_NO_THROW(access.FermeQuestion());

  EXPECT_EQ(word.documents->count(u"Item"), 0);
  EXPECT_TRUE(closings.empty());
  EXPECT_EQ(questionClosed, 1);
  EXPECT_EQ(access.question(), nullptr);
}

TEST_F(TeardownTest, BalloonIsClosedWithAShortRealPause) {
  EXPECT_NO_THROW(access.FermeQuestion());
  EXPECT_TRUE(tp.pauses.asked().empty());

  platform::WindowSpec desc;
  desc.className = u"MSOBALLOON";
  const platform::Hwnd balloon = tp.desktop.create(desc);
  access.setQuestion(question);
  access.FermeQuestion();

  EXPECT_FALSE(tp.desktop.isWindow(balloon));
  ASSERT_EQ(tp.pauses.asked().size(), 1U);
  EXPECT_GT(tp.pauses.asked()[0].count(), 0);
  EXPECT_LE(tp.pauses.asked()[0].count(), 500);
}

}  // namespace
}  // namespace r58046::testing
