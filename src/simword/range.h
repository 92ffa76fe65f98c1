// The Range object: a stretch of a document's text, and the way to the formatting and the
// paragraphs of that text.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "automation/members.h"
#include "simword/doc_core.h"

namespace r58046::simword::docobj {

using automation::ObjectRef;
using automation::Variant;

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

// Applies a style to the paragraphs of [start, end) (a paragraph style), or its formatting
// to the characters (a character style).
void applyStyle(DocCore& core, int32_t start, int32_t end, StyleId style);

}  // namespace r58046::simword::docobj
