// Formatting in the simulated Word: lengths as Word keeps and reports them, tab stops,
// values that differ across paragraphs, fonts, and styles with Word's description.
#include <gtest/gtest.h>

#include "automation/error.h"
#include "document_test_host.h"
#include "simword/document.h"
#include "simword/session.h"
#include "simword/units.h"

namespace r58046::simword {
namespace {

using automation::Variant;
using testing::Auto;
using testing::errorOf;
using testing::TestHost;

constexpr int32_t kUndefined = 9999999;

class DocumentFormat : public ::testing::Test {
 protected:
  DocumentFormat() { doc.get(u"Content").put(u"Text", u"NOM\t\t\rsecond\rthird"); }

  std::shared_ptr<WordSession> session = std::make_shared<WordSession>();
  TestHost host;
  Auto doc{Document::create(session, host, u"Document1", std::nullopt, false)};

  Auto paragraph(int32_t i) { return doc.get(u"Paragraphs").get(u"Item", i); }
  Auto style(const char16_t* name) { return doc.get(u"Styles").get(u"Item", name); }
};

TEST_F(DocumentFormat, LengthsAreKeptInTwipsAndReadBackAsWordsSinglePrecisionPoints) {
  EXPECT_EQ(units::centimetresToPoints(2), 56.7f);
  EXPECT_EQ(units::centimetresToPoints(11), 311.85f);
  EXPECT_EQ(units::centimetresToPoints(9), 255.15f);
  EXPECT_EQ(units::inchesToPoints(0.75), 54.0f);

  Auto tabs = paragraph(1).get(u"TabStops");
  tabs.call(u"Add", units::centimetresToPoints(2));
  tabs.call(u"Add", units::centimetresToPoints(11), 2, 1);
  EXPECT_EQ(tabs.get(u"Item", 1).get(u"Position").toSingle(), 56.7f);
  EXPECT_EQ(tabs.get(u"Item", 2).get(u"Position").toSingle(), 311.85f);
  paragraph(1).put(u"LeftIndent", units::centimetresToPoints(9));
  EXPECT_EQ(paragraph(1).get(u"LeftIndent").toSingle(), 255.15f);
  // A length is kept to the twip: 9.02 cm reads back as 255.7 points.
  paragraph(1).put(u"LeftIndent", units::centimetresToPoints(9.02));
  EXPECT_EQ(paragraph(1).get(u"LeftIndent").toSingle(), 255.7f);
  EXPECT_EQ(errorOf([&] { paragraph(1).put(u"LeftIndent", 5000.0f); }), 4608);
  EXPECT_EQ(errorOf([&] { paragraph(1).put(u"SpaceBefore", -1.0f); }), 4608);
}

TEST_F(DocumentFormat, TabStopsReportWordsConstants) {
  Auto tabs = paragraph(1).get(u"TabStops");
  EXPECT_EQ(tabs.get(u"Count").toLong(), 0);
  tabs.call(u"Add", 200.0f, 3, 5);  // decimal, middle dot
  tabs.call(u"Add", 56.7f);
  ASSERT_EQ(tabs.get(u"Count").toLong(), 2);
  // Listed from left to right.
  Auto first = tabs.get(u"Item", 1);
  EXPECT_EQ(first.get(u"Position").toSingle(), 56.7f);
  EXPECT_EQ(first.get(u"Alignment").toLong(), 0);
  EXPECT_EQ(first.get(u"Leader").toLong(), 0);
  EXPECT_TRUE(first.get(u"CustomTab").toBool());
  EXPECT_EQ(tabs.get(u"Item", 2).get(u"Alignment").toLong(), 3);
  EXPECT_EQ(tabs.get(u"Item", 2).get(u"Leader").toLong(), 5);
  // A tab stop at a position already set replaces it; a position designates a tab stop.
  tabs.call(u"Add", 56.7f, 2, 1);
  EXPECT_EQ(tabs.get(u"Count").toLong(), 2);
  EXPECT_EQ(tabs.get(u"Item", 56.7f).get(u"Alignment").toLong(), 2);
  EXPECT_EQ(errorOf([&] { tabs.get(u"Item", 0); }), 5941);
  EXPECT_EQ(errorOf([&] { tabs.get(u"Item", 3); }), 5941);
  EXPECT_EQ(errorOf([&] { tabs.call(u"Add", 10.0f, 5); }), 4608);
  EXPECT_EQ(errorOf([&] { tabs.call(u"Add", 10.0f, 0, 6); }), 4608);

  tabs.get(u"Item", 1).call(u"Clear");
  EXPECT_EQ(tabs.get(u"Count").toLong(), 1);
  tabs.call(u"ClearAll");
  EXPECT_EQ(tabs.get(u"Count").toLong(), 0);
  // The other paragraphs were never touched.
  EXPECT_EQ(paragraph(2).get(u"TabStops").get(u"Count").toLong(), 0);

  // A tab stop that the paragraph's style sets is listed as a custom tab stop; Word's
  // default stops are not listed at all.
  Auto styled = doc.get(u"Styles").call(u"Add", u"tabulé", 1);
  styled.get(u"ParagraphFormat").get(u"TabStops").call(u"Add", 311.85f, 2, 1);
  paragraph(3).put(u"Style", u"tabulé");
  Auto own = paragraph(3).get(u"TabStops");
  ASSERT_EQ(own.get(u"Count").toLong(), 1);
  EXPECT_TRUE(own.get(u"Item", 1).get(u"CustomTab").toBool());
  EXPECT_EQ(own.get(u"Item", 1).get(u"Position").toSingle(), 311.85f);
}

TEST_F(DocumentFormat, APropertyThatDiffersAcrossParagraphsReadsUndefined) {
  Auto all = doc.get(u"Paragraphs");
  EXPECT_EQ(all.get(u"LeftIndent").toSingle(), 0.0f);
  paragraph(2).put(u"SpaceBefore", 6.0f);
  EXPECT_EQ(all.get(u"SpaceBefore").toLong(), kUndefined);
  EXPECT_EQ(doc.get(u"Content").get(u"ParagraphFormat").get(u"SpaceBefore").toLong(), kUndefined);
  // A range within one paragraph reads that paragraph's value.
  EXPECT_EQ(doc.get(u"Range", 7, 9).get(u"Paragraphs").get(u"SpaceBefore").toSingle(), 6.0f);
  // Setting it sets every paragraph.
  all.put(u"FirstLineIndent", -28.35f);
  EXPECT_EQ(paragraph(3).get(u"FirstLineIndent").toSingle(), -28.35f);
  EXPECT_EQ(all.get(u"FirstLineIndent").toSingle(), -28.35f);
}

TEST_F(DocumentFormat, TabStopsOfSeveralParagraphsAreThoseTheyAllHave) {
  paragraph(1).get(u"TabStops").call(u"Add", 56.7f);
  paragraph(1).get(u"TabStops").call(u"Add", 100.0f);
  paragraph(2).get(u"TabStops").call(u"Add", 56.7f);
  paragraph(2).get(u"TabStops").call(u"Add", 100.0f, 2);  // same place, another alignment
  Auto both = doc.get(u"Range", 0, 9).get(u"Paragraphs");
  ASSERT_EQ(both.get(u"Count").toLong(), 2);
  Auto tabs = both.get(u"TabStops");
  ASSERT_EQ(tabs.get(u"Count").toLong(), 1);
  EXPECT_EQ(tabs.get(u"Item", 1).get(u"Position").toSingle(), 56.7f);
  // Changes through the group reach every paragraph of it.
  tabs.call(u"Add", 200.0f, 1);
  EXPECT_EQ(paragraph(1).get(u"TabStops").get(u"Count").toLong(), 3);
  EXPECT_EQ(paragraph(2).get(u"TabStops").get(u"Count").toLong(), 3);
  tabs.call(u"ClearAll");
  EXPECT_EQ(paragraph(1).get(u"TabStops").get(u"Count").toLong(), 0);
  EXPECT_EQ(paragraph(2).get(u"TabStops").get(u"Count").toLong(), 0);
}

TEST_F(DocumentFormat, FontOfARangeReadsUndefinedWhereItsCharactersDiffer) {
  Auto second = doc.get(u"Range", 6, 12);  // "second"
  second.get(u"Font").put(u"Spacing", 5.0f);
  EXPECT_EQ(second.get(u"Font").get(u"Spacing").toSingle(), 5.0f);
  EXPECT_EQ(doc.get(u"Range", 4, 12).get(u"Font").get(u"Spacing").toLong(), kUndefined);
  doc.get(u"Range", 6, 8).get(u"Font").put(u"Name", u"Arial");
  EXPECT_EQ(second.get(u"Font").get(u"Name").toString(), u"");
  EXPECT_EQ(doc.get(u"Range", 6, 8).get(u"Font").get(u"Name").toString(), u"Arial");
  EXPECT_EQ(second.get(u"Font").get(u"Size").toSingle(), 12.0f);
  EXPECT_EQ(errorOf([&] { second.get(u"Font").put(u"ColorIndex", 17); }), 4608);
}

TEST_F(DocumentFormat, StylesAreFoundByNameWithNameLocalAsTheirValue) {
  Auto normal = style(u"normal");
  EXPECT_EQ(normal.toString(), u"Normal");
  EXPECT_EQ(style(u"Heading 1").get(u"BaseStyle").toString(), u"Normal");
  EXPECT_EQ(normal.get(u"BaseStyle").toString(), u"");
  EXPECT_EQ(doc.get(u"Styles").get(u"Item", -2).toString(), u"Heading 1");  // wdStyleHeading1
  EXPECT_EQ(doc.get(u"Content").get(u"Style").toString(), u"Normal");
  EXPECT_EQ(errorOf([&] { style(u"adresse"); }), 5941);

  Auto adresse = doc.get(u"Styles").call(u"Add", u"adresse", 1);
  EXPECT_EQ(errorOf([&] { doc.get(u"Styles").call(u"Add", u"Adresse", 1); }), 5173);
  EXPECT_EQ(adresse.get(u"BaseStyle").toString(), u"Normal");
  EXPECT_EQ(adresse.get(u"NextParagraphStyle").toString(), u"adresse");
  adresse.put(u"NextParagraphStyle", u"heading 2");
  EXPECT_EQ(adresse.get(u"NextParagraphStyle").toString(), u"Heading 2");

  paragraph(2).put(u"Style", u"ADRESSE");
  EXPECT_EQ(paragraph(2).get(u"Style").toString(), u"adresse");
  // A range over several styles gives the first paragraph's.
  EXPECT_EQ(doc.get(u"Range", 0, 9).get(u"Style").toString(), u"Normal");
  EXPECT_EQ(doc.get(u"Range", 7, 16).get(u"Style").toString(), u"adresse");
}

TEST_F(DocumentFormat, RangeStyleIsTheFirstCharactersCharacterStyleWhereItHasOne) {
  Auto objet = doc.get(u"Styles").call(u"Add", u"objet", 2);  // wdStyleTypeCharacter
  objet.get(u"Font").put(u"Bold", -1);
  Auto second = doc.get(u"Range", 6, 12);  // "second"
  second.put(u"Style", u"objet");
  EXPECT_EQ(second.get(u"Style").toString(), u"objet");
  EXPECT_EQ(second.get(u"Font").get(u"Bold").toLong(), -1);
  // The paragraph keeps its paragraph style, and so does a range that starts before.
  EXPECT_EQ(paragraph(2).get(u"Style").toString(), u"Normal");
  EXPECT_EQ(doc.get(u"Range", 5, 12).get(u"Style").toString(), u"Normal");
  EXPECT_EQ(doc.get(u"Range", 8, 18).get(u"Style").toString(), u"objet");
  EXPECT_EQ(doc.get(u"Range", 8, 8).get(u"Style").toString(), u"objet");
  // Text typed after it carries it on.
  doc.get(u"Range", 12, 12).call(u"InsertBefore", u"!");
  EXPECT_EQ(doc.get(u"Range", 12, 13).get(u"Style").toString(), u"objet");

  // Default Paragraph Font takes it away; a deleted style leaves the text without one.
  doc.get(u"Range", 6, 9).put(u"Style", u"Default Paragraph Font");
  EXPECT_EQ(doc.get(u"Range", 6, 9).get(u"Style").toString(), u"Normal");
  EXPECT_EQ(doc.get(u"Range", 9, 12).get(u"Style").toString(), u"objet");
  objet.call(u"Delete");
  EXPECT_EQ(doc.get(u"Range", 9, 12).get(u"Style").toString(), u"Normal");
}

TEST_F(DocumentFormat, DescriptionSummarisesWhatSetsAStyleApartFromItsBase) {
  Auto adresse = doc.get(u"Styles").call(u"Add", u"adresse", 1);
  adresse.get(u"Font").put(u"Name", u"Arial");
  adresse.get(u"Font").put(u"Size", 12.0f);  // Normal's size: no difference
  adresse.get(u"Font").put(u"ColorIndex", 2);
  adresse.get(u"ParagraphFormat").put(u"LeftIndent", units::centimetresToPoints(9));
  EXPECT_EQ(adresse.get(u"Description").toString(),
            u"Normal + Font: Arial, Blue, Indent: Left: 9 cm");
  adresse.get(u"Font").put(u"Size", 14.0f);
  EXPECT_EQ(adresse.get(u"Description").toString(),
            u"Normal + Font: Arial, 14 pt, Blue, Indent: Left: 9 cm");

  // Same base and same formatting: same description, whatever the names.
  Auto other = doc.get(u"Styles").call(u"Add", u"PourTest", 1);
  EXPECT_NE(other.get(u"Description").toString(), adresse.get(u"Description").toString());
  other.get(u"Font").put(u"Name", u"Arial");
  other.get(u"Font").put(u"Size", 14.0f);
  other.get(u"Font").put(u"ColorIndex", 2);
  other.get(u"ParagraphFormat").put(u"LeftIndent", 255.15f);
  EXPECT_EQ(other.get(u"Description").toString(), adresse.get(u"Description").toString());

  Auto hanging = doc.get(u"Styles").call(u"Add", u"note", 1);
  hanging.get(u"ParagraphFormat").put(u"LeftIndent", 56.7f);
  hanging.get(u"ParagraphFormat").put(u"FirstLineIndent", -56.7f);
  hanging.get(u"ParagraphFormat").put(u"SpaceBefore", 6.0f);
  hanging.get(u"ParagraphFormat").get(u"TabStops").call(u"Add", 311.85f, 2, 1);
  EXPECT_EQ(hanging.get(u"Description").toString(),
            u"Normal + Indent: Left: 2 cm, Hanging: 2 cm, Space Before: 6 pt, "
            u"Tab stops: 11 cm, Right, Leader: …");
}

TEST_F(DocumentFormat, ParagraphsFollowTheirStyleUnlessFormattedDirectly) {
  Auto texte = doc.get(u"Styles").call(u"Add", u"Texte courrier", 1);
  texte.get(u"ParagraphFormat").put(u"SpaceBefore", 18.0f);
  doc.get(u"Paragraphs").put(u"Style", u"texte courrier");
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"SpaceBefore").toSingle(), 18.0f);
  paragraph(2).put(u"SpaceBefore", 0.0f);
  texte.get(u"ParagraphFormat").put(u"SpaceBefore", 6.0f);
  EXPECT_EQ(paragraph(1).get(u"SpaceBefore").toSingle(), 6.0f);
  EXPECT_EQ(paragraph(2).get(u"SpaceBefore").toSingle(), 0.0f);
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"SpaceBefore").toLong(), kUndefined);
  // Applying a paragraph style removes direct paragraph formatting.
  paragraph(2).put(u"Style", u"Texte courrier");
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"SpaceBefore").toSingle(), 6.0f);
}

