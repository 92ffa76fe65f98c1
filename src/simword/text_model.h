// The content of a document: the text of its main story as Word stores it, the paragraphs
// and sections it falls into, the formatting of each paragraph and character, the styles,
// the bookmarks, the form fields and the envelope.
//
// The text holds Word's characters: 13 ends a paragraph, 11 is a manual line break, 12 a page
// break or (when it ends a paragraph) a section break, 14 a column break, 9 a tab, and each
// form field stands as one character 21 (the field's end mark). The story always ends with a
// paragraph mark, which cannot be deleted.
//
// Positions that must follow edits (ranges, bookmarks, form fields, the envelope's
// addresses) are Spans the content keeps track of. Text inserted before a span moves it, text
// inserted inside it is added to it, and text that replaces text inside it stays inside it.
// At its edges, and when its text is deleted, a bookmark follows Word's documented behaviour
// for bookmarked text; the other spans (ranges, form fields' characters, envelope addresses)
// keep text inserted at their edges out:
// - text added at the start of a bookmark is included in it (its start stays), text added
//   right after its end is not (its end stays); an empty bookmark stays where it is, in
//   front of text inserted at its position. So a line break typed where one bookmark ends
//   and the next begins goes to the start of the second;
// - text inserted exactly where any other span starts goes before it (the span moves), text
//   inserted where it ends stays outside it, and a collapsed span moves behind the new text;
// - the range through which text is inserted grows over the new text (Range.InsertAfter and
//   InsertBefore expand the range to include the new text). With InsertBefore, and with the
//   other edits through a range, so does every bookmark, empty or not, that covers exactly
//   that range ("if the range is a bookmark, the bookmark is also expanded"); with
//   InsertAfter a bookmark keeps its extent, as Word documents ("if the range is a bookmark,
//   Word inserts the specified text but does not extend ... the bookmark"), so
//   Bookmarks("x").Range.InsertAfter puts the text right after the bookmark;
// - "if you delete an entire bookmarked item, the bookmark is deleted": a bookmark whose
//   whole text is deleted or replaced (Range.Delete over it; Range.Text set on a range that
//   covers it, such as Bookmarks("x").Range.Text = "new") is deleted, and so is an empty
//   bookmark inside the deleted text; deleting part of a bookmark keeps the rest
//   bookmarked. Any other span whose text is deleted collapses to the place of the deletion.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "simword/formatting.h"
#include "simword/styles.h"

namespace r58046::simword {

inline constexpr char16_t kParagraphMark = 13;
inline constexpr char16_t kLineBreak = 11;
inline constexpr char16_t kPageBreak = 12;
inline constexpr char16_t kColumnBreak = 14;
inline constexpr char16_t kTab = 9;
inline constexpr char16_t kFieldMark = 21;

// WdBreakType.
inline constexpr int32_t kSectionBreakNextPage = 2;
inline constexpr int32_t kSectionBreakContinuous = 3;
inline constexpr int32_t kSectionBreakEvenPage = 4;
inline constexpr int32_t kSectionBreakOddPage = 5;
inline constexpr int32_t kLineBreakType = 6;
inline constexpr int32_t kPageBreakType = 7;
inline constexpr int32_t kColumnBreakType = 8;
inline constexpr int32_t kLineBreakClearLeft = 9;
inline constexpr int32_t kLineBreakClearRight = 10;
inline constexpr int32_t kTextWrappingBreak = 11;

// WdFieldType of form fields.
inline constexpr int32_t kFieldFormTextInput = 70;
inline constexpr int32_t kFieldFormCheckBox = 71;
inline constexpr int32_t kFieldFormDropDown = 83;

struct Span {
  int32_t start = 0;
  int32_t end = 0;
  bool bookmark = false;  // follows the bookmarks' rule (header comment)
};
using SpanPtr = std::shared_ptr<Span>;

// A paragraph is its text up to and including its mark; its formatting belongs to the mark
// (deleting a mark joins the text before it to the next paragraph, which keeps its own).
struct Paragraph {
  int32_t end = 0;  // the position after its mark
  StyleId style = 0;
  ParaFormat direct;
  int32_t sectionBreak = 0;  // 0: ends with a paragraph mark; else the section break's type
};

// The formatting of a paragraph created by inserted text: one per paragraph end inserted.
struct ParagraphSpec {
  StyleId style = 0;
  ParaFormat direct;
  int32_t sectionBreak = 0;  // a character 12 at `offset` that ends a section
  int32_t offset = -1;       // where its end stands in the inserted text
};

struct BookmarkData {
  std::u16string name;
  SpanPtr span;
};

struct FormFieldData {
  int32_t type = kFieldFormCheckBox;
  std::u16string name;
  bool checked = false;
  SpanPtr span;  // its one character
};

struct EnvelopeData {
  bool present = false;
  bool defaultFaceUp = true;
  SpanPtr address;        // the delivery address, without its last paragraph end
  SpanPtr returnAddress;  // the return address, without its last paragraph end
};

class ContentBuilder;

class Content {
 public:
  // A new blank document: one empty paragraph in Normal.
  Content();
  Content(const Content&) = delete;
  Content& operator=(const Content&) = delete;
  ~Content() = default;

  const std::u16string& text() const { return text_; }
  int32_t end() const { return static_cast<int32_t>(text_.size()); }
  std::u16string_view slice(int32_t start, int32_t end) const;
  // Changes every time the content changes.
  uint64_t version() const { return version_; }

