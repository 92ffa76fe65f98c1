#include "simword/paragraph_format.h"

#include <algorithm>

#include "automation/error.h"
#include "simword/units.h"

namespace r58046::simword::docobj {

namespace errors = automation::errors;
using automation::MemberTable;
using Tab = ::r58046::simword::TabStop;

namespace {

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

}  // namespace

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
