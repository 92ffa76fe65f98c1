#include "simword/selection.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "automation/error.h"
#include "simword/application.h"
#include "simword/range.h"

namespace r58046::simword {

using automation::ObjectRef;
using automation::Variant;
namespace errors = automation::errors;

Selection::Selection(std::shared_ptr<Application> application, std::shared_ptr<WindowData> window)
    : SimObject(application->sessionPtr()),
      application_(std::move(application)),
      window_(std::move(window)) {}

const automation::MemberTable<Selection>& Selection::members() {
  using S = Selection;
  static const auto table =
      automation::MemberTable<S>()
          .method(u"GoTo", {u"What", u"Which", u"Count", u"Name"}, &S::goTo)
          .prop(u"Start", &S::start, &S::setStart)
          .prop(u"End", &S::end, &S::setEnd)
          .get(u"Range", &S::range)
          .method(u"TypeText", {u"Text"}, &S::typeText)
          .method(u"TypeParagraph", &S::typeParagraph)
          .method(u"TypeBackspace", &S::typeBackspace)
          .method(u"Collapse", {u"Direction"}, &S::collapse)
          .method(u"InsertBreak", {u"Type"}, &S::insertBreak)
          .method(u"InsertFile",
                  {u"FileName", u"Range", u"ConfirmConversions", u"Link", u"Attachment"},
                  &S::insertFile)
          .method(u"HomeKey", {u"Unit", u"Extend"}, &S::homeKey)
          .method(u"EndKey", {u"Unit", u"Extend"}, &S::endKey)
          .method(u"MoveUp", {u"Unit", u"Count", u"Extend"}, &S::moveUp)
          .method(u"MoveDown", {u"Unit", u"Count", u"Extend"}, &S::moveDown)
          .method(u"WholeStory", &S::wholeStory)
          .prop(u"Style", &S::style, &S::setStyle)
          .get(u"Paragraphs", &S::paragraphs)
          .get(u"ParagraphFormat", &S::paragraphFormat)
          .method(u"MoveLeft", {u"Unit", u"Count", u"Extend"}, &S::moveLeft)
          .method(u"MoveRight", {u"Unit", u"Count", u"Extend"}, &S::moveRight)
          .get(u"Font", &S::font)
          .get(u"Document", &S::document)
          .get(u"Text", &S::text)
          .asDefault();
  return table;
}

std::shared_ptr<Document> Selection::open() const {
  auto document = window_->closed ? nullptr : window_->document.lock();
  if (!document) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return document;
}

void Selection::place(int32_t start, int32_t end) {
  window_->selectionStart = start;
  window_->selectionEnd = end;
  window_->selectionActiveAtStart = false;
}

void Selection::clamp(const Document& document) {
  int32_t last = document.contentEnd();
  window_->selectionStart = std::clamp(window_->selectionStart, 0, last);
  window_->selectionEnd = std::clamp(window_->selectionEnd, window_->selectionStart, last);
}

ObjectRef Selection::goTo(std::optional<int32_t> what, const Variant& /*which*/,
                          const Variant& /*count*/, std::optional<std::u16string> name) {
  auto document = open();
  if (what.value_or(kWdGoToBookmark) != kWdGoToBookmark) {
    raiseWordError(errors::kWordCommandNotAvailable);
  }
  auto mark = name ? document->bookmark(*name) : std::nullopt;
  if (!mark) {
    raiseWordError(wderrors::kNoSuchBookmark);
  }
  // Going to a bookmark selects what it marks.
  place(mark->first, mark->second);
  return document->range(mark->first, mark->second);
}

int32_t Selection::start() {
  clamp(*open());
  return window_->selectionStart;
}

void Selection::setStart(int32_t value) {
  auto document = open();
  place(value, std::max(window_->selectionEnd, value));
  clamp(*document);
}

int32_t Selection::end() {
  clamp(*open());
  return window_->selectionEnd;
}

void Selection::setEnd(int32_t value) {
  auto document = open();
  place(std::min(window_->selectionStart, value), value);
  clamp(*document);
}

ObjectRef Selection::range() {
  auto document = open();
  clamp(*document);
  return document->range(window_->selectionStart, window_->selectionEnd);
}

std::u16string Selection::text() {
  ObjectRef selected = range();
  WordSession::InternalCalls internal(*session());
  return automation::Object(selected).get(u"Text").toString();
}

void Selection::typeText(const std::u16string& text) {
  auto document = open();
  clamp(*document);
  int32_t at = window_->selectionStart;
  if (window_->selectionEnd > at) {
    document->replaceText(at, window_->selectionEnd, text);  // typing replaces the selection
  } else {
    document->typeText(at, text);
  }
  int32_t after = at + static_cast<int32_t>(text.size());
  place(after, after);
}

void Selection::typeParagraph() {
  typeText(u"\r");
}

void Selection::typeBackspace() {
  auto document = open();
  clamp(*document);
  int32_t start = window_->selectionStart;
  int32_t end = window_->selectionEnd;
  if (start == end) {
    if (start == 0) {
      return;
    }
    --start;
  }
  document->replaceText(start, end, {});
  place(start, start);
}

void Selection::collapse(std::optional<int32_t> direction) {
  clamp(*open());
  // wdCollapseStart (1) unless wdCollapseEnd (0).
  int32_t at = direction.value_or(1) == 0 ? window_->selectionEnd : window_->selectionStart;
  place(at, at);
}

void Selection::editThroughRange(const std::function<void(docobj::Range&)>& edit) {
  ObjectRef selected = range();
  auto& r = dynamic_cast<docobj::Range&>(*selected);
  edit(r);
  int32_t after = r.end();
  place(after, after);
}

void Selection::insertBreak(std::optional<int32_t> type) {
  int32_t t = type.value_or(kPageBreakType);
  if (t < kSectionBreakNextPage || t > kSectionBreakOddPage) {
    editThroughRange([&](docobj::Range& r) { r.insertBreak(type); });
    return;
  }
  // A section break goes in front of the selection, which stays what it was.
  ObjectRef selected = range();
  auto& r = dynamic_cast<docobj::Range&>(*selected);
  r.insertBreak(type);
  std::tie(window_->selectionStart, window_->selectionEnd) = r.bounds();
}

void Selection::insertFile(std::u16string fileName, std::optional<std::u16string> range,
                           std::optional<Variant> confirmConversions, std::optional<Variant> link,
                           std::optional<Variant> attachment) {
  editThroughRange([&](docobj::Range& r) {
    r.insertFile(std::move(fileName), std::move(range), std::move(confirmConversions),
                 std::move(link), std::move(attachment));
  });
}

// --- moving with the keyboard

namespace {

// Word's units (WdUnits) that the keys below move by.
constexpr int32_t kWdCharacter = 1;
constexpr int32_t kWdParagraph = 4;
constexpr int32_t kWdLine = 5;
constexpr int32_t kWdStory = 6;

}  // namespace

int32_t Selection::activeEnd() const {
  return window_->selectionActiveAtStart ? window_->selectionStart : window_->selectionEnd;
}

int32_t Selection::moveActiveEnd(const Document& document, int32_t to,
                                 std::optional<int32_t> extend) {
  int32_t from = activeEnd();
  if (extend.value_or(0) != 0) {
    int32_t anchor =
        window_->selectionActiveAtStart ? window_->selectionEnd : window_->selectionStart;
    place(std::min(anchor, to), std::max(anchor, to));
    window_->selectionActiveAtStart = to < anchor;
  } else {
    // The insertion point cannot stand after the story's last paragraph mark.
    to = std::min(to, document.contentEnd() - 1);
    place(to, to);
  }
  return to - from;
}

int32_t Selection::homeKey(std::optional<int32_t> unit, std::optional<int32_t> extend) {
  auto document = open();
  clamp(*document);
  if (unit.value_or(kWdLine) != kWdStory) {
    raiseWordError(errors::kWordCommandNotAvailable);
  }
  return -moveActiveEnd(*document, 0, extend);
}

int32_t Selection::endKey(std::optional<int32_t> unit, std::optional<int32_t> extend) {
  auto document = open();
  clamp(*document);
  if (unit.value_or(kWdLine) != kWdStory) {
    raiseWordError(errors::kWordCommandNotAvailable);
  }
  // Extending takes in the last paragraph mark; the insertion point stops in front of it.
  return moveActiveEnd(*document, document->contentEnd(), extend);
}

int32_t Selection::moveUp(std::optional<int32_t> unit, std::optional<int32_t> count,
                          std::optional<int32_t> extend) {
  auto document = open();
  clamp(*document);
  if (unit.value_or(kWdLine) != kWdParagraph) {
    raiseWordError(errors::kWordCommandNotAvailable);
  }
  // Each step goes to the start of the paragraph, or of the one before when already there.
  int32_t at = activeEnd();
  int32_t moved = 0;
  for (int32_t n = count.value_or(1); n > 0 && at > 0; --n, ++moved) {
    int32_t start = document->paragraphBounds(at).first;
    at = start < at ? start : document->paragraphBounds(at - 1).first;
  }
  moveActiveEnd(*document, at, extend);
  return moved;
}

int32_t Selection::moveDown(std::optional<int32_t> unit, std::optional<int32_t> count,
                            std::optional<int32_t> extend) {
  auto document = open();
  clamp(*document);
  if (unit.value_or(kWdLine) != kWdParagraph) {
    raiseWordError(errors::kWordCommandNotAvailable);
  }
  // Each step goes to the start of the next paragraph; from the last one, to the end of the
  // story.
  int32_t at = activeEnd();
  int32_t moved = 0;
  for (int32_t n = count.value_or(1); n > 0 && at < document->contentEnd(); --n, ++moved) {
    at = document->paragraphBounds(at).second;
  }
  moveActiveEnd(*document, at, extend);
  return moved;
}

int32_t Selection::moveLeft(std::optional<int32_t> unit, std::optional<int32_t> count,
                            std::optional<int32_t> extend) {
  return moveByCharacters(unit, -count.value_or(1), extend);
}

int32_t Selection::moveRight(std::optional<int32_t> unit, std::optional<int32_t> count,
                             std::optional<int32_t> extend) {
  return moveByCharacters(unit, count.value_or(1), extend);
}

int32_t Selection::moveByCharacters(std::optional<int32_t> unit, int32_t by,
                                    std::optional<int32_t> extend) {
  auto document = open();
  clamp(*document);
  if (unit.value_or(kWdCharacter) != kWdCharacter) {
    raiseWordError(errors::kWordCommandNotAvailable);
  }
  bool extending = extend.value_or(0) != 0;
  int32_t at = activeEnd();
  int32_t moved = 0;
  if (!extending && window_->selectionStart != window_->selectionEnd) {
    // The arrow key first brings a selection down to its edge on that side: one unit.
    at = by < 0 ? window_->selectionStart : window_->selectionEnd;
    moved = 1;
  }
  // A selection may take in the last paragraph mark, the insertion point stops in front of it.
  int32_t last = extending ? document->contentEnd() : document->contentEnd() - 1;
  int32_t rest = std::abs(by) - moved;
  int32_t to = std::clamp(by < 0 ? at - rest : at + rest, 0, std::max(at, last));
  moveActiveEnd(*document, to, extend);
  return moved + std::abs(to - at);
}

void Selection::wholeStory() {
  auto document = open();
  place(0, document->contentEnd());
}

// --- formatting what is selected, as the Style box and the Format dialogs do

ObjectRef Selection::style() {
  ObjectRef selected = range();
  return dynamic_cast<docobj::Range&>(*selected).style();
}

void Selection::setStyle(Variant style) {
  ObjectRef selected = range();
  dynamic_cast<docobj::Range&>(*selected).setStyle(std::move(style));
}

ObjectRef Selection::paragraphs() {
  ObjectRef selected = range();
  return dynamic_cast<docobj::Range&>(*selected).paragraphs();
}

ObjectRef Selection::paragraphFormat() {
  ObjectRef selected = range();
  return dynamic_cast<docobj::Range&>(*selected).paragraphFormat();
}

ObjectRef Selection::font() {
  ObjectRef selected = range();
  return dynamic_cast<docobj::Range&>(*selected).font();
}

ObjectRef Selection::document() {
  return open();
}

}  // namespace r58046::simword
