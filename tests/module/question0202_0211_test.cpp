// Questions 0202 to 0211 driven directly, without the module around them, for what the
// scenarios cannot show: a question evaluated on a document whose bookmark "s02" is gone
// (the module's document check reports that first, with a general code), and question 0202
// with both tab stops at a left reference, which must end in a verdict.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/error.h"
#include "module_fakes.h"
#include "questions/registry.h"

namespace r58046::testing {
namespace {

using automation::Arg;
using automation::AutomationError;
using automation::Object;

// "Bulletin.doc" with the passage "s01" only: any other bookmark is missing, as Word says.
class Bulletin {
 public:
  explicit Bulletin(FakeWord& word) {
    word.documents->on(u"Open", [](Args&) { return Variant(); }).value(u"Item", Variant(document));
    word.app->value(u"ActiveDocument", Variant(document)).value(u"Selection", Variant(selection));
    selection->on(u"GoTo", [](Args&) { return Variant(); });
    document->on(u"Activate", [](Args&) { return Variant(); })
        .value(u"Bookmarks", Variant(bookmarks));
    bookmarks->on(u"Item", [this](Args& a) -> Variant {
      if (a[0].get().toString() != u"s01") {
        automation::raiseError(automation::errors::kWordNoSuchMember, {}, u"Word");
      }
      return Variant(bookmark);
    });
    bookmark->value(u"Range", Variant(range));
    range->value(u"Text", u"NOM\t\t")
        .value(u"Style", u"Normal")
        .value(u"Start", int32_t{200})
        .value(u"End", int32_t{205})
        .value(u"Paragraphs", Variant(paragraphs));
    paragraphs->value(u"LeftIndent", 0.0f)
        .value(u"FirstLineIndent", 0.0f)
        .value(u"TabStops", Variant(tabStops));
    tabStops->on(u"Count", [this](Args&) { return Variant(static_cast<int32_t>(tabs.size())); })
        .on(u"Item", [this](Args& a) {
          return Variant(tabs.at(static_cast<size_t>(a[0].get().toLong() - 1)));
        });
  }

  // A custom tab stop.
  void addTab(float position, int32_t alignment, int32_t leader) {
    auto stop = Fake::make();
    stop->value(u"CustomTab", Variant::boolean(true))
        .value(u"Position", position)
        .value(u"Alignment", alignment)
        .value(u"Leader", leader);
    tabs.push_back(stop);
  }

 private:
  std::shared_ptr<Fake> document = Fake::make();
  std::shared_ptr<Fake> selection = Fake::make();
  std::shared_ptr<Fake> bookmarks = Fake::make();
  std::shared_ptr<Fake> bookmark = Fake::make();
  std::shared_ptr<Fake> range = Fake::make();
  std::shared_ptr<Fake> paragraphs = Fake::make();
  std::shared_ptr<Fake> tabStops = Fake::make();
  std::vector<std::shared_ptr<Fake>> tabs;
};

class QuestionDirect : public ::testing::TestWithParam<int32_t> {
 protected:
  Object prepared(int32_t number) {
    Object question = questions::CreeQuestion(number, tp.platform());
    Variant application(word.app);
    question.call(u"Prepare", Arg::byRef(application), u"/work/");
    return question;
  }

  TestPlatform tp;
  FakeWord word{u"/templates"};
  Bulletin bulletin{word};
};

// Every question that reads "s02" takes both passages before any test: without "s02" the
// evaluation fails with Word's error and the question's context, and stores nothing, even
// where "s01" alone would already decide (0211: "s01" is not in the style "adresse").
TEST_P(QuestionDirect, MissingS02IsHandedOnWithoutACode) {
  const int32_t number = GetParam();
  Object question = prepared(number);
  const std::u16string classe = u"Question0" + automation::fromUtf8(std::to_string(number));

  try {
    question.call(u"TestePoint");
    FAIL() << "the evaluation went through without s02";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kWordNoSuchMember);
    EXPECT_NE(e.source().find(u"CLASSE " + classe), std::u16string::npos)
        << automation::toUtf8(e.source());
    EXPECT_NE(e.source().find(u"SERVICE TestePoint"), std::u16string::npos);
  }
  EXPECT_EQ(question.get(u"CauseErreur").toString(), u"");
  EXPECT_FALSE(question.get(u"BravoNuance").toBool());
  EXPECT_FALSE(Object(question.get(u"ComplementInfo")).isNothing())
      << "the new list is in place before the failure";
}

INSTANTIATE_TEST_SUITE_P(Questions, QuestionDirect, ::testing::Values(203, 205, 208, 211),
                         [](const ::testing::TestParamInfo<int32_t>& info) {
                           return "Question0" + std::to_string(info.param);
                         });

// Tab stops at 56.7 and 57.0 points are both at a left reference in centimetres: no tab
// stop is left to be the right one, which is not where it must be.
TEST_F(QuestionDirect, Question0202BothTabsAtALeftReferenceIsD) {
  Object question = prepared(202);
  bulletin.addTab(56.7f, 0, 0);
  bulletin.addTab(57.0f, 2, 1);

  question.call(u"TestePoint");

  EXPECT_EQ(question.get(u"CauseErreur").toString(), u"D");
}

}  // namespace
}  // namespace r58046::testing
