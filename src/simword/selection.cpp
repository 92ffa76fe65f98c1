#include "simword/selection.h"

#include <algorithm>
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

ObjectRef Selection::document() {
  return open();
}

}  // namespace r58046::simword
