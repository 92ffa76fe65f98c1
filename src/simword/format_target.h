// What the formatting objects (Font, ParagraphFormat, TabStops, TabStop) work on.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

#include "simword/doc_core.h"
#include "simword/units.h"

namespace r58046::simword::docobj {

// What a formatting object works on: text (a span; the whole story when none), or the own
// formatting of a style.
struct Target {
  std::shared_ptr<DocCore> core;
  SpanPtr span;
  StyleId style = 0;
  bool isStyle() const { return style != 0; }
};

// A property of several paragraphs (or characters) that differs among them reads 9999999
// (wdUndefined; a font name reads ""); setting it sets it on every one. kUndefined is that
// value as a length or a size in points.
inline constexpr float kUndefined = static_cast<float>(units::kUndefined);

// The first and last paragraphs of a target's text (every paragraph of the story when it
// has no span).
std::pair<size_t, size_t> paragraphsOf(const Target& t);

}  // namespace r58046::simword::docobj
