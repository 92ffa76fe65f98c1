// The selection of the simulated Word: it belongs to the window of the active document.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "simword/session.h"
#include "simword/windows.h"

namespace r58046::simword {

namespace docobj {
class Range;
}

// Word's GoTo targets (WdGoToItem) in use.
inline constexpr int32_t kWdGoToBookmark = -1;

// Selection: GoTo a bookmark, Start, End, Range, Text, Collapse, TypeText, TypeParagraph,
// TypeBackspace, InsertBreak, InsertFile. Typing, a break and an inserted file replace a
// selected passage, as Word does with its default "typing replaces selection", and leave the
// insertion point after what was put in; a section break is the exception: it goes in front
// of the selection, which stays selected. TypeBackspace deletes a selected passage, or else
// the character before the insertion point.
class Selection : public SimObject<Selection> {
 public:
  Selection(std::shared_ptr<Application> application, std::shared_ptr<WindowData> window);
  static const automation::MemberTable<Selection>& members();
  const void* identity() const noexcept override { return &window_->selectionStart; }

  automation::ObjectRef goTo(std::optional<int32_t> what, const automation::Variant& which,
                             const automation::Variant& count, std::optional<std::u16string> name);
  int32_t start();
  void setStart(int32_t value);
  int32_t end();
  void setEnd(int32_t value);
  automation::ObjectRef range();
  std::u16string text();
  void typeText(const std::u16string& text);
  void typeParagraph();
  void typeBackspace();
  void collapse(std::optional<int32_t> direction);
  void insertBreak(std::optional<int32_t> type);
  void insertFile(std::u16string fileName, std::optional<std::u16string> range,
                  std::optional<automation::Variant> confirmConversions,
                  std::optional<automation::Variant> link,
                  std::optional<automation::Variant> attachment);
  automation::ObjectRef document();

 private:
  std::shared_ptr<Document> open() const;  // the window's document; Word's error once closed
  void clamp(const Document& document);
  // Edits the selected text through a Range object of the document, as Range's own member
  // does, then leaves the insertion point after the range's new end.
  void editThroughRange(const std::function<void(docobj::Range&)>& edit);
  std::shared_ptr<Application> application_;
  std::shared_ptr<WindowData> window_;
};

}  // namespace r58046::simword
