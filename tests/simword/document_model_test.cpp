// The content model under the document objects: how edits move spans and split or join
// paragraphs, how formatting layers resolve, and that whatever edits make, the file format
// writes and reads back unchanged.
#include <gtest/gtest.h>

#include <random>

#include "simword/file_format_reader.h"
#include "simword/file_format_writer.h"
#include "simword/text_model.h"

namespace r58046::simword {
namespace {

void fill(Content& c, std::u16string_view text) {
  c.replace(0, 0, text);
}

// Edits of "0123456789" and where a span [3, 6) goes.
struct SpanCase {
  const char* what;
  int32_t start;
  int32_t end;
  const char16_t* text;
  int32_t wantStart;
  int32_t wantEnd;
};

class SpanRules : public ::testing::TestWithParam<SpanCase> {};

TEST_P(SpanRules, FollowWordsRule) {
  const SpanCase& k = GetParam();
  Content c;
  fill(c, u"0123456789");
  SpanPtr span = c.track(3, 6);
  c.replace(k.start, k.end, k.text);
  EXPECT_EQ(span->start, k.wantStart) << k.what;
  EXPECT_EQ(span->end, k.wantEnd) << k.what;
}

INSTANTIATE_TEST_SUITE_P(Edits, SpanRules,
                         ::testing::Values(SpanCase{"insert before", 1, 1, u"ab", 5, 8},
                                           SpanCase{"insert at start", 3, 3, u"ab", 5, 8},
                                           SpanCase{"insert inside", 4, 4, u"ab", 3, 8},
                                           SpanCase{"insert at end", 6, 6, u"ab", 3, 6},
                                           SpanCase{"insert after", 8, 8, u"ab", 3, 6},
                                           SpanCase{"delete before", 0, 2, u"", 1, 4},
                                           SpanCase{"delete over start", 2, 4, u"", 2, 4},
                                           SpanCase{"delete over end", 5, 8, u"", 3, 5},
                                           SpanCase{"delete all of it", 3, 6, u"", 3, 3},
                                           SpanCase{"delete around it", 1, 8, u"", 1, 1},
                                           SpanCase{"replace its text", 3, 6, u"abcd", 3, 7},
                                           SpanCase{"replace inside", 4, 5, u"abc", 3, 8},
                                           SpanCase{"replace over start", 2, 4, u"x", 3, 5},
                                           SpanCase{"replace over end", 5, 7, u"xyz", 3, 5}));

TEST(ContentModel, ACollapsedSpanMovesWithTextInsertedAtIt) {
  Content c;
  fill(c, u"abc");
  SpanPtr point = c.track(1, 1);
  c.replace(1, 1, u"xy");
  EXPECT_EQ(point->start, 3);
  EXPECT_EQ(point->end, 3);
  // Unless it is the range the text goes through: then it covers the new text.
  SpanPtr through = c.track(1, 1);
  c.replace(1, 1, u"zz", {through});
  EXPECT_EQ(through->start, 1);
  EXPECT_EQ(through->end, 3);
}

TEST(ContentModel, ParagraphEndsSplitAndJoinParagraphs) {
  Content c;
  fill(c, u"one two");
  c.paragraph(0).direct.leftIndent = 100;
  c.replace(3, 4, u"\r");  // the space becomes a paragraph end
  ASSERT_EQ(c.paragraphCount(), 2u);
  EXPECT_EQ(c.slice(0, c.paragraph(0).end), u"one\r");
  // Both halves keep the formatting of the paragraph they came from.
  EXPECT_EQ(c.paraFormat(0).leftIndent, 100);
  EXPECT_EQ(c.paraFormat(1).leftIndent, 100);
  c.paragraph(0).direct.leftIndent = 7;
  c.replace(3, 4, u"");  // join: the second paragraph's mark stays, with its formatting
  ASSERT_EQ(c.paragraphCount(), 1u);
  EXPECT_EQ(c.text(), u"onetwo\r");
  EXPECT_EQ(c.paraFormat(0).leftIndent, 100);
}

TEST(ContentModel, ASectionBreakEndsAParagraphAndASection) {
  Content c;
  fill(c, u"letter");
  std::vector<ParagraphSpec> layout{
      ParagraphSpec{c.styles().normal(), {}, kSectionBreakNextPage, 0}};
  c.replace(3, 3, u"\f", {}, &layout);
  EXPECT_EQ(c.text(), u"let\fter\r");
  EXPECT_EQ(c.paragraphCount(), 2u);
  EXPECT_EQ(c.sectionCount(), 2u);
  // A 12 inserted as text is a page break: no new paragraph or section.
  c.replace(5, 5, u"\f");
  EXPECT_EQ(c.paragraphCount(), 2u);
  EXPECT_EQ(c.sectionCount(), 2u);
  // Deleting the section break joins the sections.
  c.replace(3, 4, u"");
  EXPECT_EQ(c.sectionCount(), 1u);
}

TEST(ContentModel, DirectFormattingIsRecordedAgainstTheStyle) {
  Content c;
  fill(c, u"text");
  StyleDef& s = c.styles().add(u"Tabbed", kStyleTypeParagraph);
  s.para.tabs.set = {TabStop{1134, kAlignTabLeft, kTabLeaderSpaces},
                     TabStop{6237, kAlignTabRight, kTabLeaderDots}};
  c.applyParagraphStyle(0, s.id);
  EXPECT_EQ(c.paraFormat(0).tabs.size(), 2u);

  ResolvedPara wanted = c.paraFormat(0);
  wanted.tabs.erase(wanted.tabs.begin());  // clear the style's 2 cm tab on this paragraph
  c.setParagraphFormat(0, wanted);
  EXPECT_EQ(c.paragraph(0).direct.tabs.cleared, std::vector<int32_t>{1134});
  EXPECT_TRUE(c.paragraph(0).direct.tabs.set.empty());
  EXPECT_FALSE(c.paragraph(0).direct.leftIndent.has_value());
  // A tab the style adds later shows in the paragraph too; the cleared one stays cleared.
  s.para.tabs.set.push_back(TabStop{2000, kAlignTabCenter, kTabLeaderSpaces});
  std::vector<TabStop> tabs = c.paraFormat(0).tabs;
  ASSERT_EQ(tabs.size(), 2u);
  EXPECT_EQ(tabs[0].position, 2000);
  EXPECT_EQ(tabs[1].position, 6237);
}

TEST(ContentModel, FormFieldsGoWithTheirCharacter) {
  Content c;
  fill(c, u"ab");
  c.addFormField(1, 1, kFieldFormCheckBox);
  c.addFormField(0, 0, kFieldFormTextInput);
  auto fields = c.formFields();
  ASSERT_EQ(fields.size(), 2u);
  EXPECT_EQ(fields[0]->name, u"Text1");  // in the order of the text
  EXPECT_EQ(fields[1]->name, u"Check1");
  EXPECT_EQ(c.text(),
            u"\x15"
            u"a\x15"
            u"b\r");
  c.replace(2, 3, u"");
  ASSERT_EQ(c.formFields().size(), 1u);
  EXPECT_EQ(c.formFields()[0]->name, u"Text1");
}

TEST(StyleSheet, DescriptionsUseTheMeasurementUnitAndDescribeCharacterStyles) {
  StyleSheet sheet;
  StyleDef& s = sheet.add(u"indented", kStyleTypeParagraph);
  s.para.leftIndent = 1080;  // 0.75 in
  EXPECT_EQ(sheet.description(s.id, 0), u"Normal + Indent: Left: 0.75\"");
  EXPECT_EQ(sheet.description(s.id, 1), u"Normal + Indent: Left: 1.9 cm");
  EXPECT_EQ(sheet.description(s.id, 3), u"Normal + Indent: Left: 54 pt");
  StyleDef& strong = sheet.add(u"Strong", kStyleTypeCharacter);
  strong.chars.bold = true;
  EXPECT_EQ(sheet.description(strong.id, 1), u"Default Paragraph Font + Bold");
  EXPECT_EQ(sheet.description(sheet.normal(), 1), u"Font: Times New Roman, 12 pt, Left");
}

TEST(StyleSheet, ImportingAStyleBringsItsBaseAndNextStyles) {
  StyleSheet from;
  StyleDef& base = from.add(u"Base", kStyleTypeParagraph);
  base.chars.fontName = u"Arial";
  StyleDef& child = from.add(u"Child", kStyleTypeParagraph);
  child.base = base.id;
  child.next = base.id;
  StyleSheet to;
  StyleId imported = to.import(from, child.id);
  const StyleDef* copy = to.byId(imported);
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(to.find(u"base"), nullptr);
  EXPECT_EQ(copy->base, to.find(u"Base")->id);
  EXPECT_EQ(copy->next, to.find(u"Base")->id);
  EXPECT_EQ(to.resolveChar(imported).fontName, u"Arial");
  // A style already there stays as it is.
  to.find(u"Base")->chars.fontName = u"Courier";
  to.import(from, base.id);
  EXPECT_EQ(to.resolveChar(imported).fontName, u"Courier");
  // Updating from the template makes the definitions the template's.
  to.copyDefinitionsFrom(from);
  EXPECT_EQ(to.resolveChar(imported).fontName, u"Arial");
}

// Random edits of every kind; after each batch the document must read back from its file as
// it is, and write again to the same bytes.
class FileFormat : public ::testing::TestWithParam<unsigned> {};

TEST_P(FileFormat, WhateverEditsMakeReadsBackUnchanged) {
  std::mt19937 random(GetParam());
  auto pick = [&](int n) { return static_cast<int32_t>(random() % static_cast<unsigned>(n)); };
  const std::u16string pieces[] = {u"a",    u"Société ",   u"\t",    u"\r",   u"\v",
                                   u"\f",   u"{",          u"}",     u"\xa0", u"\x14",
                                   u"\x01", u"\U0001F600", u"\"q\"", u"#x"};
  Content c;
  StyleDef& style = c.styles().add(u"Texte \"courrier\"", kStyleTypeParagraph);
  style.para.tabs.set = {TabStop{1134, kAlignTabRight, kTabLeaderDots}};
  StyleId styles[] = {c.styles().normal(), style.id, c.styles().find(u"Heading 2")->id};
  StyleId mark = c.styles().add(u"Marque \"m\"", kStyleTypeCharacter).id;
  for (int batch = 0; batch < 30; ++batch) {
    for (int step = 0; step < 20; ++step) {
      int32_t a = pick(c.end());
      int32_t b = std::min(c.end(), a + pick(4));
      switch (pick(8)) {
        case 0:
        case 1:
          c.replace(a, a, pieces[pick(std::size(pieces))]);
          break;
        case 2:
          c.replace(a, b, u"");
          break;
        case 3:
          c.setBookmark(u"b" + std::u16string(1, static_cast<char16_t>(u'a' + pick(5))), a, b);
          break;
        case 4: {
          CharFormat f;
          f.spacing = pick(3) * 20 - 20;
          if (pick(2) == 0) {
            f.fontName = u"Arial";
          }
          if (pick(3) == 0) {
            f.charStyle = pick(2) == 0 ? mark : 0;
          }
          c.formatChars(a, b, f);
          break;
        }
        case 5: {
          size_t p = c.paragraphAt(a);
          ResolvedPara r = c.paraFormat(p);
          r.leftIndent = pick(5) * 567;
          r.firstLineIndent = -pick(2) * 567;
          r.tabs.push_back(TabStop{pick(20) * 100 + 1, pick(5), pick(6)});
          std::sort(r.tabs.begin(), r.tabs.end(),
                    [](const TabStop& x, const TabStop& y) { return x.position < y.position; });
          r.tabs.erase(std::unique(r.tabs.begin(), r.tabs.end(),
                                   [](const TabStop& x, const TabStop& y) {
                                     return x.position == y.position;
                                   }),
                       r.tabs.end());
          c.setParagraphFormat(p, r);
          break;
        }
        case 6:
          c.applyParagraphStyle(c.paragraphAt(a), styles[pick(3)]);
          break;
        case 7:
          if (pick(2) == 0) {
            c.addFormField(a, a, pick(2) == 0 ? kFieldFormCheckBox : kFieldFormTextInput);
          } else {
            std::vector<ParagraphSpec> layout{
                ParagraphSpec{styles[pick(3)], {}, kSectionBreakContinuous, 0}};
            c.replace(a, a, u"\f", {}, &layout);
          }
          break;
      }
    }
    DocumentProperties props;
    props.protection = batch % 3 == 0 ? kAllowOnlyFormFields : kNoProtection;
    std::string written = writeDocument(props, c);
    ParsedDocument back;
    ASSERT_NO_THROW(back = parseDocument(written)) << written;
    const Content& r = *back.content;
    ASSERT_EQ(r.text(), c.text()) << written;
    ASSERT_EQ(r.paragraphCount(), c.paragraphCount());
    EXPECT_EQ(r.sectionCount(), c.sectionCount());
    for (size_t i = 0; i < c.paragraphCount(); ++i) {
      ASSERT_EQ(r.paraFormat(i), c.paraFormat(i)) << "paragraph " << i << "\n" << written;
      ASSERT_EQ(r.styles().byId(r.paragraph(i).style)->name,
                c.styles().byId(c.paragraph(i).style)->name);
    }
    for (int32_t pos = 0; pos < c.end(); ++pos) {
      ASSERT_EQ(r.charFormat(pos), c.charFormat(pos)) << "character " << pos << "\n" << written;
      ASSERT_EQ(r.directChar(pos).charStyle.has_value(), c.directChar(pos).charStyle.has_value());
    }
    ASSERT_EQ(r.bookmarks().size(), c.bookmarks().size());
    for (const auto& b : c.bookmarks()) {
      const BookmarkData* rb = r.bookmark(b.name);
      ASSERT_NE(rb, nullptr);
      EXPECT_EQ(rb->span->start, b.span->start) << written;
      EXPECT_EQ(rb->span->end, b.span->end) << written;
    }
    auto fields = c.formFields();
    auto rfields = r.formFields();
    ASSERT_EQ(rfields.size(), fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
      EXPECT_EQ(rfields[i]->name, fields[i]->name);
      EXPECT_EQ(rfields[i]->span->start, fields[i]->span->start);
    }
    EXPECT_EQ(back.properties.protection, props.protection);
    ASSERT_EQ(writeDocument(back.properties, r), written);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FileFormat, ::testing::Range(58046u, 58046u + 8u));

}  // namespace
}  // namespace r58046::simword
