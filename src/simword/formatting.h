// Paragraph and character formatting of the simulated Word, as Word layers it: a style sets
// some properties and inherits the others from its base style; a paragraph or a run of text
// sets some properties directly and takes the others from its style. Every property here is
// optional ("not set at this level"); resolving a chain of levels gives the formatting in
// effect. Lengths are twips.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace r58046::simword {

// WdTabAlignment and WdTabLeader, with Word's values.
inline constexpr int32_t kAlignTabLeft = 0;
inline constexpr int32_t kAlignTabCenter = 1;
inline constexpr int32_t kAlignTabRight = 2;
inline constexpr int32_t kAlignTabDecimal = 3;
inline constexpr int32_t kAlignTabBar = 4;
inline constexpr int32_t kAlignTabList = 6;
inline constexpr int32_t kTabLeaderSpaces = 0;
inline constexpr int32_t kTabLeaderDots = 1;
inline constexpr int32_t kTabLeaderDashes = 2;
inline constexpr int32_t kTabLeaderLines = 3;
inline constexpr int32_t kTabLeaderHeavy = 4;
inline constexpr int32_t kTabLeaderMiddleDot = 5;

// WdParagraphAlignment.
inline constexpr int32_t kAlignParagraphLeft = 0;
inline constexpr int32_t kAlignParagraphCenter = 1;
inline constexpr int32_t kAlignParagraphRight = 2;
inline constexpr int32_t kAlignParagraphJustify = 3;

bool validTabAlignment(int32_t alignment);
bool validTabLeader(int32_t leader);
bool validParagraphAlignment(int32_t alignment);
bool validColorIndex(int32_t colorIndex);

struct TabStop {
  int32_t position = 0;  // twips from the left margin
  int32_t alignment = kAlignTabLeft;
  int32_t leader = kTabLeaderSpaces;
  bool operator==(const TabStop&) const = default;
};

// The tab stops one level adds to and clears from the level below it, as Word records
// them: the tab stops in effect are those below, less the cleared positions, plus the set
// ones (a set tab stop replaces one at the same position).
struct TabChanges {
  std::vector<TabStop> set;      // sorted by position
  std::vector<int32_t> cleared;  // sorted
  bool empty() const { return set.empty() && cleared.empty(); }
  bool operator==(const TabChanges&) const = default;

  // Applies these changes to the tab stops in effect below (sorted by position).
  std::vector<TabStop> applyTo(const std::vector<TabStop>& below) const;
  // Makes `wanted` the tab stops in effect over `below`, with the fewest changes.
  static TabChanges between(const std::vector<TabStop>& below, const std::vector<TabStop>& wanted);
};

struct ParaFormat {
  std::optional<int32_t> leftIndent;
  std::optional<int32_t> firstLineIndent;
  std::optional<int32_t> rightIndent;
  std::optional<int32_t> spaceBefore;
  std::optional<int32_t> spaceAfter;
  std::optional<int32_t> alignment;
  TabChanges tabs;
  bool empty() const {
    return !leftIndent && !firstLineIndent && !rightIndent && !spaceBefore && !spaceAfter &&
           !alignment && tabs.empty();
  }
  bool operator==(const ParaFormat&) const = default;
};

// The paragraph formatting in effect.
struct ResolvedPara {
  int32_t leftIndent = 0;
  int32_t firstLineIndent = 0;
  int32_t rightIndent = 0;
  int32_t spaceBefore = 0;
  int32_t spaceAfter = 0;
  int32_t alignment = kAlignParagraphLeft;
  std::vector<TabStop> tabs;
  bool operator==(const ResolvedPara&) const = default;

  // Lays a level over this one.
  void apply(const ParaFormat& level);
};

struct CharFormat {
  std::optional<std::u16string> fontName;
  std::optional<int32_t> halfPoints;  // font size in half points
  std::optional<int32_t> colorIndex;  // WdColorIndex
  std::optional<int32_t> spacing;     // twips; positive expands, negative condenses
  std::optional<bool> bold;
  std::optional<bool> italic;
  // The character style applied to the text (its StyleId; 0 for none, as after Default
  // Paragraph Font). The style's formatting is set beside it when it is applied.
  std::optional<int32_t> charStyle;
  bool empty() const {
    return !fontName && !halfPoints && !colorIndex && !spacing && !bold && !italic && !charStyle;
  }
  bool operator==(const CharFormat&) const = default;
  // Lays `over` over this one (the properties it sets win).
  void merge(const CharFormat& over);
};

struct ResolvedChar {
  std::u16string fontName = u"Times New Roman";
  int32_t halfPoints = 24;
  int32_t colorIndex = 0;  // wdAuto
  int32_t spacing = 0;
  bool bold = false;
  bool italic = false;
  bool operator==(const ResolvedChar&) const = default;
  void apply(const CharFormat& level);
};

// The name Word gives a colour index in its descriptions ("Blue"); empty when unknown.
std::u16string colorName(int32_t colorIndex);

}  // namespace r58046::simword
