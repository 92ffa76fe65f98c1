// Question 0201's verdicts on a fake passage "s01": the order of the points, the custom tab
// counts, and the whole-point rounding of the position (half to even) in both units.
#include <gtest/gtest.h>

#include <ostream>

#include "core/globals.h"
#include "module_fakes.h"
#include "questions/registry.h"

namespace r58046::testing {
namespace {

using automation::Arg;
using automation::Object;

struct Tab {
  bool custom;
  float position;
  int32_t alignment;
};

struct Case {
  const char* name;
  float leftIndent;
  float firstLineIndent;
  std::u16string text;
  std::vector<Tab> tabs;
  int32_t unit;
  std::u16string expected;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

// The document of the question, with its passage "s01" as the case gives it.
class Passage {
 public:
  explicit Passage(FakeWord& word) {
    word.documents->on(u"Open", [](Args&) { return Variant(); }).value(u"Item", Variant(document));
    document->on(u"Activate", [](Args&) { return Variant(); })
        .value(u"Bookmarks", Variant(bookmarks));
    word.app->value(u"ActiveDocument", Variant(document));
    bookmarks->on(u"Item", [this](Args& a) -> Variant {
      if (a[0].get().toString() != u"s01") {
        automation::raiseError(automation::errors::kWordNoSuchMember, {}, u"Word");
      }
      return Variant(bookmark);
    });
    bookmark->value(u"Range", Variant(range));
    range->value(u"Paragraphs", Variant(paragraphs));
    paragraphs->value(u"TabStops", Variant(tabStops));
    tabStops->on(u"Count", [this](Args&) { return Variant(int32_t(tabs.size())); })
        .on(u"Item", [this](Args& a) {
          const Tab& t = tabs.at(static_cast<size_t>(a[0].get().toLong() - 1));
          auto stop = Fake::make();
          stop->value(u"CustomTab", Variant::boolean(t.custom))
              .value(u"Position", t.position)
              .value(u"Alignment", t.alignment);
          return Variant(stop);
        });
    options = word.options;
  }

  void set(const Case& c) {
    paragraphs->value(u"LeftIndent", c.leftIndent).value(u"FirstLineIndent", c.firstLineIndent);
    range->value(u"Text", c.text);
    tabs = c.tabs;
    options->value(u"MeasurementUnit", c.unit);
  }

 private:
  std::shared_ptr<Fake> document = Fake::make();
  std::shared_ptr<Fake> bookmarks = Fake::make();
  std::shared_ptr<Fake> bookmark = Fake::make();
  std::shared_ptr<Fake> range = Fake::make();
  std::shared_ptr<Fake> paragraphs = Fake::make();
  std::shared_ptr<Fake> tabStops = Fake::make();
  std::shared_ptr<Fake> options;
  std::vector<Tab> tabs;
};

constexpr int32_t kCm = 1;
constexpr int32_t kInches = 0;
const std::u16string kNom = u"NOM\t\t";

class Question0201Test : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    module::gMeasurementUnit = -1;  // no value left over from another test
    Variant application(word.app);
    question.call(u"Prepare", Arg::byRef(application), u"/work/");
  }

  TestPlatform tp;
  FakeWord word{u"/templates"};
  Passage passage{word};
  Object question = questions::CreeQuestion(201, tp.platform());
};

TEST_P(Question0201Test, FirstFailingPointDecides) {
  const Case& c = GetParam();
  passage.set(c);

  question.call(u"TestePoint");

  EXPECT_EQ(question.get(u"CauseErreur").toString(), c.expected);
  EXPECT_FALSE(question.get(u"BravoNuance").toBool());
  // The unit is read when the position is judged, and only then.
  const bool positionJudged = c.expected == u"C" || c.expected == u"F" || c.expected.empty();
  EXPECT_EQ(module::gMeasurementUnit, positionJudged ? c.unit : -1);
}

INSTANTIATE_TEST_SUITE_P(
    Points, Question0201Test,
    ::testing::Values(
        Case{"IndentBeforeEverythingElse", 0, 14.2f, u"NOM", {}, kCm, u"D"},
        Case{"OneTabOnly", 0, 0, u"NOM\t", {{true, 56.7f, 0}}, kCm, u"E"},
        Case{"NoCustomTab", 0, 0, kNom, {{false, 35.4f, 0}}, kCm, u"A"},
        Case{"TwoCustomTabs", 0, 0, kNom, {{true, 56.7f, 0}, {true, 141.75f, 0}}, kCm, u"B"},
        Case{"ThreeCm", 0, 0, kNom, {{true, 85.05f, 0}}, kCm, u"C"},
        Case{"Centred", 0, 0, kNom, {{true, 56.7f, 1}}, kCm, u"F"},
        Case{"TwoCm", 0, 0, kNom, {{true, 56.7f, 0}}, kCm, u""},
        Case{"RoundedDownToFiftySeven", 0, 0, kNom, {{true, 57.4f, 0}}, kCm, u""},
        Case{"HalfGoesToEvenFiftySix", 0, 0, kNom, {{true, 56.5f, 0}}, kCm, u"C"},
        Case{"HalfGoesToEvenFiftyEight", 0, 0, kNom, {{true, 57.5f, 0}}, kCm, u"C"},
        Case{"ThreeQuarterInch", 0, 0, kNom, {{true, 54.0f, 0}}, kInches, u""},
        Case{"TwoCmInInchMode", 0, 0, kNom, {{true, 56.7f, 0}}, kInches, u"C"}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST_F(Question0201Test, PassAfterAFailureKeepsTheEarlierCode) {
  passage.set({"", 0, 0, u"NOM\t", {{true, 56.7f, 0}}, kCm, u""});
  question.call(u"TestePoint");
  passage.set({"", 0, 0, kNom, {{true, 56.7f, 0}}, kCm, u""});
  question.call(u"TestePoint");

  EXPECT_EQ(question.get(u"CauseErreur").toString(), u"E");
}

}  // namespace
}  // namespace r58046::testing
