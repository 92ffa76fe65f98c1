#include "simword/range.h"

#include <algorithm>
#include <cmath>

#include "automation/error.h"
#include "simword/objects.h"
#include "simword/units.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::CallArgs;
using automation::MemberTable;
using Tab = ::r58046::simword::TabStop;

namespace {

constexpr float kUndefined = static_cast<float>(units::kUndefined);

std::pair<size_t, size_t> paragraphsOf(const Target& t) {
  const Content& c = t.core->c();
  if (!t.span) {
    return {0, c.paragraphCount() - 1};
  }
  auto [s, e] = t.core->bounds(t.span);
  return c.paragraphsIn(s, e);
}

void sortTabs(std::vector<Tab>& tabs) {
  std::sort(tabs.begin(), tabs.end(),
            [](const Tab& a, const Tab& b) { return a.position < b.position; });
}

int32_t validAlignment(int32_t alignment) {
  if (!validTabAlignment(alignment)) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  return alignment;
}

int32_t validLeader(int32_t leader) {
  if (!validTabLeader(leader)) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  return leader;
}

// The paragraph-formatting properties that Paragraphs and Paragraph share with
// ParagraphFormat.
template <class T>
MemberTable<T>&& withParagraphFormat(MemberTable<T>&& table) {
  using Getter = float (ParagraphFormat::*)() const;
  using Setter = void (ParagraphFormat::*)(float);
  auto length = [](Getter get, Setter set) {
    return std::make_pair(typename MemberTable<T>::Handler(
                              [get](T& self, CallArgs&) { return Variant((self.fmt().*get)()); }),
                          typename MemberTable<T>::Handler([set](T& self, CallArgs& a) {
                            (self.fmt().*set)(a.required(0).toSingle());
                            return Variant();
                          }));
  };
  auto [leftGet, leftSet] = length(&ParagraphFormat::leftIndent, &ParagraphFormat::setLeftIndent);
  auto [firstGet, firstSet] =
      length(&ParagraphFormat::firstLineIndent, &ParagraphFormat::setFirstLineIndent);
  auto [rightGet, rightSet] =
      length(&ParagraphFormat::rightIndent, &ParagraphFormat::setRightIndent);
  auto [beforeGet, beforeSet] =
      length(&ParagraphFormat::spaceBefore, &ParagraphFormat::setSpaceBefore);
  auto [afterGet, afterSet] = length(&ParagraphFormat::spaceAfter, &ParagraphFormat::setSpaceAfter);
  return std::move(table)
      .raw(u"LeftIndent", {}, leftGet, leftSet, {})
      .raw(u"FirstLineIndent", {}, firstGet, firstSet, {})
      .raw(u"RightIndent", {}, rightGet, rightSet, {})
      .raw(u"SpaceBefore", {}, beforeGet, beforeSet, {})
      .raw(u"SpaceAfter", {}, afterGet, afterSet, {})
      .raw(
          u"Alignment", {}, [](T& self, CallArgs&) { return Variant(self.fmt().alignment()); },
          [](T& self, CallArgs& a) {
            self.fmt().setAlignment(a.required(0).toLong());
            return Variant();
          },
          {})
      .raw(u"TabStops", {}, [](T& self, CallArgs&) { return Variant(self.fmt().tabStops()); }, {},
           {});
}

}  // namespace

// --- Range ---------------------------------------------------------------------------------

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

// --- Font ----------------------------------------------------------------------------------

Font::Font(Target target) : SimObject(target.core->session), t_(std::move(target)) {}

const MemberTable<Font>& Font::members() {
  static const auto table = MemberTable<Font>()
                                .prop(u"Name", &Font::name, &Font::setName)
                                .prop(u"Size", &Font::size, &Font::setSize)
                                .prop(u"ColorIndex", &Font::colorIndex, &Font::setColorIndex)
                                .prop(u"Spacing", &Font::spacing, &Font::setSpacing)
                                .prop(u"Bold", &Font::bold, &Font::setBold)
                                .prop(u"Italic", &Font::italic, &Font::setItalic);
  return table;
}

