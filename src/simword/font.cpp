#include "simword/font.h"

#include <algorithm>
#include <cmath>

#include "automation/error.h"
#include "simword/units.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::MemberTable;

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

}  // namespace r58046::simword::docobj
