// The ParagraphFormat object, the paragraph formatting of text or of a style, and its tab
// stops (TabStops, TabStop).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "automation/members.h"
#include "simword/format_target.h"

namespace r58046::simword::docobj {

using automation::ObjectRef;
using automation::Variant;

// The paragraph formatting of text or of a style; also the properties Paragraphs and
// Paragraph share.
class ParagraphFormat : public SimObject<ParagraphFormat> {
 public:
  explicit ParagraphFormat(Target target);
  static const automation::MemberTable<ParagraphFormat>& members();

  float leftIndent() const;
  void setLeftIndent(float v);
  float firstLineIndent() const;
  void setFirstLineIndent(float v);
  float rightIndent() const;
  void setRightIndent(float v);
  float spaceBefore() const;
  void setSpaceBefore(float v);
  float spaceAfter() const;
  void setSpaceAfter(float v);
  int32_t alignment() const;
  void setAlignment(int32_t v);
  ObjectRef tabStops() const;

 private:
  friend class Paragraphs;
  friend class Paragraph;
  template <class F>
  float length(F field) const;
  template <class F>
  void setLength(F field, float points, int32_t low, int32_t high);

  Target t_;
};

// TabStops of several paragraphs: Word's object model lets one work with the tab stops of a
// group of paragraphs, and asks to modify each paragraph on its own when their tab stops are
// not the same. The simulated Word lists the tab stops that every paragraph of the group has
// (same position, alignment and leader); Add, ClearAll and a tab stop's Clear apply to every
// paragraph. The TabStops collection lists custom tab stops only (those set on the paragraph
// or by its style; Word's default stops every 1.25 cm are not listed), so CustomTab is True
// for each.
class TabStops : public SimObject<TabStops> {
 public:
  explicit TabStops(Target target);
  static const automation::MemberTable<TabStops>& members();

  int32_t count() const;
  ObjectRef item(Variant index) const;
  ObjectRef add(float position, std::optional<int32_t> alignment, std::optional<int32_t> leader);
  void clearAll();

 private:
  Target t_;
};

class TabStop : public SimObject<TabStop> {
 public:
  TabStop(Target target, int32_t position);
  static const automation::MemberTable<TabStop>& members();

  float position() const;
  void setPosition(float points);
  int32_t alignment() const;
  void setAlignment(int32_t alignment);
  int32_t leader() const;
  void setLeader(int32_t leader);
  bool customTab() const;
  void clear();

 private:
  ::r58046::simword::TabStop current() const;

  Target t_;
  int32_t position_;
};

// The tab stops in effect for a target (for several paragraphs: those they all have).
std::vector<::r58046::simword::TabStop> tabStopsOf(const Target& target);
// Changes the tab stops in effect of every paragraph of a target, or of a style.
void changeTabStops(const Target& target,
                    const std::function<void(std::vector<::r58046::simword::TabStop>&)>& change);

}  // namespace r58046::simword::docobj