template <class F>
auto Font::uniform(F get) const -> std::optional<decltype(get(ResolvedChar{}))> {
  DocCore& core = *t_.core;
  core.requireOpen();
  const Content& c = core.c();
  if (t_.isStyle()) {
    const StyleDef* def = c.styles().byId(t_.style);
    if (def == nullptr) {
      raiseWordError(wderrors::kObjectDeleted);
    }
    ResolvedChar r;
    if (def->type == kStyleTypeCharacter) {
      r.apply(c.styles().characterLayers(t_.style));
    } else {
      r = c.styles().resolveChar(t_.style);
    }
    return get(r);
  }
  auto [s, e] = core.bounds(t_.span);
  if (s >= e) {
    return get(c.charFormat(s));
  }
  std::optional<decltype(get(ResolvedChar{}))> value;
  auto [first, last] = c.paragraphsIn(s, e);
  for (size_t i = first; i <= last; ++i) {
    ResolvedChar base = c.styles().resolveChar(c.paragraph(i).style);
    int32_t from = std::max(s, c.paragraphStart(i));
    int32_t to = std::min(e, c.paragraph(i).end);
    for (int32_t pos = from; pos < to; ++pos) {
      ResolvedChar r = base;
      r.apply(c.directChar(pos));
      auto v = get(r);
      if (!value) {
        value = v;
      } else if (!(*value == v)) {
        return std::nullopt;
      }
    }
  }
  return value;
}

void Font::change(const CharFormat& change) {
  DocCore& core = *t_.core;
  core.requireEditable();
  if (t_.isStyle()) {
    StyleDef* def = core.c().styles().byId(t_.style);
    if (def == nullptr) {
      raiseWordError(wderrors::kObjectDeleted);
    }
    def->chars.merge(change);
  } else {
    auto [s, e] = core.bounds(t_.span);
    core.c().formatChars(s, e, change);
  }
  core.changed();
}

std::u16string Font::name() const {
  return uniform([](const ResolvedChar& r) { return r.fontName; }).value_or(u"");
}

void Font::setName(std::u16string name) {
  CharFormat f;
  f.fontName = std::move(name);
  change(f);
}

float Font::size() const {
  auto v = uniform([](const ResolvedChar& r) { return r.halfPoints; });
  return v ? static_cast<float>(*v) / 2.0f : kUndefined;
}

void Font::setSize(float size) {
  if (!(size >= 1.0f && size <= 1638.0f)) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  CharFormat f;
  f.halfPoints = static_cast<int32_t>(std::lround(size * 2.0));
  change(f);
}

int32_t Font::colorIndex() const {
  return uniform([](const ResolvedChar& r) { return r.colorIndex; }).value_or(units::kUndefined);
}

void Font::setColorIndex(int32_t index) {
  if (!validColorIndex(index)) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  CharFormat f;
  f.colorIndex = index;
  change(f);
}

float Font::spacing() const {
  auto v = uniform([](const ResolvedChar& r) { return r.spacing; });
  return v ? units::twipsToPoints(*v) : kUndefined;
}

void Font::setSpacing(float spacing) {
  CharFormat f;
  f.spacing = twipsFrom(spacing, -units::kMaxTwips, units::kMaxTwips);
  change(f);
}

int32_t Font::bold() const {
  auto v = uniform([](const ResolvedChar& r) { return r.bold; });
  return v ? (*v ? -1 : 0) : units::kUndefined;
}

void Font::setBold(int32_t bold) {
  CharFormat f;
  f.bold = bold != 0;
  change(f);
}

int32_t Font::italic() const {
  auto v = uniform([](const ResolvedChar& r) { return r.italic; });
  return v ? (*v ? -1 : 0) : units::kUndefined;
}

