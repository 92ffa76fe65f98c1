// The text of a simulated Word document: its characters as Word writes them, paragraphs and
// sections, bookmarks following edits, protection, the envelope.
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

class DocumentText : public ::testing::Test {
 protected:
  std::shared_ptr<WordSession> session = std::make_shared<WordSession>();
  TestHost host;
  std::shared_ptr<Document> document =
      Document::create(session, host, u"Document1", std::nullopt, false);
  Auto doc{document};

  std::u16string text() { return doc.get(u"Content").get(u"Text").toString(); }
  // A document of the given text; "\r" ends a paragraph.
  void setText(std::u16string t) { doc.get(u"Content").put(u"Text", std::move(t)); }
  Auto range(int32_t s, int32_t e) { return doc.get(u"Range", s, e); }
  std::pair<int32_t, int32_t> bookmark(const char16_t* name) {
    Auto b = doc.get(u"Bookmarks").get(u"Item", name);
    return {b.get(u"Start").toLong(), b.get(u"End").toLong()};
  }
};

TEST_F(DocumentText, AlwaysEndsWithAParagraphMarkThatCannotBeDeleted) {
  EXPECT_EQ(text(), u"\r");
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Count").toLong(), 1);
  setText(u"one\rtwo");
  EXPECT_EQ(text(), u"one\rtwo\r");
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Count").toLong(), 2);
  doc.get(u"Content").call(u"Delete");
  EXPECT_EQ(text(), u"\r");
  // Text added at the very end goes before the final mark.
  doc.get(u"Content").call(u"InsertAfter", u"end");
  EXPECT_EQ(text(), u"end\r");
}

TEST_F(DocumentText, BreaksAreTheCharactersWordWrites) {
  setText(u"abcdef");
  range(1, 1).call(u"InsertBreak", 6);  // wdLineBreak
  range(3, 3).call(u"InsertBreak", 7);  // wdPageBreak
  range(5, 5).call(u"InsertBreak", 8);  // wdColumnBreak
  EXPECT_EQ(text(),
            u"a\vb\fc\x0e"
            u"def\r");
  // None of these ends a paragraph or a section.
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Count").toLong(), 1);
  EXPECT_EQ(doc.get(u"Sections").get(u"Count").toLong(), 1);

  // A section break ends a paragraph and a section, and reads as 12 too.
  range(7, 7).call(u"InsertBreak", 2);  // wdSectionBreakNextPage
  EXPECT_EQ(text(),
            u"a\vb\fc\x0e"
            u"d\fef\r");
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Count").toLong(), 2);
  Auto sections = doc.get(u"Sections");
  ASSERT_EQ(sections.get(u"Count").toLong(), 2);
  EXPECT_EQ(sections.get(u"Item", 1).get(u"Range").get(u"Text").toString(),
            u"a\vb\fc\x0e"
            u"d\f");
  EXPECT_EQ(sections.get(u"Item", 2).get(u"Range").get(u"Text").toString(), u"ef\r");
  EXPECT_EQ(doc.get(u"Paragraphs").get(u"Item", 1).get(u"Range").get(u"Text").toString(),
            u"a\vb\fc\x0e"
            u"d\f");

  // A section break goes in front of a range that holds text, which keeps it; a page break
  // takes its place.
  setText(u"one two three");
  doc.get(u"Bookmarks").call(u"Add", u"two", range(4, 7));
  Auto two = range(4, 7);
  two.call(u"InsertBreak", 3);  // wdSectionBreakContinuous
  EXPECT_EQ(text(), u"one \ftwo three\r");
  EXPECT_EQ(two.get(u"Text").toString(), u"two");
  EXPECT_EQ(doc.get(u"Sections").get(u"Count").toLong(), 2);
  EXPECT_EQ(doc.get(u"Bookmarks").get(u"Item", u"two").get(u"Range").get(u"Text").toString(),
            u"\ftwo");
  two.call(u"InsertBreak", 7);  // wdPageBreak
  EXPECT_EQ(text(), u"one \f\f three\r");
}

