#include "simword/range.h"

#include <algorithm>

#include "automation/error.h"
#include "simword/font.h"
#include "simword/objects.h"
#include "simword/paragraph_format.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::MemberTable;

Range::Range(std::shared_ptr<DocCore> core, SpanPtr span)
    : SimObject(core->session), core_(std::move(core)), span_(std::move(span)) {}

ObjectRef makeRange(const std::shared_ptr<DocCore>& core, int32_t start, int32_t end) {
  return std::make_shared<Range>(core, core->c().track(start, end));
}

const MemberTable<Range>& Range::members() {
  static const auto table =
      MemberTable<Range>()
          .prop(u"Text", &Range::text, &Range::setText)
          .asDefault()
          .prop(u"Start", &Range::start, &Range::setStart)
          .prop(u"End", &Range::end, &Range::setEnd)
          .method(u"SetRange", {u"Start", u"End"}, &Range::setRange)
          .method(u"Collapse", {u"Direction"}, &Range::collapse)
          .method(u"InsertAfter", {u"Text"}, &Range::insertAfter)
          .method(u"InsertBefore", {u"Text"}, &Range::insertBefore)
          .method(u"InsertParagraphAfter", &Range::insertParagraphAfter)
          .method(u"InsertParagraphBefore", &Range::insertParagraphBefore)
          .method(u"InsertParagraph", &Range::insertParagraphAfter)
          .method(u"InsertBreak", {u"Type"}, &Range::insertBreak)
          .method(u"InsertFile",
                  {u"FileName", u"Range", u"ConfirmConversions", u"Link", u"Attachment"},
                  &Range::insertFile)
          .method(u"Delete", {u"Unit", u"Count"}, &Range::deleteText)
          .get(u"Paragraphs", &Range::paragraphs)
          .get(u"Font", &Range::font)
          .get(u"ParagraphFormat", &Range::paragraphFormat)
          .prop(u"Style", &Range::style, &Range::setStyle)
          .get(u"Sections", &Range::sections)
          .get(u"Document", &Range::document)
          .get(u"Duplicate", &Range::duplicate);
  return table;
}

std::pair<int32_t, int32_t> Range::bounds() const {
  core_->requireOpen();
  return core_->bounds(span_);
}

std::u16string Range::text() const {
  auto [s, e] = bounds();
  return std::u16string(core_->c().slice(s, e));
}

void Range::edit(int32_t start, int32_t end, std::u16string_view text, bool bookmarksGrow) {
  core_->requireEditable();
  core_->c().replace(start, end, text, core_->growing(span_, bookmarksGrow));
  core_->changed();
}

void Range::setText(std::u16string text) {
  auto [s, e] = bounds();
  edit(s, e, text);
}

int32_t Range::start() const {
  return bounds().first;
}
int32_t Range::end() const {
  return bounds().second;
}

void Range::setStart(int32_t start) {
  core_->requireOpen();
  if (start < 0 || start > core_->c().end()) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  span_->start = start;
  span_->end = std::max(span_->end, start);
}

void Range::setEnd(int32_t end) {
  core_->requireOpen();
  if (end < 0 || end > core_->c().end()) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  span_->end = end;
  span_->start = std::min(span_->start, end);
}

void Range::setRange(int32_t start, int32_t end) {
  core_->requireOpen();
  int32_t s = std::min(start, end);
  int32_t e = std::max(start, end);
  if (s < 0 || e > core_->c().end()) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  span_->start = s;
  span_->end = e;
}

void Range::collapse(std::optional<int32_t> direction) {
  auto [s, e] = bounds();
  // wdCollapseStart (1) unless wdCollapseEnd (0).
  int32_t at = direction.value_or(1) == 0 ? e : s;
  span_->start = at;
  span_->end = at;
}

void Range::insertAfter(std::u16string text) {
  auto [s, e] = bounds();
  (void)s;
  // The range grows over the text; a bookmark of the same extent does not.
  edit(e, e, text, false);
}

void Range::insertBefore(std::u16string text) {
  auto [s, e] = bounds();
  (void)e;
  edit(s, s, text);
}

void Range::insertParagraphAfter() {
  insertAfter(std::u16string(1, kParagraphMark));
}
void Range::insertParagraphBefore() {
  insertBefore(std::u16string(1, kParagraphMark));
}