void Font::setItalic(int32_t italic) {
  CharFormat f;
  f.italic = italic != 0;
  change(f);
}

// --- ParagraphFormat -----------------------------------------------------------------------

ParagraphFormat::ParagraphFormat(Target target)
    : SimObject(target.core->session), t_(std::move(target)) {}

const MemberTable<ParagraphFormat>& ParagraphFormat::members() {
  static const auto table =
      MemberTable<ParagraphFormat>()
          .prop(u"LeftIndent", &ParagraphFormat::leftIndent, &ParagraphFormat::setLeftIndent)
          .prop(u"FirstLineIndent", &ParagraphFormat::firstLineIndent,
                &ParagraphFormat::setFirstLineIndent)
          .prop(u"RightIndent", &ParagraphFormat::rightIndent, &ParagraphFormat::setRightIndent)
          .prop(u"SpaceBefore", &ParagraphFormat::spaceBefore, &ParagraphFormat::setSpaceBefore)
          .prop(u"SpaceAfter", &ParagraphFormat::spaceAfter, &ParagraphFormat::setSpaceAfter)
          .prop(u"Alignment", &ParagraphFormat::alignment, &ParagraphFormat::setAlignment)
          .get(u"TabStops", &ParagraphFormat::tabStops);
  return table;
}

namespace {

using ParaField = int32_t ResolvedPara::*;
using OwnField = std::optional<int32_t> ParaFormat::*;

const StyleDef& styleOf(const Target& t) {
  const StyleDef* def = t.core->c().styles().byId(t.style);
  if (def == nullptr) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return *def;
}

std::optional<int32_t> uniformPara(const Target& t, ParaField field) {
  t.core->requireOpen();
  const Content& c = t.core->c();
  if (t.isStyle()) {
    return c.styles().resolvePara(styleOf(t).id).*field;
  }
  auto [first, last] = paragraphsOf(t);
  int32_t value = c.paraFormat(first).*field;
  for (size_t i = first + 1; i <= last; ++i) {
    if (c.paraFormat(i).*field != value) {
      return std::nullopt;
    }
  }
  return value;
}

void setPara(const Target& t, ParaField field, OwnField own, int32_t value) {
  DocCore& core = *t.core;
  core.requireEditable();
  Content& c = core.c();
  if (t.isStyle()) {
    StyleDef* def = c.styles().byId(styleOf(t).id);
    def->para.*own = value;
  } else {
    auto [first, last] = paragraphsOf(t);
    for (size_t i = first; i <= last; ++i) {
      ResolvedPara r = c.paraFormat(i);
      r.*field = value;
      c.setParagraphFormat(i, r);
    }
  }
  core.changed();
}

float lengthOf(const Target& t, ParaField field) {
  auto v = uniformPara(t, field);
  return v ? units::twipsToPoints(*v) : kUndefined;
}

}  // namespace

float ParagraphFormat::leftIndent() const {
  return lengthOf(t_, &ResolvedPara::leftIndent);
}
float ParagraphFormat::firstLineIndent() const {
  return lengthOf(t_, &ResolvedPara::firstLineIndent);
}
float ParagraphFormat::rightIndent() const {
  return lengthOf(t_, &ResolvedPara::rightIndent);
}
float ParagraphFormat::spaceBefore() const {
  return lengthOf(t_, &ResolvedPara::spaceBefore);
}
float ParagraphFormat::spaceAfter() const {
  return lengthOf(t_, &ResolvedPara::spaceAfter);
}

