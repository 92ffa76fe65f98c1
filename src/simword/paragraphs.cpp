#include "simword/paragraphs.h"

#include <utility>

#include "automation/error.h"
#include "simword/objects.h"
#include "simword/range.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::CallArgs;
using automation::MemberTable;

namespace {

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

}  // namespace r58046::simword::docobj