TEST_F(DocumentText, ParagraphsOfARangeAreThoseItTouches) {
  setText(u"one\rtwo\rthree");
  Auto r = range(5, 9);  // "wo\rt"
  EXPECT_EQ(r.get(u"Paragraphs").get(u"Count").toLong(), 2);
  EXPECT_EQ(r.get(u"Paragraphs").get(u"First").get(u"Range").get(u"Text").toString(), u"two\r");
  EXPECT_EQ(r.get(u"Paragraphs").get(u"Last").get(u"Range").get(u"Text").toString(), u"three\r");
  EXPECT_EQ(errorOf([&] { r.get(u"Paragraphs").get(u"Item", 3); }), 5941);
  // A collapsed range stands in one paragraph.
  EXPECT_EQ(range(4, 4).get(u"Paragraphs").get(u"Count").toLong(), 1);
}

TEST_F(DocumentText, TextInsertedAtABookmarksStartIsInItAndAtItsEndIsNot) {
  setText(u"0123456789");
  doc.get(u"Bookmarks").call(u"Add", u"b", range(3, 6));  // "345"
  Auto same = range(3, 6);                                // a Range over the same text

  range(1, 1).call(u"InsertAfter", u"xx");  // before: moves
  EXPECT_EQ(bookmark(u"b"), std::make_pair(5, 8));
  range(6, 6).call(u"InsertAfter", u"y");  // inside: grows
  EXPECT_EQ(bookmark(u"b"), std::make_pair(5, 9));
  range(5, 5).call(u"InsertAfter", u"z");  // at its start: inside it
  EXPECT_EQ(bookmark(u"b"), std::make_pair(5, 10));
  range(10, 10).call(u"InsertBefore", u"w");  // at its end: outside it
  EXPECT_EQ(bookmark(u"b"), std::make_pair(5, 10));
  EXPECT_EQ(doc.get(u"Bookmarks").get(u"Item", u"b").get(u"Range").get(u"Text").toString(),
            u"z3y45");
  // A Range keeps the text inserted at its start out.
  EXPECT_EQ(same.get(u"Text").toString(), u"3y45");

  // Typed where one bookmark ends and the next begins, text goes to the start of the next.
  setText(u"NOM\tPRENOM");
  doc.get(u"Bookmarks").call(u"Add", u"s01", range(0, 4));
  doc.get(u"Bookmarks").call(u"Add", u"s02", range(4, 10));
  document->typeText(4, u"\v");
  EXPECT_EQ(bookmark(u"s01"), std::make_pair(0, 4));
  EXPECT_EQ(bookmark(u"s02"), std::make_pair(4, 11));
  range(4, 4).call(u"InsertBreak", 6);  // wdLineBreak, through another range
  EXPECT_EQ(bookmark(u"s01"), std::make_pair(0, 4));
  EXPECT_EQ(bookmark(u"s02"), std::make_pair(4, 12));
  // Replacing the last character of one leaves the next where it was.
  range(3, 4).put(u"Text", u"-");
  EXPECT_EQ(bookmark(u"s01"), std::make_pair(0, 4));
  EXPECT_EQ(bookmark(u"s02"), std::make_pair(4, 12));
  EXPECT_EQ(text(), u"NOM-\v\vPRENOM\r");
}