void ParagraphFormat::setLeftIndent(float v) {
  setPara(t_, &ResolvedPara::leftIndent, &ParaFormat::leftIndent,
          twipsFrom(v, -units::kMaxTwips, units::kMaxTwips));
}
void ParagraphFormat::setFirstLineIndent(float v) {
  setPara(t_, &ResolvedPara::firstLineIndent, &ParaFormat::firstLineIndent,
          twipsFrom(v, -units::kMaxTwips, units::kMaxTwips));
}
void ParagraphFormat::setRightIndent(float v) {
  setPara(t_, &ResolvedPara::rightIndent, &ParaFormat::rightIndent,
          twipsFrom(v, -units::kMaxTwips, units::kMaxTwips));
}
void ParagraphFormat::setSpaceBefore(float v) {
  setPara(t_, &ResolvedPara::spaceBefore, &ParaFormat::spaceBefore,
          twipsFrom(v, 0, units::kMaxTwips));
}
void ParagraphFormat::setSpaceAfter(float v) {
  setPara(t_, &ResolvedPara::spaceAfter, &ParaFormat::spaceAfter,
          twipsFrom(v, 0, units::kMaxTwips));
}

int32_t ParagraphFormat::alignment() const {
  return uniformPara(t_, &ResolvedPara::alignment).value_or(units::kUndefined);
}

void ParagraphFormat::setAlignment(int32_t v) {
  if (!validParagraphAlignment(v)) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  setPara(t_, &ResolvedPara::alignment, &ParaFormat::alignment, v);
}

ObjectRef ParagraphFormat::tabStops() const {
  t_.core->requireOpen();
  return std::make_shared<TabStops>(t_);
}

// --- Paragraphs and Paragraph ----------------------------------------------------------------

ObjectRef makeParagraphs(const std::shared_ptr<DocCore>& core, SpanPtr span) {
  return std::make_shared<Paragraphs>(core, std::move(span));
}

Paragraphs::Paragraphs(std::shared_ptr<DocCore> core, SpanPtr span)
    : SimObject(core->session),
      core_(std::move(core)),
      span_(std::move(span)),
      fmt_(Target{core_, span_, 0}) {}

const MemberTable<Paragraphs>& Paragraphs::members() {
  static const auto table =
      withParagraphFormat(MemberTable<Paragraphs>()
                              .get(u"Count", &Paragraphs::count)
                              .get(u"Item", {u"Index"}, &Paragraphs::item)
                              .asDefault()
                              .get(u"First", &Paragraphs::first)
                              .get(u"Last", &Paragraphs::last)
                              .prop(u"Style", &Paragraphs::style, &Paragraphs::setStyle)
                              .get(u"Format", &Paragraphs::format));
  return table;
}

int32_t Paragraphs::count() const {
  core_->requireOpen();
  auto [first, last] = paragraphsOf(Target{core_, span_, 0});
  return static_cast<int32_t>(last - first + 1);
}

ObjectRef Paragraphs::item(int32_t index) const {
  core_->requireOpen();
  auto [first, last] = paragraphsOf(Target{core_, span_, 0});
  if (index < 1 || static_cast<size_t>(index) > last - first + 1) {
    raiseWordError(errors::kWordNoSuchMember);
  }
  Content& c = core_->c();
  size_t i = first + static_cast<size_t>(index) - 1;
  return std::make_shared<Paragraph>(core_, c.track(c.paragraphStart(i), c.paragraph(i).end));
}

ObjectRef Paragraphs::first() const {
  return item(1);
}
ObjectRef Paragraphs::last() const {
  return item(count());
}

ObjectRef Paragraphs::style() const {
  core_->requireOpen();
  auto [first, last] = paragraphsOf(Target{core_, span_, 0});
  (void)last;
  return makeStyle(core_, core_->c().paragraph(first).style);
}

void Paragraphs::setStyle(Variant style) {
  core_->requireEditable();
  auto [s, e] = core_->bounds(span_);
  applyStyle(*core_, s, e, core_->styleFrom(style));
}

ObjectRef Paragraphs::format() const {
  core_->requireOpen();
  return std::make_shared<ParagraphFormat>(Target{core_, span_, 0});
}

