// The automation objects of a document as a client drives them: ranges, paragraphs,
// sections, styles and tab stops reached in different ways, the document's own members, and
// the session every call goes through.
#include <gtest/gtest.h>

#include "automation/error.h"
#include "document_test_host.h"
#include "simword/document.h"
#include "simword/session.h"

namespace r58046::simword {
namespace {

using automation::Variant;
using testing::Auto;
using testing::errorOf;
using testing::TestHost;

class DocumentObjects : public ::testing::Test {
 protected:
  DocumentObjects() { doc.get(u"Content").put(u"Text", u"alpha\rbeta\rgamma"); }

  std::shared_ptr<WordSession> session = std::make_shared<WordSession>();
  TestHost host;
  std::shared_ptr<Document> document =
      Document::create(session, host, u"Document1", std::nullopt, false);
  Auto doc{document};

  std::u16string text() { return doc.get(u"Content").get(u"Text").toString(); }
  Auto range(int32_t s, int32_t e) { return doc.get(u"Range", s, e); }
  Auto paragraph(int32_t i) { return doc.get(u"Paragraphs").get(u"Item", i); }
};

TEST_F(DocumentObjects, RangeBoundsMoveAsWordMovesThem) {
  Auto r = range(2, 8);
  r.put(u"End", 1);  // an end before the start drags the start along
  EXPECT_EQ(r.get(u"Start").toLong(), 1);
  r.put(u"Start", 4);  // and a start after the end drags the end
  EXPECT_EQ(r.get(u"End").toLong(), 4);
  r.call(u"SetRange", 10, 7);
  EXPECT_EQ(r.get(u"Text").toString(), u"eta");
  r.call(u"Collapse", 0);  // wdCollapseEnd
  EXPECT_EQ(r.get(u"Start").toLong(), 10);
  EXPECT_EQ(r.get(u"End").toLong(), 10);
  EXPECT_EQ(errorOf([&] { r.put(u"End", 100); }), 4608);
  EXPECT_EQ(range(8, 3).get(u"Text").toString(), u"ha\rbe");
  // Document.Range takes positions up to the end of the story, and fails past it.
  int32_t end = doc.get(u"Content").get(u"End").toLong();
  EXPECT_EQ(range(end - 1, end).get(u"Text").toString(), u"\r");
  EXPECT_EQ(errorOf([&] { range(0, end + 1); }), 4608);
  EXPECT_EQ(errorOf([&] { range(end + 1, end + 1); }), 4608);
  EXPECT_EQ(errorOf([&] { range(-1, 2); }), 4608);

  // A duplicate is a range of its own.
  Auto d = range(0, 5).get(u"Duplicate");
  d.call(u"Collapse");
  EXPECT_EQ(d.get(u"End").toLong(), 0);
  EXPECT_TRUE(automation::sameObject(range(0, 1).get(u"Document").value().objectRef(), document));
}

TEST_F(DocumentObjects, DeleteAndInsertThroughARange) {
  Auto r = range(0, 0);
  EXPECT_EQ(r.call(u"Delete").toLong(), 1);  // a collapsed range deletes the next character
  EXPECT_EQ(text(), u"lpha\rbeta\rgamma\r");
  EXPECT_EQ(range(4, 4).call(u"Delete", 1, -2).toLong(), 2);  // and backwards
  EXPECT_EQ(text(), u"lp\rbeta\rgamma\r");
  EXPECT_EQ(range(14, 14).call(u"Delete").toLong(), 0);  // the final mark stays
  EXPECT_EQ(errorOf([&] { range(1, 1).call(u"Delete", 4); }), 4198);

  Auto beta = paragraph(2).get(u"Range");
  beta.call(u"InsertParagraphAfter");
  EXPECT_EQ(beta.get(u"Text").toString(), u"beta\r\r");
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Count").toLong(), 4);
  EXPECT_EQ(errorOf([&] { range(0, 0).call(u"InsertBreak", 1); }), 4608);
}

TEST_F(DocumentObjects, AParagraphObjectFollowsItsParagraph) {
  Auto gamma = paragraph(3);
  range(0, 0).call(u"InsertBefore", u"new\r");
  EXPECT_EQ(gamma.get(u"Range").get(u"Text").toString(), u"gamma\r");
  gamma.put(u"LeftIndent", 20.0f);
  EXPECT_EQ(paragraph(4).get(u"LeftIndent").toSingle(), 20.0f);
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Last").get(u"LeftIndent").toSingle(), 20.0f);
  EXPECT_EQ(gamma.get(u"Format").get(u"LeftIndent").toSingle(), 20.0f);
}

TEST_F(DocumentObjects, SectionsOfARangeAndSectionObjects) {
  Auto last = doc.get(u"Sections").get(u"Last");
  range(5, 5).call(u"InsertBreak", 3);  // wdSectionBreakContinuous after "alpha"
  EXPECT_EQ(doc.get(u"Sections").get(u"Count").toLong(), 2);
  // The section object made before the break now stands for the first section.
  EXPECT_EQ(last.get(u"Index").toLong(), 1);
  EXPECT_EQ(last.get(u"Range").get(u"Text").toString(), u"alpha\f");
  EXPECT_EQ(range(3, 8).get(u"Sections").get(u"Count").toLong(), 2);
  EXPECT_EQ(range(8, 9).get(u"Sections").get(u"First").get(u"Index").toLong(), 2);
  EXPECT_EQ(errorOf([&] { doc.get(u"Sections").get(u"Item", 3); }), 5941);
}

TEST_F(DocumentObjects, StylesAreDesignatedByNameConstantIndexOrObject) {
  Auto styles = doc.get(u"Styles");
  Auto heading = styles.get(u"Item", u"Heading 1");
  paragraph(1).put(u"Style", heading.value());
  paragraph(2).put(u"Style", -3);  // wdStyleHeading2
  paragraph(3).put(u"Style", 1);   // the first style of the collection: Normal
  EXPECT_EQ(paragraph(1).get(u"Style").toString(), u"Heading 1");
  EXPECT_EQ(paragraph(2).get(u"Style").toString(), u"Heading 2");
  EXPECT_EQ(paragraph(3).get(u"Style").toString(), u"Normal");
  EXPECT_TRUE(heading.get(u"InUse").toBool());
  EXPECT_EQ(errorOf([&] { paragraph(1).put(u"Style", u"nothing"); }), 5941);
  EXPECT_EQ(errorOf([&] { styles.get(u"Item", 999); }), 5941);

  // A character style gives the text its formatting.
  Auto strong = styles.call(u"Add", u"Strong", 2);  // wdStyleTypeCharacter
  strong.get(u"Font").put(u"Bold", -1);
  EXPECT_EQ(strong.get(u"Type").toLong(), 2);
  range(0, 2).put(u"Style", u"Strong");
  EXPECT_EQ(range(0, 2).get(u"Font").get(u"Bold").toLong(), -1);
  EXPECT_EQ(paragraph(2).get(u"Range").get(u"Font").get(u"Bold").toLong(), -1);  // Heading 2
  EXPECT_EQ(paragraph(3).get(u"Range").get(u"Font").get(u"Bold").toLong(), 0);
  EXPECT_EQ(doc.get(u"Content").get(u"Font").get(u"Bold").toLong(), 9999999);
}

TEST_F(DocumentObjects, RenamingAStyleKeepsItsParagraphs) {
  Auto styles = doc.get(u"Styles");
  Auto objet = styles.call(u"Add", u"objet");
  paragraph(2).put(u"Style", u"objet");
  objet.put(u"NameLocal", u"Objet du courrier");
  EXPECT_EQ(paragraph(2).get(u"Style").toString(), u"Objet du courrier");
  EXPECT_EQ(errorOf([&] { objet.put(u"NameLocal", u"normal"); }), 5173);
  EXPECT_EQ(errorOf([&] { styles.get(u"Item", u"Normal").put(u"NameLocal", u"Other"); }), 4198);
  EXPECT_EQ(errorOf([&] { styles.call(u"Add", u""); }), 5173);
}

TEST_F(DocumentObjects, AStylesFormattingReachesTheParagraphsInIt) {
  Auto texte = doc.get(u"Styles").call(u"Add", u"Texte");
  paragraph(1).put(u"Style", u"Texte");
  paragraph(3).put(u"Style", u"Texte");
  Auto tabs = texte.get(u"ParagraphFormat").get(u"TabStops");
  tabs.call(u"Add", 56.7f);
  tabs.call(u"Add", 311.85f, 2, 1);
  EXPECT_EQ(paragraph(3).get(u"TabStops").get(u"Count").toLong(), 2);
  // Moving a tab stop of the style moves it in its paragraphs.
  tabs.get(u"Item", 1).put(u"Position", 85.05f);
  EXPECT_EQ(paragraph(1).get(u"TabStops").get(u"Item", 1).get(u"Position").toSingle(), 85.05f);
  // A paragraph may clear a tab stop of its style for itself.
  paragraph(1).get(u"TabStops").get(u"Item", 2).call(u"Clear");
  EXPECT_EQ(paragraph(1).get(u"TabStops").get(u"Count").toLong(), 1);
  EXPECT_EQ(paragraph(3).get(u"TabStops").get(u"Count").toLong(), 2);
  Auto stale = tabs.get(u"Item", 2);
  tabs.call(u"ClearAll");
  EXPECT_EQ(paragraph(3).get(u"TabStops").get(u"Count").toLong(), 0);
  EXPECT_EQ(errorOf([&] { stale.get(u"Position"); }), 5825);

  texte.get(u"Font").put(u"Name", u"Arial");
  EXPECT_EQ(paragraph(3).get(u"Range").get(u"Font").get(u"Name").toString(), u"Arial");
  EXPECT_EQ(paragraph(2).get(u"Range").get(u"Font").get(u"Name").toString(), u"Times New Roman");
}

TEST_F(DocumentObjects, SavedFollowsChangesAndCloseSavesOnlyWhenAsked) {
  doc.call(u"SaveAs", host.path("docs/Letter.doc"));
  EXPECT_TRUE(doc.get(u"Saved").toBool());
  document->typeText(0, u"x");
  EXPECT_FALSE(doc.get(u"Saved").toBool());
  std::string before = host.read("docs/Letter.doc");
  doc.call(u"Close");  // without SaveChanges Word asks; the person here answers No
  EXPECT_EQ(host.read("docs/Letter.doc"), before);
  EXPECT_TRUE(document->isClosed());

  auto again = Document::open(session, host, host.path("docs/Letter.doc"));
  again->replaceText(0, 5, u"ALPHA");
  Auto(again).call(u"Close", -1);  // wdSaveChanges
  EXPECT_NE(host.read("docs/Letter.doc").find("ALPHA"), std::string::npos);
}

TEST_F(DocumentObjects, DocumentMembersReachTheWordThatHoldsIt) {
  doc.call(u"Activate");
  EXPECT_EQ(host.activated, std::vector<std::u16string>{u"Document1"});
  EXPECT_TRUE(doc.get(u"Application").value().isNothing());  // what the host answers
  doc.put(u"ShowSpellingErrors", Variant::boolean(false));
  EXPECT_FALSE(doc.get(u"ShowSpellingErrors").toBool());
  EXPECT_TRUE(doc.get(u"ShowGrammaticalErrors").toBool());
  EXPECT_EQ(doc.toString(), u"Document1");  // Name is the default member
  EXPECT_EQ(document->contentEnd(), 17);
  EXPECT_EQ(document->bookmark(u"none"), std::nullopt);
}

TEST_F(DocumentObjects, EveryCallGoesThroughTheSession) {
  Auto r = range(0, 5);
  session->resetCounts();
  r.get(u"Text");
  r.get(u"Paragraphs").get(u"Item", 1).get(u"Range").get(u"Text");
  EXPECT_EQ(session->calls(u"Text"), 2);
  EXPECT_EQ(session->calls(u"Paragraphs"), 1);

  session->injectFault(u"text", 2, 4198);
  EXPECT_EQ(errorOf([&] { r.get(u"Text"); }), 0);
  EXPECT_EQ(errorOf([&] { r.put(u"Text", u"changed"); }), 4198);
  EXPECT_EQ(r.get(u"Text").toString(), u"alpha");  // the failed call changed nothing

  session->setBusy(true);
  EXPECT_EQ(errorOf([&] { doc.get(u"Name"); }), automation::errors::kCallRejected);
  session->setBusy(false);
  EXPECT_EQ(doc.get(u"Name").toString(), u"Document1");
}

}  // namespace
}  // namespace r58046::simword