  // --- paragraphs
  size_t paragraphCount() const { return paras_.size(); }
  const Paragraph& paragraph(size_t i) const { return paras_[i]; }
  Paragraph& paragraph(size_t i) { return paras_[i]; }
  int32_t paragraphStart(size_t i) const { return i == 0 ? 0 : paras_[i - 1].end; }
  // The paragraph holding position pos (the last one for the end of the story).
  size_t paragraphAt(int32_t pos) const;
  // The paragraphs a range [start, end) touches, first and last (a collapsed range: the
  // paragraph it stands in).
  std::pair<size_t, size_t> paragraphsIn(int32_t start, int32_t end) const;
  ResolvedPara paraFormat(size_t i) const;
  // Formatting set on a paragraph directly (a change recorded against its style).
  void setParagraphFormat(size_t i, const ResolvedPara& wanted);
  // The paragraph takes the style and loses its direct paragraph formatting.
  void applyParagraphStyle(size_t i, StyleId style);

  // --- sections: a section break ends a paragraph and a section
  size_t sectionCount() const;
  // The paragraphs of section s (0-based), first and last.
  std::pair<size_t, size_t> sectionParagraphs(size_t s) const;

  // --- characters
  const CharFormat& directChar(int32_t pos) const { return formats_[fmt_[pos]]; }
  ResolvedChar charFormat(int32_t pos) const;
  // Sets formatting on the characters of [start, end) directly.
  void formatChars(int32_t start, int32_t end, const CharFormat& change);

  // --- edits (positions are clamped to the story; see the header comment for the spans)
  // Replaces [start, end) by text. `paragraphs` gives the formatting of the paragraphs that
  // the inserted paragraph ends make (by default: that of the paragraph they are inserted
  // in); `chars` the character formatting of each inserted character (by default: that of
  // the text it follows). `growing` spans cover the new text afterwards.
  void replace(int32_t start, int32_t end, std::u16string_view text,
               const std::vector<SpanPtr>& growing = {},
               const std::vector<ParagraphSpec>* paragraphs = nullptr,
               const std::vector<CharFormat>* chars = nullptr);
  // Inserts all of another document's content (its text, paragraph and character
  // formatting, styles it uses, bookmarks whose names are free here, form fields) in place
  // of [start, end), or only the part of it under one of its bookmarks.
  void insertContent(int32_t start, int32_t end, const Content& from,
                     std::optional<std::pair<int32_t, int32_t>> part,
                     const std::vector<SpanPtr>& growing);

  // --- spans
  // A span that follows the edits while the caller holds it.
  SpanPtr track(int32_t start, int32_t end);
  void track(const SpanPtr& span);

  // --- bookmarks (names compared without regard to case)
  const std::vector<BookmarkData>& bookmarks() const { return bookmarks_; }
  const BookmarkData* bookmark(std::u16string_view name) const;
  // Adds or moves a bookmark.
  const BookmarkData& setBookmark(std::u16string_view name, int32_t start, int32_t end);
  void removeBookmark(std::u16string_view name);
  // Bookmarks whose span is exactly [start, end).
  std::vector<SpanPtr> bookmarksCovering(int32_t start, int32_t end) const;

  // --- form fields, in the order of the text
  std::vector<std::shared_ptr<FormFieldData>> formFields() const;
  // A field character in place of [start, end); its name "Check1", "Text1"...
  std::shared_ptr<FormFieldData> addFormField(int32_t start, int32_t end, int32_t type,
                                              const std::vector<SpanPtr>& growing = {});

  EnvelopeData& envelope() { return envelope_; }
  const EnvelopeData& envelope() const { return envelope_; }

  StyleSheet& styles() { return styles_; }
  const StyleSheet& styles() const { return styles_; }
  // Paragraphs in a style that is gone take Normal; text in a character style that is gone
  // keeps none.
  void styleRemoved(StyleId id);

 private:
  friend class ContentBuilder;
  uint32_t intern(const CharFormat& format);
  SpanPtr trackBookmark(int32_t start, int32_t end);
  // Drops the bookmarks that deleting [a, b) deletes.
  void dropDeletedBookmarks(int32_t a, int32_t b);
  void adjustSpans(int32_t a, int32_t b, int32_t n, const std::vector<SpanPtr>& growing);
  void dropEmptyFields();

  std::u16string text_;
  std::vector<uint32_t> fmt_;        // per character, into formats_
  std::vector<CharFormat> formats_;  // formats_[0] is "nothing set"
  std::vector<Paragraph> paras_;
  StyleSheet styles_;
  std::vector<BookmarkData> bookmarks_;
  std::vector<std::shared_ptr<FormFieldData>> fields_;
  EnvelopeData envelope_;
  std::vector<std::weak_ptr<Span>> tracked_;
  size_t pruneAt_ = 64;
  uint64_t version_ = 0;
  mutable uint64_t sectionsVersion_ = ~uint64_t{0};
  mutable std::vector<size_t> sectionEnds_;  // index of the last paragraph of each section
};

// Builds a content from its start to its end in one pass, as a file is read.
class ContentBuilder {
 public:
  // Empties the content (styles stay).
  explicit ContentBuilder(Content& content);
  int32_t position() const { return static_cast<int32_t>(c_.text_.size()); }
  void appendText(std::u16string_view text, const CharFormat& format);
  void appendField(int32_t type, std::u16string name, bool checked, const CharFormat& format);
  // Ends the paragraph with a mark, or with a section break of that type.
  void endParagraph(StyleId style, ParaFormat direct, int32_t sectionBreak,
                    const CharFormat& format);
  // Text after the last paragraph end becomes a last paragraph in Normal; an empty content
  // gets one empty paragraph. False when the last paragraph ends with a section break.
  bool finish();

 private:
  Content& c_;
};

// Word's bookmark names: a letter first, then letters, digits and underscores, at most 40
// characters (hidden bookmarks, Word's own, start with an underscore).
bool validBookmarkName(std::u16string_view name);

}  // namespace r58046::simword