Paragraph::Paragraph(std::shared_ptr<DocCore> core, SpanPtr span)
    : SimObject(core->session),
      core_(std::move(core)),
      span_(std::move(span)),
      fmt_(Target{core_, span_, 0}) {}

const MemberTable<Paragraph>& Paragraph::members() {
  static const auto table =
      withParagraphFormat(MemberTable<Paragraph>()
                              .get(u"Range", &Paragraph::range)
                              .prop(u"Style", &Paragraph::style, &Paragraph::setStyle)
                              .get(u"Format", &Paragraph::format));
  return table;
}

ObjectRef Paragraph::range() const {
  core_->requireOpen();
  const Content& c = core_->c();
  auto [s, e] = core_->bounds(span_);
  auto [first, last] = c.paragraphsIn(s, e);
  return makeRange(core_, c.paragraphStart(first), c.paragraph(last).end);
}

ObjectRef Paragraph::style() const {
  core_->requireOpen();
  auto [s, e] = core_->bounds(span_);
  const Content& c = core_->c();
  return makeStyle(core_, c.paragraph(c.paragraphsIn(s, e).first).style);
}

void Paragraph::setStyle(Variant style) {
  core_->requireEditable();
  auto [s, e] = core_->bounds(span_);
  applyStyle(*core_, s, e, core_->styleFrom(style));
}

ObjectRef Paragraph::format() const {
  core_->requireOpen();
  return std::make_shared<ParagraphFormat>(Target{core_, span_, 0});
}

// --- TabStops and TabStop ------------------------------------------------------------------

std::vector<Tab> tabStopsOf(const Target& t) {
  t.core->requireOpen();
  const Content& c = t.core->c();
  if (t.isStyle()) {
    return c.styles().resolvePara(styleOf(t).id).tabs;
  }
  auto [first, last] = paragraphsOf(t);
  std::vector<Tab> common = c.paraFormat(first).tabs;
  for (size_t i = first + 1; i <= last && !common.empty(); ++i) {
    std::vector<Tab> here = c.paraFormat(i).tabs;
    common.erase(std::remove_if(common.begin(), common.end(),
                                [&](const Tab& tab) {
                                  return std::find(here.begin(), here.end(), tab) == here.end();
                                }),
                 common.end());
  }
  return common;
}

void changeTabStops(const Target& t, const std::function<void(std::vector<Tab>&)>& change) {
  DocCore& core = *t.core;
  core.requireEditable();
  Content& c = core.c();
  if (t.isStyle()) {
    StyleDef* def = c.styles().byId(styleOf(t).id);
    std::vector<Tab> tabs = c.styles().resolvePara(def->id).tabs;
    change(tabs);
    sortTabs(tabs);
    std::vector<Tab> below =
        def->base != 0 ? c.styles().resolvePara(def->base).tabs : std::vector<Tab>{};
    def->para.tabs = TabChanges::between(below, tabs);
  } else {
    auto [first, last] = paragraphsOf(t);
    for (size_t i = first; i <= last; ++i) {
      ResolvedPara r = c.paraFormat(i);
      change(r.tabs);
      sortTabs(r.tabs);
      c.setParagraphFormat(i, r);
    }
  }
  core.changed();
}

TabStops::TabStops(Target target) : SimObject(target.core->session), t_(std::move(target)) {}

const MemberTable<TabStops>& TabStops::members() {
  static const auto table =
      MemberTable<TabStops>()
          .get(u"Count", &TabStops::count)
          .get(u"Item", {u"Index"}, &TabStops::item)
          .asDefault()
          .method(u"Add", {u"Position", u"Alignment", u"Leader"}, &TabStops::add)
          .method(u"ClearAll", &TabStops::clearAll);
  return table;
}

int32_t TabStops::count() const {
  return static_cast<int32_t>(tabStopsOf(t_).size());
}