TEST_F(DocumentText, InsertBeforeExtendsTheBookmarkOfTheRangeAndInsertAfterDoesNot) {
  setText(u"0123456789");
  Auto bookmarks = doc.get(u"Bookmarks");
  bookmarks.call(u"Add", u"b", range(3, 6));
  bookmarks.call(u"Add", u"empty", range(8, 8));
  auto marked = [&](const char16_t* name) {
    return bookmarks.get(u"Item", name).get(u"Range").get(u"Text").toString();
  };
  // The text goes right after the bookmark, which keeps its extent; the range grows.
  Auto own = bookmarks.get(u"Item", u"b").get(u"Range");
  own.call(u"InsertAfter", u"!");
  EXPECT_EQ(marked(u"b"), u"345");
  EXPECT_EQ(own.get(u"Text").toString(), u"345!");
  bookmarks.get(u"Item", u"b").get(u"Range").call(u"InsertBefore", u"<");
  EXPECT_EQ(marked(u"b"), u"<345");
  bookmarks.get(u"Item", u"b").get(u"Range").call(u"InsertParagraphAfter");
  EXPECT_EQ(marked(u"b"), u"<345");
  // An empty bookmark the same (a collapsed range at its place is its range).
  bookmarks.get(u"Item", u"empty").get(u"Range").call(u"InsertAfter", u"e");
  EXPECT_EQ(marked(u"empty"), u"");
  bookmarks.get(u"Item", u"empty").get(u"Range").call(u"InsertBefore", u"f");
  EXPECT_EQ(marked(u"empty"), u"f");
  EXPECT_EQ(text(), u"012<345\r!67fe89\r");
}

TEST_F(DocumentText, AnEmptyBookmarkStaysInFrontOfTextInsertedAtItsPlace) {
  setText(u"abcdef");
  doc.get(u"Bookmarks").call(u"Add", u"here", range(3, 3));
  range(2, 3).call(u"InsertAfter", u"X");   // through a range that ends there
  document->typeText(3, u"Y");              // typed there
  range(3, 5).call(u"InsertBefore", u"Z");  // through a range that starts there
  EXPECT_EQ(text(), u"abcZYXdef\r");
  EXPECT_EQ(bookmark(u"here"), std::make_pair(3, 3));
  EXPECT_TRUE(doc.get(u"Bookmarks").get(u"Item", u"here").get(u"Empty").toBool());
  range(0, 1).call(u"Delete");  // before it: it moves
  EXPECT_EQ(bookmark(u"here"), std::make_pair(2, 2));
}

TEST_F(DocumentText, DeletingAWholeBookmarkDeletesItAndDeletingPartKeepsTheRest) {
  setText(u"0123456789");
  Auto bookmarks = doc.get(u"Bookmarks");
  auto exists = [&](const char16_t* name) { return bookmarks.call(u"Exists", name).toBool(); };

  bookmarks.call(u"Add", u"part", range(3, 7));  // "3456"
  range(3, 4).call(u"Delete");                   // its first character
  range(5, 7).call(u"Delete");                   // its last and the one after it
  EXPECT_EQ(bookmark(u"part"), std::make_pair(3, 5));
  EXPECT_EQ(bookmarks.get(u"Item", u"part").get(u"Range").get(u"Text").toString(), u"45");
  range(4, 4).call(u"Delete", 1, -1);  // a backspace inside
  EXPECT_EQ(bookmark(u"part"), std::make_pair(3, 4));

  // Range.Delete over exactly its text, or over more: gone, and its objects with it.
  Auto part = bookmarks.get(u"Item", u"part");
  bookmarks.get(u"Item", u"part").get(u"Range").call(u"Delete");
  EXPECT_FALSE(exists(u"part"));
  EXPECT_EQ(errorOf([&] { part.get(u"Start"); }), 5825);
  setText(u"0123456789");
  bookmarks.call(u"Add", u"inner", range(2, 4));
  bookmarks.call(u"Add", u"point", range(5, 5));
  bookmarks.call(u"Add", u"edge", range(1, 1));
  range(1, 6).call(u"Delete");
  EXPECT_FALSE(exists(u"inner"));
  EXPECT_FALSE(exists(u"point"));                      // an empty one inside the deleted text
  EXPECT_EQ(bookmark(u"edge"), std::make_pair(1, 1));  // at its edge: kept
  EXPECT_EQ(bookmarks.get(u"Count").toLong(), 1);

  // Its text replaced: Bookmarks("x").Range.Text, or the text of a range that covers it.
  setText(u"0123456789");
  bookmarks.call(u"Add", u"x", range(2, 5));
  bookmarks.get(u"Item", u"x").get(u"Range").put(u"Text", u"new");
  EXPECT_FALSE(exists(u"x"));
  EXPECT_EQ(text(), u"01new56789\r");
  bookmarks.call(u"Add", u"y", range(2, 5));
  range(2, 5).call(u"InsertBreak", 7);
  EXPECT_FALSE(exists(u"y"));
  // Part of its text replaced: the new text is in it.
  bookmarks.call(u"Add", u"z", range(3, 8));  // "56789"
  range(4, 6).put(u"Text", u"abc");
  EXPECT_EQ(bookmarks.get(u"Item", u"z").get(u"Range").get(u"Text").toString(), u"5abc89");
  range(3, 4).put(u"Text", u"<");  // its first character
  range(8, 9).put(u"Text", u">");  // its last character
  EXPECT_EQ(bookmarks.get(u"Item", u"z").get(u"Range").get(u"Text").toString(), u"<abc8>");
}

