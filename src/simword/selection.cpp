#include "simword/selection.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

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
          .method(u"MoveLeft", {u"Unit", u"Count", u"Extend"}, &S::moveLeft)
          .method(u"MoveRight", {u"Unit", u"Count", u"Extend"}, &S::moveRight)
          .method(u"MoveUp", {u"Unit", u"Count", u"Extend"}, &S::moveUp)
          .method(u"MoveDown", {u"Unit", u"Count", u"Extend"}, &S::moveDown)
          .method(u"HomeKey", {u"Unit", u"Extend"}, &S::homeKey)
          .method(u"EndKey", {u"Unit", u"Extend"}, &S::endKey)
          .get(u"Paragraphs", &S::paragraphs)
          .get(u"ParagraphFormat", &S::paragraphFormat)
          .get(u"Font", &S::font)
          .prop(u"Style", &S::style, &S::setStyle)
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

void Selection::clamp(const Document& document) {
  int32_t last = document.contentEnd();
  if (window_->selectionStart == window_->selectionEnd) {
    window_->selectionStartActive = false;
  }
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
  window_->selectionStart = mark->first;
  window_->selectionEnd = mark->second;
  window_->selectionStartActive = false;
  return document->range(mark->first, mark->second);
}

int32_t Selection::start() {
  clamp(*open());
  return window_->selectionStart;
}

void Selection::setStart(int32_t value) {
  auto document = open();
  window_->selectionStart = value;
  window_->selectionEnd = std::max(window_->selectionEnd, value);
  clamp(*document);
}

int32_t Selection::end() {
  clamp(*open());
  return window_->selectionEnd;
}

void Selection::setEnd(int32_t value) {
  auto document = open();
  window_->selectionEnd = value;
  window_->selectionStart = std::min(window_->selectionStart, value);
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
  window_->selectionStart = window_->selectionEnd = at + static_cast<int32_t>(text.size());
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
  window_->selectionStart = window_->selectionEnd = start;
}

void Selection::collapse(std::optional<int32_t> direction) {
  clamp(*open());
  // wdCollapseStart (1) unless wdCollapseEnd (0).
  if (direction.value_or(1) == 0) {
    window_->selectionStart = window_->selectionEnd;
  } else {
    window_->selectionEnd = window_->selectionStart;
  }
}

void Selection::editThroughRange(const std::function<void(docobj::Range&)>& edit) {
  ObjectRef selected = range();
  auto& r = dynamic_cast<docobj::Range&>(*selected);
  edit(r);
  int32_t after = r.end();
  window_->selectionStart = window_->selectionEnd = after;
}

void Selection::insertBreak(std::optional<int32_t> type) {
  editThroughRange([&](docobj::Range& r) { r.insertBreak(type); });
}

void Selection::insertFile(std::u16string fileName, std::optional<std::u16string> range,
                           std::optional<Variant> confirmConversions, std::optional<Variant> link,
                           std::optional<Variant> attachment) {
  editThroughRange([&](docobj::Range& r) {
    r.insertFile(std::move(fileName), std::move(range), std::move(confirmConversions),
                 std::move(link), std::move(attachment));
  });
}

namespace {
void requireUnit(std::optional<int32_t> unit, int32_t byDefault,
                 std::initializer_list<int32_t> known) {
  if (std::find(known.begin(), known.end(), unit.value_or(byDefault)) == known.end()) {
    raiseWordError(errors::kWordCommandNotAvailable);
  }
}
}  // namespace

int32_t Selection::move(const Step& step, bool forward, int32_t count,
                        std::optional<int32_t> extend) {
  auto document = open();
  clamp(*document);
  if (count < 0) {
    return -move(step, !forward, -count, extend);
  }
  int32_t& start = window_->selectionStart;
  int32_t& end = window_->selectionEnd;
  int32_t moved = 0;
  if (extend.value_or(0) != kWdExtend) {
    int32_t at = start;
    if (start != end) {
      at = forward ? end : start;  // the arrow key first collapses the selection
      ++moved;
    }
    // The insertion point stays in front of the last paragraph mark.
    int32_t limit = document->contentEnd() - 1;
    for (std::optional<int32_t> next; moved < count && (next = step(at, limit)); ++moved) {
      at = *next;
    }
    start = end = std::min(at, limit);
    window_->selectionStartActive = false;
    return moved;
  }
  bool startActive = window_->selectionStartActive;
  int32_t anchor = startActive ? end : start;
  int32_t active = startActive ? start : end;
  for (std::optional<int32_t> next; moved < count && (next = step(active, document->contentEnd()));
       ++moved) {
    active = *next;
  }
  start = std::min(anchor, active);
  end = std::max(anchor, active);
  window_->selectionStartActive = active < anchor;
  return moved;
}

