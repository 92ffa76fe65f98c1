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
//
// The keys that move it: HomeKey and EndKey by the story (Ctrl+Home, Ctrl+End), MoveUp and
// MoveDown by paragraph (Ctrl+Up, Ctrl+Down), MoveLeft and MoveRight by character (the arrow
// keys), each with Extend (Shift held), and WholeStory (Ctrl+A); the simulated Word lays out
// no lines, so units that need a layout (a line, a screen) fail with Word's "command not
// available". Extending moves the active end and keeps the other; a collapsed selection never
// stands after the story's last paragraph mark. An arrow key without Shift first collapses a
// selection to its edge on that side, which counts as one unit. Style, Paragraphs,
// ParagraphFormat and Font act on the selected text as on a range of it: the Style box and
// the Format dialogs act on every paragraph the selection touches, the Font dialog on the
// selected characters.
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
  int32_t homeKey(std::optional<int32_t> unit, std::optional<int32_t> extend);
  int32_t endKey(std::optional<int32_t> unit, std::optional<int32_t> extend);
  int32_t moveUp(std::optional<int32_t> unit, std::optional<int32_t> count,
                 std::optional<int32_t> extend);
  int32_t moveDown(std::optional<int32_t> unit, std::optional<int32_t> count,
                   std::optional<int32_t> extend);
  void wholeStory();
  automation::ObjectRef style();
  void setStyle(automation::Variant style);
  automation::ObjectRef paragraphs();
  automation::ObjectRef paragraphFormat();
  int32_t moveLeft(std::optional<int32_t> unit, std::optional<int32_t> count,
                   std::optional<int32_t> extend);
  int32_t moveRight(std::optional<int32_t> unit, std::optional<int32_t> count,
                    std::optional<int32_t> extend);
  automation::ObjectRef font();
  automation::ObjectRef document();

 private:
  void place(int32_t start, int32_t end);  // a selection extended forwards, if at all
  int32_t activeEnd() const;
  // Moves the active end to `to` when extending, else puts the insertion point there;
  // returns how far the active end moved.
  int32_t moveActiveEnd(const Document& document, int32_t to, std::optional<int32_t> extend);
  // The arrow keys: `by` characters, to the left when negative; returns how many units the
  // selection moved, collapsing a selection counting as one.
  int32_t moveByCharacters(std::optional<int32_t> unit, int32_t by, std::optional<int32_t> extend);
  std::shared_ptr<Document> open() const;  // the window's document; Word's error once closed
  void clamp(const Document& document);
  // Edits the selected text through a Range object of the document, as Range's own member
  // does, then leaves the insertion point after the range's new end.
  void editThroughRange(const std::function<void(docobj::Range&)>& edit);
  std::shared_ptr<Application> application_;
  std::shared_ptr<WindowData> window_;
};

}  // namespace r58046::simword