TEST_F(DocumentText, RangesFollowEditsMadeElsewhere) {
  setText(u"hello world");
  Auto world = range(6, 11);
  range(0, 0).call(u"InsertBefore", u">> ");
  EXPECT_EQ(world.get(u"Text").toString(), u"world");
  EXPECT_EQ(world.get(u"Start").toLong(), 9);
}

TEST_F(DocumentText, DeletingAParagraphMarkJoinsTheTextToTheNextParagraph) {
  setText(u"first\rsecond");
  doc.get(u"Paragraphs").get(u"Item", 2).put(u"LeftIndent", 36.0f);
  range(5, 6).call(u"Delete");
  EXPECT_EQ(text(), u"firstsecond\r");
  // The paragraph's formatting belongs to the mark that stays.
  EXPECT_FLOAT_EQ(doc.get(u"Paragraphs").get(u"Item", 1).get(u"LeftIndent").toSingle(), 36.0f);
}

TEST_F(DocumentText, BookmarkNamesAndMissingMembersFailAsWordFails) {
  setText(u"text");
  Auto bookmarks = doc.get(u"Bookmarks");
  EXPECT_EQ(errorOf([&] { bookmarks.call(u"Add", u"1st", range(0, 1)); }), 5828);
  EXPECT_EQ(errorOf([&] { bookmarks.call(u"Add", u"with space", range(0, 1)); }), 5828);
  try {
    bookmarks.get(u"Item", u"s01");
    FAIL() << "a missing bookmark was found";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.number(), 5941);
    EXPECT_EQ(e.source(), u"Microsoft Word");
    EXPECT_EQ(e.description(), u"The requested member of the collection does not exist.");
  }
  bookmarks.call(u"Add", u"S01", range(0, 2));
  EXPECT_TRUE(bookmarks.call(u"Exists", u"s01").toBool());  // names ignore letter case
  EXPECT_EQ(errorOf([&] { doc.get(u"Range", 0, 99); }), 4608);
}

TEST_F(DocumentText, AFormProtectedDocumentRefusesEditsButLetsBoxesBeTicked) {
  setText(u"a b c");
  Auto fields = doc.get(u"FormFields");
  fields.call(u"Add", range(0, 0), 71);  // wdFieldFormCheckBox
  fields.call(u"Add", range(3, 3), 70);  // wdFieldFormTextInput
  ASSERT_EQ(fields.get(u"Count").toLong(), 2);
  EXPECT_EQ(fields.get(u"Item", 1).get(u"Name").toString(), u"Check1");
  EXPECT_EQ(doc.get(u"ProtectionType").toLong(), -1);

  doc.call(u"Protect", 2);  // wdAllowOnlyFormFields
  EXPECT_EQ(doc.get(u"ProtectionType").toLong(), 2);
  EXPECT_EQ(errorOf([&] { range(0, 2).put(u"Text", u"x"); }), 4605);
  EXPECT_EQ(errorOf([&] { doc.get(u"Paragraphs").put(u"LeftIndent", 10.0f); }), 4605);
  EXPECT_EQ(errorOf([&] { document->typeText(0, u"x"); }), 4605);

  Auto box = fields.get(u"Item", 1).get(u"CheckBox");
  box.put(u"Value", Variant::boolean(true));
  EXPECT_EQ(box.get(u"Value").toLong(), -1);
  // A text field's check box is no check box.
  Auto notABox = fields.get(u"Item", 2).get(u"CheckBox");
  EXPECT_FALSE(notABox.get(u"Valid").toBool());
  EXPECT_EQ(errorOf([&] { notABox.get(u"Value"); }), 4605);

  doc.call(u"Unprotect");
  EXPECT_EQ(doc.get(u"ProtectionType").toLong(), -1);
  range(0, 0).call(u"InsertBefore", u"ok");
}