Selection::Step Selection::characterStep(bool forward) {
  return [forward](int32_t at, int32_t limit) -> std::optional<int32_t> {
    if (forward ? at >= limit : at <= 0) {
      return std::nullopt;
    }
    return forward ? at + 1 : at - 1;
  };
}

Selection::Step Selection::paragraphStep(bool forward, const Document& document) {
  return [forward, &document](int32_t at, int32_t limit) -> std::optional<int32_t> {
    auto [first, after] = document.paragraphAround(at);
    if (forward) {
      // To the start of the next paragraph; in the last one, as far as the limit.
      int32_t to = std::min(after, limit);
      return to > at ? std::optional<int32_t>(to) : std::nullopt;
    }
    // To the start of this paragraph, or of the previous one from its start.
    if (at > first) {
      return first;
    }
    if (first == 0) {
      return std::nullopt;
    }
    return document.paragraphAround(first - 1).first;
  };
}

int32_t Selection::moveLeft(std::optional<int32_t> unit, std::optional<int32_t> count,
                            std::optional<int32_t> extend) {
  requireUnit(unit, kWdCharacter, {kWdCharacter});
  return move(characterStep(false), false, count.value_or(1), extend);
}

int32_t Selection::moveRight(std::optional<int32_t> unit, std::optional<int32_t> count,
                             std::optional<int32_t> extend) {
  requireUnit(unit, kWdCharacter, {kWdCharacter});
  return move(characterStep(true), true, count.value_or(1), extend);
}

int32_t Selection::moveUp(std::optional<int32_t> unit, std::optional<int32_t> count,
                          std::optional<int32_t> extend) {
  requireUnit(unit, kWdLine, {kWdParagraph});
  auto document = open();
  return move(paragraphStep(false, *document), false, count.value_or(1), extend);
}

int32_t Selection::moveDown(std::optional<int32_t> unit, std::optional<int32_t> count,
                            std::optional<int32_t> extend) {
  requireUnit(unit, kWdLine, {kWdParagraph});
  auto document = open();
  return move(paragraphStep(true, *document), true, count.value_or(1), extend);
}

int32_t Selection::homeKey(std::optional<int32_t> unit, std::optional<int32_t> extend) {
  requireUnit(unit, kWdLine, {kWdStory});
  auto document = open();
  clamp(*document);
  return jump(0, extend.value_or(0) == kWdExtend);
}

int32_t Selection::endKey(std::optional<int32_t> unit, std::optional<int32_t> extend) {
  requireUnit(unit, kWdLine, {kWdStory});
  auto document = open();
  clamp(*document);
  bool extending = extend.value_or(0) == kWdExtend;
  return jump(extending ? document->contentEnd() : document->contentEnd() - 1, extending);
}

int32_t Selection::jump(int32_t to, bool extending) {
  int32_t& start = window_->selectionStart;
  int32_t& end = window_->selectionEnd;
  bool startActive = window_->selectionStartActive;
  int32_t active = startActive ? start : end;
  int32_t anchor = extending ? (startActive ? end : start) : to;
  start = std::min(anchor, to);
  end = std::max(anchor, to);
  window_->selectionStartActive = to < anchor;
  return std::abs(to - active);
}

std::shared_ptr<docobj::Range> Selection::selectedRange() {
  return std::dynamic_pointer_cast<docobj::Range>(range());
}

ObjectRef Selection::paragraphs() {
  return selectedRange()->paragraphs();
}

ObjectRef Selection::paragraphFormat() {
  return selectedRange()->paragraphFormat();
}

ObjectRef Selection::font() {
  return selectedRange()->font();
}

ObjectRef Selection::style() {
  return selectedRange()->style();
}

void Selection::setStyle(Variant style) {
  selectedRange()->setStyle(std::move(style));
}

ObjectRef Selection::document() {
  return open();
}

}  // namespace r58046::simword