TEST_F(DocumentFormat, BaseStylesCannotLoopAndDeletingAStyleKeepsTheLookOfOthers) {
  Auto a = doc.get(u"Styles").call(u"Add", u"A", 1);
  Auto b = doc.get(u"Styles").call(u"Add", u"B", 1);
  a.get(u"Font").put(u"Name", u"Arial");
  b.put(u"BaseStyle", u"A");
  EXPECT_EQ(b.get(u"Font").get(u"Name").toString(), u"Arial");
  EXPECT_EQ(errorOf([&] { a.put(u"BaseStyle", u"B"); }), 4198);
  EXPECT_EQ(errorOf([&] { a.put(u"BaseStyle", u"A"); }), 4198);

  paragraph(1).put(u"Style", u"A");
  a.call(u"Delete");
  EXPECT_EQ(errorOf([&] { style(u"A"); }), 5941);
  EXPECT_EQ(errorOf([&] { a.get(u"NameLocal"); }), 5825);
  EXPECT_EQ(paragraph(1).get(u"Style").toString(), u"Normal");
  EXPECT_EQ(b.get(u"BaseStyle").toString(), u"Normal");
  EXPECT_EQ(b.get(u"Font").get(u"Name").toString(), u"Arial");
  EXPECT_EQ(errorOf([&] { style(u"Normal").call(u"Delete"); }), 4198);
}

}  // namespace
}  // namespace r58046::simword