TEST_F(DocumentText, AProtectionPasswordIsNeededToUnprotect) {
  doc.call(u"Protect", 2, Variant::missing(), u"secret");
  EXPECT_EQ(errorOf([&] { doc.call(u"Unprotect", u"wrong"); }), 5485);
  EXPECT_EQ(errorOf([&] { doc.call(u"Protect", 2); }), 4605);
  doc.call(u"Unprotect", u"secret");
  EXPECT_EQ(doc.get(u"ProtectionType").toLong(), -1);
}

TEST_F(DocumentText, TheEnvelopeIsASectionOfItsOwnInFrontOfTheLetter) {
  setText(u"Dear Sir,\rThe letter.");
  Auto envelope = doc.get(u"Envelope");
  EXPECT_EQ(errorOf([&] { envelope.get(u"Address"); }), 5852);
  EXPECT_EQ(errorOf([&] { envelope.get(u"ReturnAddress"); }), 5852);

  envelope.call(u"Insert", Variant::missing(),
                u"Monsieur Dorvilan\r\n6 avenue des Peupliers\r69000 Lyon", Variant::missing(),
                Variant::missing(), u"Société Plaisirs et évasions");
  EXPECT_EQ(doc.get(u"Sections").get(u"Count").toLong(), 2);
  // The addresses are ranges whose default member is their text.
  EXPECT_EQ(envelope.get(u"Address").toString(),
            u"Monsieur Dorvilan\r6 avenue des Peupliers\r69000 Lyon");
  EXPECT_EQ(envelope.get(u"ReturnAddress").toString(), u"Société Plaisirs et évasions");
  EXPECT_EQ(doc.get(u"Sections").get(u"Item", 2).get(u"Range").get(u"Text").toString(),
            u"Dear Sir,\rThe letter.\r");
  envelope.get(u"DefaultFaceUp");

  // Adding it again changes the envelope, not the number of sections.
  envelope.call(u"Insert", Variant::missing(), u"Someone else");
  EXPECT_EQ(doc.get(u"Sections").get(u"Count").toLong(), 2);
  EXPECT_EQ(envelope.get(u"Address").toString(), u"Someone else");
  EXPECT_EQ(envelope.get(u"ReturnAddress").toString(), u"");
}

TEST_F(DocumentText, AClosedDocumentsObjectsFail) {
  setText(u"text");
  doc.get(u"Bookmarks").call(u"Add", u"b", range(0, 2));
  Auto r = range(0, 2);
  Auto styles = doc.get(u"Styles");
  doc.call(u"Close", 0);
  EXPECT_EQ(host.closedNames, std::vector<std::u16string>{u"Document1"});
  EXPECT_EQ(errorOf([&] { r.get(u"Text"); }), 5825);
  EXPECT_EQ(errorOf([&] { styles.get(u"Count"); }), 5825);
  EXPECT_EQ(errorOf([&] { doc.get(u"Bookmarks"); }), 5825);
  // Once Word is gone, every call fails with 462 first.
  session->end();
  EXPECT_EQ(errorOf([&] { r.get(u"Text"); }), 462);
}

}  // namespace
}  // namespace r58046::simword
