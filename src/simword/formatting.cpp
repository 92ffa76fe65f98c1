#include "simword/formatting.h"

#include <algorithm>

namespace r58046::simword {

bool validTabAlignment(int32_t alignment) {
  return (alignment >= kAlignTabLeft && alignment <= kAlignTabBar) || alignment == kAlignTabList;
}

bool validTabLeader(int32_t leader) {
  return leader >= kTabLeaderSpaces && leader <= kTabLeaderMiddleDot;
}

bool validParagraphAlignment(int32_t alignment) {
  return alignment >= kAlignParagraphLeft && alignment <= kAlignParagraphJustify;
}

bool validColorIndex(int32_t colorIndex) {
  return colorIndex >= 0 && colorIndex <= 16;
}

std::vector<TabStop> TabChanges::applyTo(const std::vector<TabStop>& below) const {
  std::vector<TabStop> out;
  out.reserve(below.size() + set.size());
  for (const auto& t : below) {
    bool gone = std::binary_search(cleared.begin(), cleared.end(), t.position);
    bool replaced = std::any_of(set.begin(), set.end(),
                                [&](const TabStop& s) { return s.position == t.position; });
    if (!gone && !replaced) {
      out.push_back(t);
    }
  }
  out.insert(out.end(), set.begin(), set.end());
  std::sort(out.begin(), out.end(),
            [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
  return out;
}

TabChanges TabChanges::between(const std::vector<TabStop>& below,
                               const std::vector<TabStop>& wanted) {
  TabChanges changes;
  for (const auto& t : below) {
    auto it = std::find_if(wanted.begin(), wanted.end(),
                           [&](const TabStop& w) { return w.position == t.position; });
    if (it == wanted.end()) {
      changes.cleared.push_back(t.position);
    }
  }
  for (const auto& w : wanted) {
    if (std::find(below.begin(), below.end(), w) == below.end()) {
      changes.set.push_back(w);
    }
  }
  std::sort(changes.cleared.begin(), changes.cleared.end());
  std::sort(changes.set.begin(), changes.set.end(),
            [](const TabStop& a, const TabStop& b) { return a.position < b.position; });
  return changes;
}

void ResolvedPara::apply(const ParaFormat& level) {
  leftIndent = level.leftIndent.value_or(leftIndent);
  firstLineIndent = level.firstLineIndent.value_or(firstLineIndent);
  rightIndent = level.rightIndent.value_or(rightIndent);
  spaceBefore = level.spaceBefore.value_or(spaceBefore);
  spaceAfter = level.spaceAfter.value_or(spaceAfter);
  alignment = level.alignment.value_or(alignment);
  if (!level.tabs.empty()) {
    tabs = level.tabs.applyTo(tabs);
  }
}

void CharFormat::merge(const CharFormat& over) {
  if (over.fontName) {
    fontName = over.fontName;
  }
  if (over.halfPoints) {
    halfPoints = over.halfPoints;
  }
  if (over.colorIndex) {
    colorIndex = over.colorIndex;
  }
  if (over.spacing) {
    spacing = over.spacing;
  }
  if (over.bold) {
    bold = over.bold;
  }
  if (over.italic) {
    italic = over.italic;
  }
  if (over.charStyle) {
    charStyle = over.charStyle;
  }
}

void ResolvedChar::apply(const CharFormat& level) {
  if (level.fontName) {
    fontName = *level.fontName;
  }
  halfPoints = level.halfPoints.value_or(halfPoints);
  colorIndex = level.colorIndex.value_or(colorIndex);
  spacing = level.spacing.value_or(spacing);
  bold = level.bold.value_or(bold);
  italic = level.italic.value_or(italic);
}

std::u16string colorName(int32_t colorIndex) {
  static const char16_t* const kNames[] = {
      u"Auto",   u"Black",    u"Blue",        u"Turquoise", u"Bright Green", u"Pink",
      u"Red",    u"Yellow",   u"White",       u"Dark Blue", u"Teal",         u"Green",
      u"Violet", u"Dark Red", u"Dark Yellow", u"Gray-50%",  u"Gray-25%"};
  if (colorIndex < 0 || colorIndex > 16) {
    return {};
  }
  return kNames[colorIndex];
}

}  // namespace r58046::simword
