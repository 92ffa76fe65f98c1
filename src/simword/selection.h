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

// Word's units (WdUnits) that the keys move by, and how a move treats the selection
// (WdMovementType).
inline constexpr int32_t kWdCharacter = 1;
inline constexpr int32_t kWdParagraph = 4;
inline constexpr int32_t kWdLine = 5;
inline constexpr int32_t kWdStory = 6;
inline constexpr int32_t kWdExtend = 1;

// Selection: GoTo a bookmark, Start, End, Range, Text, Collapse, TypeText, TypeParagraph,
// TypeBackspace, InsertBreak, InsertFile. Typing, a break and an inserted file replace a
// selected passage, as Word does with its default "typing replaces selection", and leave the
// insertion point after what was put in; TypeBackspace deletes a selected passage, or else
// the character before the insertion point.
//
// The keys that move the insertion point, with Shift (wdExtend) the active end of the
// selection: MoveLeft and MoveRight by characters (the arrow keys), MoveUp and MoveDown by
// paragraphs (Ctrl+Up, Ctrl+Down), HomeKey and EndKey of the story (Ctrl+Home, Ctrl+End).
// Units that depend on the page layout (lines, screens) are not simulated: Word's "command
// not available" (4605). Moving without Shift collapses a selection first, which counts as
// one unit, as the arrow key does; the insertion point stops before the last paragraph mark,
// a selection may take it in. The formatting dialogs act on the selected paragraphs and text:
// Paragraphs, ParagraphFormat, Font and Style are those of the selection's range. The choices
// where Word's documentation is silent: docs/simword-selection.md.
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
  int32_t moveLeft(std::optional<int32_t> unit, std::optional<int32_t> count,
                   std::optional<int32_t> extend);
  int32_t moveRight(std::optional<int32_t> unit, std::optional<int32_t> count,
                    std::optional<int32_t> extend);
  int32_t moveUp(std::optional<int32_t> unit, std::optional<int32_t> count,
                 std::optional<int32_t> extend);
  int32_t moveDown(std::optional<int32_t> unit, std::optional<int32_t> count,
                   std::optional<int32_t> extend);
  int32_t homeKey(std::optional<int32_t> unit, std::optional<int32_t> extend);
  int32_t endKey(std::optional<int32_t> unit, std::optional<int32_t> extend);
  automation::ObjectRef paragraphs();
  automation::ObjectRef paragraphFormat();
  automation::ObjectRef font();
  automation::ObjectRef style();
  void setStyle(automation::Variant style);
  automation::ObjectRef document();

 private:
  // One unit's step from a position, forwards or backwards, within [0, limit]; nothing when
  // the position cannot move.
  using Step = std::function<std::optional<int32_t>(int32_t position, int32_t limit)>;
  // Moves the insertion point, or with wdExtend the active end, `count` steps; returns the
  // number of units moved.
  int32_t move(const Step& step, bool forward, int32_t count, std::optional<int32_t> extend);
  // Moves the insertion point, or with wdExtend the active end, to a position; returns how
  // many characters the active end moved.
  int32_t jump(int32_t to, bool extending);
  static Step characterStep(bool forward);
  static Step paragraphStep(bool forward, const Document& document);
  std::shared_ptr<docobj::Range> selectedRange();  // the range object of what is selected
  std::shared_ptr<Document> open() const;  // the window's document; Word's error once closed
  void clamp(const Document& document);
  // Edits the selected text through a Range object of the document, as Range's own member
  // does, then leaves the insertion point after the range's new end.
  void editThroughRange(const std::function<void(docobj::Range&)>& edit);
  std::shared_ptr<Application> application_;
  std::shared_ptr<WindowData> window_;
};

}  // namespace r58046::simword
