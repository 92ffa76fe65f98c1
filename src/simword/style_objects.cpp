#include "simword/style_objects.h"

#include <algorithm>

#include "automation/error.h"
#include "automation/text.h"
#include "simword/font.h"
#include "simword/objects.h"
#include "simword/paragraph_format.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::MemberTable;

ObjectRef makeStyle(const std::shared_ptr<DocCore>& core, StyleId id) {
  return std::make_shared<Style>(core, id);
}

ObjectRef makeStyles(const std::shared_ptr<DocCore>& core) {
  return std::make_shared<Styles>(core);
}

Style::Style(std::shared_ptr<DocCore> core, StyleId id)
    : SimObject(core->session), core_(std::move(core)), id_(id) {}

const MemberTable<Style>& Style::members() {
  static const auto table =
      MemberTable<Style>()
          .prop(u"NameLocal", &Style::nameLocal, &Style::setNameLocal)
          .asDefault()
          .get(u"Type", &Style::type)
          .get(u"BuiltIn", &Style::builtIn)
          .get(u"InUse", &Style::inUse)
          .prop(u"BaseStyle", &Style::baseStyle, &Style::setBaseStyle)
          .prop(u"NextParagraphStyle", &Style::nextParagraphStyle, &Style::setNextParagraphStyle)
          .get(u"Font", &Style::font)
          .get(u"ParagraphFormat", &Style::paragraphFormat)
          .get(u"Description", &Style::description)
          .method(u"Delete", &Style::remove);
  return table;
}

const StyleDef& Style::def() const {
  core_->requireOpen();
  const StyleDef* d = core_->c().styles().byId(id_);
  if (d == nullptr) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return *d;
}

StyleDef& Style::editable() {
  def();
  core_->requireEditable();
  return *core_->c().styles().byId(id_);
}

std::u16string Style::nameLocal() const {
  return def().name;
}

void Style::setNameLocal(std::u16string name) {
  StyleDef& d = editable();
  if (d.builtin != 0) {
    raiseWordError(errors::kWordCommandFailed);
  }
  const StyleDef* other = core_->c().styles().find(name);
  if (automation::trim(name).empty() || (other != nullptr && other->id != id_)) {
    raiseWordError(wderrors::kStyleNameExists);
  }
  d.name = std::move(name);
  core_->changed();
}

int32_t Style::type() const {
  return def().type;
}
bool Style::builtIn() const {
  return def().builtin != 0;
}

bool Style::inUse() const {
  const StyleDef& d = def();
  const Content& c = core_->c();
  if (d.builtin != 0) {
    return true;
  }
  for (size_t i = 0; i < c.paragraphCount(); ++i) {
    if (c.paragraph(i).style == id_) {
      return true;
    }
  }
  return false;
}

std::u16string Style::baseStyle() const {
  const StyleDef& d = def();
  const StyleDef* base = d.base != 0 ? core_->c().styles().byId(d.base) : nullptr;
  return base != nullptr ? base->name : std::u16string();
}

void Style::setBaseStyle(Variant style) {
  StyleDef& d = editable();
  StyleId base = 0;
  if (!(style.isString() && style.stringRef().empty())) {
    base = core_->styleFrom(style);
  }
  if (base != 0 && core_->c().styles().wouldCycle(id_, base)) {
    // Word refuses a style based on itself, directly or through others.
    raiseWordError(errors::kWordCommandFailed);
  }
  d.base = base;
  core_->changed();
}

std::u16string Style::nextParagraphStyle() const {
  const StyleDef& d = def();
  const StyleDef* next = d.next != 0 ? core_->c().styles().byId(d.next) : nullptr;
  return next != nullptr ? next->name : d.name;
}

void Style::setNextParagraphStyle(Variant style) {
  StyleDef& d = editable();
  StyleId next = core_->styleFrom(style);
  d.next = next == id_ ? 0 : next;
  core_->changed();
}

ObjectRef Style::font() const {
  def();
  return std::make_shared<Font>(Target{core_, nullptr, id_});
}

ObjectRef Style::paragraphFormat() const {
  def();
  return std::make_shared<ParagraphFormat>(Target{core_, nullptr, id_});
}

std::u16string Style::description() const {
  def();
  return core_->c().styles().description(id_, core_->measurementUnit());
}

void Style::remove() {
  editable();
  core_->c().styles().remove(id_);
  core_->c().styleRemoved(id_);
  core_->changed();
}

Styles::Styles(std::shared_ptr<DocCore> core) : SimObject(core->session), core_(std::move(core)) {}

const MemberTable<Styles>& Styles::members() {
  static const auto table = MemberTable<Styles>()
                                .get(u"Count", &Styles::count)
                                .get(u"Item", {u"Index"}, &Styles::item)
                                .asDefault()
                                .method(u"Add", {u"Name", u"Type"}, &Styles::add);
  return table;
}

int32_t Styles::count() const {
  core_->requireOpen();
  return static_cast<int32_t>(core_->c().styles().count());
}

ObjectRef Styles::item(Variant index) const {
  core_->requireOpen();
  return makeStyle(core_, core_->styleFrom(index));
}

ObjectRef Styles::add(std::u16string name, std::optional<int32_t> type) {
  core_->requireEditable();
  StyleDef& d = core_->c().styles().add(name, type.value_or(kStyleTypeParagraph));
  core_->changed();
  return makeStyle(core_, d.id);
}

}  // namespace r58046::simword::docobj
