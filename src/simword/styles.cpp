#include "simword/styles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "automation/error.h"
#include "automation/text.h"
#include "simword/session.h"
#include "simword/units.h"

namespace r58046::simword {

namespace errors = automation::errors;

namespace {

// A style chain longer than this is a damaged style sheet; resolution stops there.
constexpr size_t kMaxChain = 64;

std::u16string trimmedNumber(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text(buffer);
  while (!text.empty() && text.back() == '0') {
    text.pop_back();
  }
  if (!text.empty() && text.back() == '.') {
    text.pop_back();
  }
  if (text == "-0") {
    text = "0";
  }
  return automation::fromUtf8(text);
}

std::u16string points(int32_t twips) {
  return trimmedNumber(twips / 20.0) + u" pt";
}

std::u16string halfPointsText(int32_t halfPoints) {
  return trimmedNumber(halfPoints / 2.0) + u" pt";
}

std::u16string tabAlignmentName(int32_t alignment) {
  switch (alignment) {
    case kAlignTabCenter:
      return u"Centered";
    case kAlignTabRight:
      return u"Right";
    case kAlignTabDecimal:
      return u"Decimal";
    case kAlignTabBar:
      return u"Bar";
    case kAlignTabList:
      return u"List tab";
    default:
      return u"Left";
  }
}

std::u16string leaderName(int32_t leader) {
  switch (leader) {
    case kTabLeaderDots:
      return u"…";
    case kTabLeaderDashes:
      return u"---";
    case kTabLeaderLines:
      return u"___";
    case kTabLeaderHeavy:
      return u"Heavy";
    case kTabLeaderMiddleDot:
      return u"·";
    default:
      return {};
  }
}

std::u16string paragraphAlignmentName(int32_t alignment) {
  switch (alignment) {
    case kAlignParagraphCenter:
      return u"Centered";
    case kAlignParagraphRight:
      return u"Right";
    case kAlignParagraphJustify:
      return u"Justified";
    default:
      return u"Left";
  }
}

void join(std::u16string& out, std::u16string_view part) {
  if (!out.empty()) {
    out += u", ";
  }
  out += part;
}

}  // namespace

std::u16string formatLength(int32_t twips, int32_t measurementUnit) {
  switch (measurementUnit) {
    case 0:
      return trimmedNumber(units::twipsToInches(twips)) + u"\"";
    case 2:
      return trimmedNumber(units::twipsToCentimetres(twips) * 10.0) + u" mm";
    case 3:
      return points(twips);
    case 4:
      return trimmedNumber(twips / 240.0) + u" pi";
    default:
      return trimmedNumber(units::twipsToCentimetres(twips)) + u" cm";
  }
}

StyleSheet::StyleSheet() {
  StyleDef& normal = create(u"Normal", kStyleTypeParagraph, kStyleNormal);
  normal.chars.fontName = u"Times New Roman";
  normal.chars.halfPoints = 24;
  normal_ = normal.id;
  struct Heading {
    const char16_t* name;
    int32_t builtin;
    int32_t halfPoints;
    bool italic;
  };
  for (const Heading& h : {Heading{u"Heading 1", kStyleHeading1, 32, false},
                           Heading{u"Heading 2", kStyleHeading2, 28, true},
                           Heading{u"Heading 3", kStyleHeading3, 26, false}}) {
    StyleDef& s = create(h.name, kStyleTypeParagraph, h.builtin);
    s.base = normal_;
    s.next = normal_;
    s.chars.fontName = u"Arial";
    s.chars.halfPoints = h.halfPoints;
    s.chars.bold = true;
    if (h.italic) {
      s.chars.italic = true;
    }
    s.para.spaceBefore = 240;
    s.para.spaceAfter = 60;
  }
  create(u"Default Paragraph Font", kStyleTypeCharacter, kStyleDefaultParagraphFont);
  create(u"Table Normal", kStyleTypeTable, kStyleNormalTable);
  create(u"No List", kStyleTypeList, kStyleNoList);
}

StyleDef& StyleSheet::create(std::u16string name, int32_t type, int32_t builtin) {
  auto def = std::make_unique<StyleDef>();
  def->id = nextId_++;
  def->name = std::move(name);
  def->type = type;
  def->builtin = builtin;
  styles_.push_back(std::move(def));
  return *styles_.back();
}

StyleDef* StyleSheet::find(std::u16string_view name) {
  for (auto& s : styles_) {
    if (automation::equalsNoCase(s->name, name)) {
      return s.get();
    }
  }
  // Word's envelope styles exist in every document, shown once used.
  if (automation::equalsNoCase(name, u"Envelope Address")) {
    return byBuiltin(kStyleEnvelopeAddress);
  }
  if (automation::equalsNoCase(name, u"Envelope Return")) {
    return byBuiltin(kStyleEnvelopeReturn);
  }
  return nullptr;
}

const StyleDef* StyleSheet::find(std::u16string_view name) const {
  for (const auto& s : styles_) {
    if (automation::equalsNoCase(s->name, name)) {
      return s.get();
    }
  }
  return nullptr;
}

StyleDef* StyleSheet::byBuiltin(int32_t constant) {
  for (auto& s : styles_) {
    if (s->builtin == constant) {
      return s.get();
    }
  }
  if (constant == kStyleEnvelopeAddress) {
    StyleDef& s = create(u"Envelope Address", kStyleTypeParagraph, constant);
    s.base = normal_;
    s.para.leftIndent = 2880 * 2;  // the address block stands 4 inches from the left edge
    return &s;
  }
  if (constant == kStyleEnvelopeReturn) {
    StyleDef& s = create(u"Envelope Return", kStyleTypeParagraph, constant);
    s.base = normal_;
    s.chars.halfPoints = 20;
    return &s;
  }
  return nullptr;
}

StyleDef* StyleSheet::byId(StyleId id) {
  for (auto& s : styles_) {
    if (s->id == id) {
      return s.get();
    }
  }
  return nullptr;
}

const StyleDef* StyleSheet::byId(StyleId id) const {
  for (const auto& s : styles_) {
    if (s->id == id) {
      return s.get();
    }
  }
  return nullptr;
}

int32_t StyleSheet::indexOf(StyleId id) const {
  for (size_t i = 0; i < styles_.size(); ++i) {
    if (styles_[i]->id == id) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

StyleDef& StyleSheet::add(std::u16string_view name, int32_t type) {
  if (automation::trim(name).empty() || find(name) != nullptr) {
    raiseWordError(wderrors::kStyleNameExists);
  }
  if (type < kStyleTypeParagraph || type > kStyleTypeList) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  StyleDef& s = create(std::u16string(name), type, 0);
  if (type == kStyleTypeParagraph) {
    s.base = normal_;
  } else if (type == kStyleTypeCharacter) {
    if (const StyleDef* dpf = byBuiltin(kStyleDefaultParagraphFont)) {
      s.base = dpf->id;
    }
  }
  return s;
}

void StyleSheet::remove(StyleId id) {
  StyleDef* gone = byId(id);
  if (gone == nullptr) {
    return;
  }
  if (gone->builtin != 0) {
    raiseWordError(errors::kWordCommandFailed);
  }
  StyleId newBase = gone->base;
  for (auto& s : styles_) {
    if (s->id == id) {
      continue;
    }
    if (s->base == id) {
      // Keep what the style looks like: whatever it took from the deleted style becomes its
      // own formatting over the new base.
      ResolvedPara para = resolvePara(s->id);
      ResolvedChar chars = resolveChar(s->id);
      CharFormat layers = characterLayers(s->id);
      s->base = newBase;
      ResolvedPara basePara = newBase != 0 ? resolvePara(newBase) : ResolvedPara{};
      ResolvedChar baseChar = newBase != 0 ? resolveChar(newBase) : ResolvedChar{};
      auto keep = [](auto& own, const auto& was, const auto& below) {
        if (!(was == below)) {
          own = was;
        }
      };
      keep(s->para.leftIndent, para.leftIndent, basePara.leftIndent);
      keep(s->para.firstLineIndent, para.firstLineIndent, basePara.firstLineIndent);
      keep(s->para.rightIndent, para.rightIndent, basePara.rightIndent);
      keep(s->para.spaceBefore, para.spaceBefore, basePara.spaceBefore);
      keep(s->para.spaceAfter, para.spaceAfter, basePara.spaceAfter);
      keep(s->para.alignment, para.alignment, basePara.alignment);
      s->para.tabs = TabChanges::between(basePara.tabs, para.tabs);
      if (s->type == kStyleTypeCharacter) {
        s->chars = layers;
      } else {
        keep(s->chars.fontName, chars.fontName, baseChar.fontName);
        keep(s->chars.halfPoints, chars.halfPoints, baseChar.halfPoints);
        keep(s->chars.colorIndex, chars.colorIndex, baseChar.colorIndex);
        keep(s->chars.spacing, chars.spacing, baseChar.spacing);
        keep(s->chars.bold, chars.bold, baseChar.bold);
        keep(s->chars.italic, chars.italic, baseChar.italic);
      }
    }
    if (s->next == id) {
      s->next = 0;
    }
  }
  styles_.erase(
      std::remove_if(styles_.begin(), styles_.end(), [id](const auto& s) { return s->id == id; }),
      styles_.end());
}

bool StyleSheet::wouldCycle(StyleId style, StyleId base) const {
  StyleId at = base;
  for (size_t depth = 0; at != 0 && depth < kMaxChain; ++depth) {
    if (at == style) {
      return true;
    }
    const StyleDef* s = byId(at);
    at = s != nullptr ? s->base : 0;
  }
  return at != 0;
}

std::vector<StyleId> StyleSheet::chain(StyleId id) const {
  std::vector<StyleId> out;
  for (StyleId at = id; at != 0 && out.size() < kMaxChain;) {
    if (std::find(out.begin(), out.end(), at) != out.end()) {
      break;
    }
    const StyleDef* s = byId(at);
    if (s == nullptr) {
      break;
    }
    out.push_back(at);
    at = s->base;
  }
  std::reverse(out.begin(), out.end());
  return out;
}

ResolvedPara StyleSheet::resolvePara(StyleId id) const {
  ResolvedPara out;
  for (StyleId at : chain(id)) {
    out.apply(byId(at)->para);
  }
  return out;
}

ResolvedChar StyleSheet::resolveChar(StyleId id) const {
  ResolvedChar out;
  for (StyleId at : chain(id)) {
    out.apply(byId(at)->chars);
  }
  return out;
}

CharFormat StyleSheet::characterLayers(StyleId id) const {
  CharFormat out;
  for (StyleId at : chain(id)) {
    out.merge(byId(at)->chars);
  }
  return out;
}

std::u16string StyleSheet::description(StyleId id, int32_t unit) const {
  const StyleDef* s = byId(id);
  if (s == nullptr) {
    return {};
  }
  const StyleDef* base = s->base != 0 ? byId(s->base) : nullptr;
  bool character = s->type == kStyleTypeCharacter;
  // A character style sets only what its layers set; compare them over Word's defaults.
  ResolvedChar c;
  ResolvedChar bc;
  if (character) {
    c.apply(characterLayers(id));
    if (base != nullptr) {
      bc.apply(characterLayers(base->id));
    }
  } else {
    c = resolveChar(id);
    bc = base != nullptr ? resolveChar(base->id) : ResolvedChar{};
  }
  bool all = base == nullptr;  // a style based on nothing lists its whole formatting
  std::u16string parts;
  if (c.fontName != bc.fontName || (all && !character)) {
    join(parts, u"Font: " + c.fontName);
  }
  if (c.halfPoints != bc.halfPoints || (all && !character)) {
    join(parts, halfPointsText(c.halfPoints));
  }
  if (c.bold != bc.bold) {
    join(parts, c.bold ? u"Bold" : u"Not Bold");
  }
  if (c.italic != bc.italic) {
    join(parts, c.italic ? u"Italic" : u"Not Italic");
  }
  if (c.colorIndex != bc.colorIndex) {
    join(parts, colorName(c.colorIndex));
  }
  if (c.spacing != bc.spacing) {
    if (c.spacing > 0) {
      join(parts, u"Expanded by " + points(c.spacing));
    } else if (c.spacing < 0) {
      join(parts, u"Condensed by " + points(-c.spacing));
    } else {
      join(parts, u"Spacing: Normal");
    }
  }
  if (s->type == kStyleTypeParagraph) {
    ResolvedPara p = resolvePara(id);
    ResolvedPara bp = base != nullptr ? resolvePara(base->id) : ResolvedPara{};
    std::u16string indent;
    if (p.leftIndent != bp.leftIndent) {
      join(indent, u"Left: " + formatLength(p.leftIndent, unit));
    }
    if (p.firstLineIndent != bp.firstLineIndent) {
      if (p.firstLineIndent < 0) {
        join(indent, u"Hanging: " + formatLength(-p.firstLineIndent, unit));
      } else {
        join(indent, u"First line: " + formatLength(p.firstLineIndent, unit));
      }
    }
    if (p.rightIndent != bp.rightIndent) {
      join(indent, u"Right: " + formatLength(p.rightIndent, unit));
    }
    if (!indent.empty()) {
      join(parts, u"Indent: " + indent);
    }
    if (p.alignment != bp.alignment || all) {
      join(parts, paragraphAlignmentName(p.alignment));
    }
    if (p.spaceBefore != bp.spaceBefore) {
      join(parts, u"Space Before: " + points(p.spaceBefore));
    }
    if (p.spaceAfter != bp.spaceAfter) {
      join(parts, u"Space After: " + points(p.spaceAfter));
    }
    if (p.tabs != bp.tabs) {
      TabChanges diff = TabChanges::between(bp.tabs, p.tabs);
      std::u16string tabs;
      for (const auto& t : diff.set) {
        if (!tabs.empty()) {
          tabs += u" + ";
        }
        tabs += formatLength(t.position, unit) + u", " + tabAlignmentName(t.alignment);
        if (t.leader != kTabLeaderSpaces) {
          tabs += u", Leader: " + leaderName(t.leader);
        }
      }
      for (int32_t position : diff.cleared) {
        if (!tabs.empty()) {
          tabs += u" + ";
        }
        tabs += u"Not at " + formatLength(position, unit);
      }
      join(parts, u"Tab stops: " + tabs);
    }
  }
  if (base == nullptr) {
    return parts;
  }
  if (parts.empty()) {
    return base->name;
  }
  return base->name + u" + " + parts;
}

StyleId StyleSheet::import(const StyleSheet& from, StyleId id) {
  const StyleDef* src = from.byId(id);
  if (src == nullptr) {
    return normal_;
  }
  if (StyleDef* here = find(src->name)) {
    return here->id;
  }
  StyleDef& copy = create(src->name, src->type, src->builtin);
  StyleId copyId = copy.id;
  copy.para = src->para;
  copy.chars = src->chars;
  StyleId base = src->base != 0 && src->base != id ? import(from, src->base) : 0;
  StyleId next = src->next != 0 && src->next != id ? import(from, src->next) : 0;
  StyleDef* again = byId(copyId);  // imports may have grown the list
  again->base = wouldCycle(copyId, base) ? 0 : base;
  again->next = next;
  return copyId;
}

void StyleSheet::copyDefinitionsFrom(const StyleSheet& from) {
  for (size_t i = 0; i < from.count(); ++i) {
    const StyleDef& src = from.at(i);
    StyleId here = import(from, src.id);
    StyleDef* dst = byId(here);
    if (dst == nullptr || dst->type != src.type) {
      continue;
    }
    dst->para = src.para;
    dst->chars = src.chars;
    if (src.base != 0) {
      StyleId base = import(from, src.base);
      dst = byId(here);
      if (!wouldCycle(here, base)) {
        dst->base = base;
      }
    } else {
      dst->base = 0;
    }
    if (src.next != 0) {
      StyleId next = import(from, src.next);
      byId(here)->next = next == here ? 0 : next;
    } else {
      dst->next = 0;
    }
  }
}

}  // namespace r58046::simword