ObjectRef TabStops::item(Variant index) const {
  std::vector<Tab> tabs = tabStopsOf(t_);
  auto type = index.type();
  if (type == automation::VarType::Single || type == automation::VarType::Double) {
    // A position in points designates the tab stop there.
    int32_t twips = units::pointsToTwips(index.toDouble());
    for (const Tab& tab : tabs) {
      if (tab.position == twips) {
        return std::make_shared<TabStop>(t_, twips);
      }
    }
    raiseWordError(errors::kWordNoSuchMember);
  }
  int32_t i = index.toLong();
  if (i < 1 || static_cast<size_t>(i) > tabs.size()) {
    raiseWordError(errors::kWordNoSuchMember);
  }
  return std::make_shared<TabStop>(t_, tabs[static_cast<size_t>(i) - 1].position);
}

ObjectRef TabStops::add(float position, std::optional<int32_t> alignment,
                        std::optional<int32_t> leader) {
  Tab tab{twipsFrom(position, -units::kMaxTwips, units::kMaxTwips),
          validAlignment(alignment.value_or(kAlignTabLeft)),
          validLeader(leader.value_or(kTabLeaderSpaces))};
  changeTabStops(t_, [&](std::vector<Tab>& tabs) {
    std::erase_if(tabs, [&](const Tab& t) { return t.position == tab.position; });
    tabs.push_back(tab);
  });
  return std::make_shared<TabStop>(t_, tab.position);
}

void TabStops::clearAll() {
  changeTabStops(t_, [](std::vector<Tab>& tabs) { tabs.clear(); });
}

TabStop::TabStop(Target target, int32_t position)
    : SimObject(target.core->session), t_(std::move(target)), position_(position) {}

const MemberTable<TabStop>& TabStop::members() {
  static const auto table = MemberTable<TabStop>()
                                .prop(u"Position", &TabStop::position, &TabStop::setPosition)
                                .prop(u"Alignment", &TabStop::alignment, &TabStop::setAlignment)
                                .prop(u"Leader", &TabStop::leader, &TabStop::setLeader)
                                .get(u"CustomTab", &TabStop::customTab)
                                .method(u"Clear", &TabStop::clear);
  return table;
}

Tab TabStop::current() const {
  for (const Tab& tab : tabStopsOf(t_)) {
    if (tab.position == position_) {
      return tab;
    }
  }
  raiseWordError(wderrors::kObjectDeleted);
}

float TabStop::position() const {
  return units::twipsToPoints(current().position);
}

void TabStop::setPosition(float points) {
  Tab tab = current();
  int32_t to = twipsFrom(points, -units::kMaxTwips, units::kMaxTwips);
  int32_t from = position_;
  changeTabStops(t_, [&](std::vector<Tab>& tabs) {
    std::erase_if(tabs, [&](const Tab& t) { return t.position == from || t.position == to; });
    tabs.push_back(Tab{to, tab.alignment, tab.leader});
  });
  position_ = to;
}

int32_t TabStop::alignment() const {
  return current().alignment;
}

void TabStop::setAlignment(int32_t alignment) {
  current();
  validAlignment(alignment);
  changeTabStops(t_, [&](std::vector<Tab>& tabs) {
    for (Tab& t : tabs) {
      if (t.position == position_) {
        t.alignment = alignment;
      }
    }
  });
}

int32_t TabStop::leader() const {
  return current().leader;
}

void TabStop::setLeader(int32_t leader) {
  current();
  validLeader(leader);
  changeTabStops(t_, [&](std::vector<Tab>& tabs) {
    for (Tab& t : tabs) {
      if (t.position == position_) {
        t.leader = leader;
      }
    }
  });
}

bool TabStop::customTab() const {
  current();
  return true;
}

void TabStop::clear() {
  current();
  changeTabStops(t_, [&](std::vector<Tab>& tabs) {
    std::erase_if(tabs, [&](const Tab& t) { return t.position == position_; });
  });
}

}  // namespace r58046::simword::docobj
