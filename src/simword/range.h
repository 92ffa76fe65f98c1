// The automation objects over a document's text: Range, and the formatting reached from it
// or from a style (Font, ParagraphFormat, TabStops, TabStop), and the paragraphs (Paragraphs,
// Paragraph).
//
// A property of several paragraphs (or characters) that differs among them reads 9999999
// (wdUndefined; a font name reads ""); setting it sets it on every one.
//
// TabStops of several paragraphs: Word's object model lets one work with the tab stops of a
// group of paragraphs, and asks to modify each paragraph on its own when their tab stops are
// not the same. The simulated Word lists the tab stops that every paragraph of the group has
// (same position, alignment and leader); Add, ClearAll and a tab stop's Clear apply to every
// paragraph. The TabStops collection lists custom tab stops only (those set on the paragraph
// or by its style; Word's default stops every 1.25 cm are not listed), so CustomTab is True
// for each.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "automation/members.h"
#include "simword/doc_core.h"

namespace r58046::simword::docobj {

using automation::ObjectRef;
using automation::Variant;

// What a formatting object works on: text (a span; the whole story when none), or the own
// formatting of a style.
struct Target {
  std::shared_ptr<DocCore> core;
  SpanPtr span;
  StyleId style = 0;
  bool isStyle() const { return style != 0; }
};

class Range : public SimObject<Range> {
 public:
  Range(std::shared_ptr<DocCore> core, SpanPtr span);
  static const automation::MemberTable<Range>& members();

  std::pair<int32_t, int32_t> bounds() const;

  std::u16string text() const;
  void setText(std::u16string text);
  int32_t start() const;
  int32_t end() const;
  void setStart(int32_t start);
  void setEnd(int32_t end);
  void setRange(int32_t start, int32_t end);
  void collapse(std::optional<int32_t> direction);
  void insertAfter(std::u16string text);
  void insertBefore(std::u16string text);
  void insertParagraphAfter();
  void insertParagraphBefore();
  void insertBreak(std::optional<int32_t> type);
  void insertFile(std::u16string fileName, std::optional<std::u16string> range,
                  std::optional<Variant> confirmConversions, std::optional<Variant> link,
                  std::optional<Variant> attachment);
  int32_t deleteText(std::optional<int32_t> unit, std::optional<int32_t> count);
  ObjectRef paragraphs() const;
  ObjectRef font() const;
  ObjectRef paragraphFormat() const;
  ObjectRef style() const;
  void setStyle(Variant style);
  ObjectRef sections() const;
  ObjectRef document() const;
  ObjectRef duplicate() const;

 private:
  // Replaces [start, end) by text; the range grows over it, and so do the bookmarks of the
  // range's extent unless `bookmarksGrow` is false.
  void edit(int32_t start, int32_t end, std::u16string_view text, bool bookmarksGrow = true);

  std::shared_ptr<DocCore> core_;
  SpanPtr span_;
};

// A Range object over [start, end) of the story.
ObjectRef makeRange(const std::shared_ptr<DocCore>& core, int32_t start, int32_t end);

class Font : public SimObject<Font> {
 public:
  explicit Font(Target target);
  static const automation::MemberTable<Font>& members();

  std::u16string name() const;
  void setName(std::u16string name);
  float size() const;
  void setSize(float size);
  int32_t colorIndex() const;
  void setColorIndex(int32_t index);
  float spacing() const;
  void setSpacing(float spacing);
  int32_t bold() const;
  void setBold(int32_t bold);
  int32_t italic() const;
  void setItalic(int32_t italic);

 private:
  void change(const CharFormat& change);
  template <class F>
  auto uniform(F get) const -> std::optional<decltype(get(ResolvedChar{}))>;

  Target t_;
};

// The paragraph formatting of text or of a style; also the properties Paragraphs and
// Paragraph share.
class ParagraphFormat : public SimObject<ParagraphFormat> {
 public:
  explicit ParagraphFormat(Target target);
  static const automation::MemberTable<ParagraphFormat>& members();

  float leftIndent() const;
  void setLeftIndent(float v);
  float firstLineIndent() const;
  void setFirstLineIndent(float v);
  float rightIndent() const;
  void setRightIndent(float v);
  float spaceBefore() const;
  void setSpaceBefore(float v);
  float spaceAfter() const;
  void setSpaceAfter(float v);
  int32_t alignment() const;
  void setAlignment(int32_t v);
  ObjectRef tabStops() const;

 private:
  friend class Paragraphs;
  friend class Paragraph;
  template <class F>
  float length(F field) const;
  template <class F>
  void setLength(F field, float points, int32_t low, int32_t high);

  Target t_;
};

class Paragraphs : public SimObject<Paragraphs> {
 public:
  Paragraphs(std::shared_ptr<DocCore> core, SpanPtr span);
  static const automation::MemberTable<Paragraphs>& members();

  int32_t count() const;
  ObjectRef item(int32_t index) const;
  ObjectRef first() const;
  ObjectRef last() const;
  ObjectRef style() const;
  void setStyle(Variant style);
  ObjectRef format() const;

  // The formatting properties, as ParagraphFormat's.
  ParagraphFormat& fmt() { return fmt_; }

 private:
  std::shared_ptr<DocCore> core_;
  SpanPtr span_;
  ParagraphFormat fmt_;
};

class Paragraph : public SimObject<Paragraph> {
 public:
  Paragraph(std::shared_ptr<DocCore> core, SpanPtr span);
  static const automation::MemberTable<Paragraph>& members();

  ObjectRef range() const;
  ObjectRef style() const;
  void setStyle(Variant style);
  ObjectRef format() const;
  ParagraphFormat& fmt() { return fmt_; }

 private:
  std::shared_ptr<DocCore> core_;
  SpanPtr span_;
  ParagraphFormat fmt_;
};

class TabStops : public SimObject<TabStops> {
 public:
  explicit TabStops(Target target);
  static const automation::MemberTable<TabStops>& members();

  int32_t count() const;
  ObjectRef item(Variant index) const;
  ObjectRef add(float position, std::optional<int32_t> alignment, std::optional<int32_t> leader);
  void clearAll();

 private:
  Target t_;
};

class TabStop : public SimObject<TabStop> {
 public:
  TabStop(Target target, int32_t position);
  static const automation::MemberTable<TabStop>& members();

  float position() const;
  void setPosition(float points);
  int32_t alignment() const;
  void setAlignment(int32_t alignment);
  int32_t leader() const;
  void setLeader(int32_t leader);
  bool customTab() const;
  void clear();

 private:
  ::r58046::simword::TabStop current() const;

  Target t_;
  int32_t position_;
};

// The tab stops in effect for a target (for several paragraphs: those they all have).
std::vector<::r58046::simword::TabStop> tabStopsOf(const Target& target);
// Changes the tab stops in effect of every paragraph of a target, or of a style.
void changeTabStops(const Target& target,
                    const std::function<void(std::vector<::r58046::simword::TabStop>&)>& change);

// The Style object of a style of a document.
ObjectRef makeStyle(const std::shared_ptr<DocCore>& core, StyleId id);
// Applies a style to the paragraphs of [start, end) (a paragraph style), or its formatting
// to the characters (a character style).
void applyStyle(DocCore& core, int32_t start, int32_t end, StyleId style);

}  // namespace r58046::simword::docobj