void Range::insertBreak(std::optional<int32_t> type) {
  auto [s, e] = bounds();
  int32_t t = type.value_or(kPageBreakType);
  core_->requireEditable();
  Content& c = core_->c();
  if (t >= kSectionBreakNextPage && t <= kSectionBreakOddPage) {
    // A section break goes in front of the range, which keeps its text; it ends the
    // paragraph it is inserted in: the text before it becomes a paragraph of its own,
    // formatted as the one it came from.
    (void)e;
    const ::r58046::simword::Paragraph& p = c.paragraph(c.paragraphAt(s));
    std::vector<ParagraphSpec> layout{ParagraphSpec{p.style, p.direct, t, 0}};
    c.replace(s, s, std::u16string(1, kPageBreak), {}, &layout);
    core_->changed();
    return;
  }
  char16_t mark = 0;
  switch (t) {
    case kPageBreakType:
      mark = kPageBreak;
      break;
    case kColumnBreakType:
      mark = kColumnBreak;
      break;
    case kLineBreakType:
    case kLineBreakClearLeft:
    case kLineBreakClearRight:
    case kTextWrappingBreak:
      mark = kLineBreak;
      break;
    default:
      raiseWordError(errors::kWordValueOutOfRange);
  }
  edit(s, e, std::u16string(1, mark));
}

void Range::insertFile(std::u16string fileName, std::optional<std::u16string> range,
                       std::optional<Variant> /*confirmConversions*/,
                       std::optional<Variant> /*link*/, std::optional<Variant> /*attachment*/) {
  auto [s, e] = bounds();
  core_->requireEditable();
  ParsedDocument inserted = readDocumentFile(*core_, fileName);
  if (!inserted.properties.password.empty()) {
    raiseWordError(wderrors::kOpenPasswordIncorrect);
  }
  std::optional<std::pair<int32_t, int32_t>> part;
  if (range && !range->empty()) {
    const BookmarkData* b = inserted.content->bookmark(*range);
    if (b == nullptr) {
      raiseWordError(wderrors::kNoSuchBookmark);
    }
    part = std::make_pair(b->span->start, b->span->end);
  }
  core_->c().insertContent(s, e, *inserted.content, part, core_->growing(span_));
  core_->changed();
}

int32_t Range::deleteText(std::optional<int32_t> unit, std::optional<int32_t> count) {
  auto [s, e] = bounds();
  core_->requireEditable();
  Content& c = core_->c();
  if (s < e) {
    c.replace(s, e, {});
    core_->changed();
    return 1;
  }
  if (unit.value_or(1) != 1) {
    raiseWordError(errors::kWordCommandFailed);
  }
  int32_t n = count.value_or(1);
  int32_t a = n >= 0 ? s : std::max(0, s + n);
  int32_t b = n >= 0 ? std::min(c.end() - 1, s + n) : s;
  if (b <= a) {
    return 0;
  }
  c.replace(a, b, {});
  core_->changed();
  return b - a;
}

ObjectRef Range::paragraphs() const {
  core_->requireOpen();
  return makeParagraphs(core_, span_);
}

ObjectRef Range::font() const {
  core_->requireOpen();
  return std::make_shared<Font>(Target{core_, span_, 0});
}

ObjectRef Range::paragraphFormat() const {
  core_->requireOpen();
  return std::make_shared<ParagraphFormat>(Target{core_, span_, 0});
}

ObjectRef Range::style() const {
  auto [s, e] = bounds();
  const Content& c = core_->c();
  // The character style of the first character, where one is applied; else the style of
  // the first paragraph.
  if (StyleId own = c.directChar(std::min(s, c.end() - 1)).charStyle.value_or(0); own != 0) {
    if (const StyleDef* def = c.styles().byId(own);
        def != nullptr && def->type == kStyleTypeCharacter) {
      return makeStyle(core_, own);
    }
  }
  return makeStyle(core_, c.paragraph(c.paragraphsIn(s, e).first).style);
}

void Range::setStyle(Variant style) {
  auto [s, e] = bounds();
  core_->requireEditable();
  applyStyle(*core_, s, e, core_->styleFrom(style));
}

ObjectRef Range::sections() const {
  core_->requireOpen();
  return makeSections(core_, span_);
}

ObjectRef Range::document() const {
  core_->requireOpen();
  return core_->document();
}

ObjectRef Range::duplicate() const {
  auto [s, e] = bounds();
  return makeRange(core_, s, e);
}

void applyStyle(DocCore& core, int32_t start, int32_t end, StyleId style) {
  Content& c = core.c();
  const StyleDef* def = c.styles().byId(style);
  if (def == nullptr) {
    raiseWordError(errors::kWordNoSuchMember);
  }
  if (def->type == kStyleTypeParagraph) {
    auto [first, last] = c.paragraphsIn(start, end);
    for (size_t i = first; i <= last; ++i) {
      c.applyParagraphStyle(i, style);
    }
  } else if (def->type == kStyleTypeCharacter) {
    // The text takes what the character style sets, and the style (Default Paragraph Font
    // takes a character style away).
    CharFormat change = c.styles().characterLayers(style);
    change.charStyle = def->builtin == kStyleDefaultParagraphFont ? 0 : style;
    c.formatChars(start, end, change);
  } else {
    raiseWordError(errors::kWordCommandFailed);
  }
  core.changed();
}

}  // namespace r58046::simword::docobj
