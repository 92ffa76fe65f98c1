#include "simword/command_bars.h"

#include "automation/error.h"
#include "automation/text.h"

namespace r58046::simword {

using automation::ObjectRef;
using automation::Variant;
namespace errors = automation::errors;

namespace {

// How Office reports a property that the bar refuses (E_FAIL through automation).
constexpr int32_t kOfficeMethodFailed = static_cast<int32_t>(0x80004005u);
constexpr std::u16string_view kOfficeSource = u"Office";

std::shared_ptr<BarState> bar(std::u16string name, bool visible, int32_t position) {
  auto b = std::make_shared<BarState>();
  b->name = std::move(name);
  b->visible = visible;
  b->position = position;
  return b;
}

}  // namespace

CommandBarLayout CommandBarLayout::word2003Defaults() {
  CommandBarLayout layout;
  layout.bars = {
      bar(u"Standard", true, kMsoBarTop),
      bar(u"Formatting", true, kMsoBarTop),
      bar(u"Task Pane", false, kMsoBarRight),
      bar(u"Drawing", false, kMsoBarBottom),
      bar(u"Tables and Borders", false, kMsoBarFloating),
      bar(u"Reviewing", false, kMsoBarTop),
      bar(u"Forms", false, kMsoBarFloating),
      bar(u"Picture", false, kMsoBarFloating),
      bar(u"Web", false, kMsoBarTop),
      bar(u"Visual Basic", false, kMsoBarFloating),
      bar(u"WordArt", false, kMsoBarFloating),
      bar(u"Outlining", false, kMsoBarTop),
      bar(u"Menu Bar", true, kMsoBarTop),
  };
  return layout;
}

std::shared_ptr<BarState> CommandBarLayout::find(std::u16string_view name) const {
  for (const auto& b : bars) {
    if (automation::equalsNoCase(b->name, name)) {
      return b;
    }
  }
  return nullptr;
}

// --- CommandBars

CommandBars::CommandBars(std::shared_ptr<WordSession> session,
                         std::shared_ptr<CommandBarLayout> layout)
    : SimObject(std::move(session)), layout_(std::move(layout)) {}

const automation::MemberTable<CommandBars>& CommandBars::members() {
  static const auto table =
      automation::MemberTable<CommandBars>()
          .get(u"Count", &CommandBars::count)
          .prop(u"DisplayTooltips", &CommandBars::displayTooltips, &CommandBars::setDisplayTooltips)
          .get(u"Item", {u"Index"}, &CommandBars::item)
          .asDefault();
  return table;
}

int32_t CommandBars::count() const {
  return static_cast<int32_t>(layout_->bars.size());
}

ObjectRef CommandBars::item(const Variant& index) {
  if (index.isMissing()) {
    automation::raiseError(errors::kArgumentNotOptional);
  }
  if (index.isString()) {
    const auto& bars = layout_->bars;
    for (size_t i = 0; i < bars.size(); ++i) {
      if (automation::equalsNoCase(bars[i]->name, index.stringRef())) {
        return std::make_shared<CommandBar>(session(), bars[i], static_cast<int32_t>(i + 1));
      }
    }
  } else {
    int32_t i = index.toLong();
    if (i >= 1 && i <= count()) {
      return std::make_shared<CommandBar>(session(), layout_->bars[i - 1], i);
    }
  }
  // Office answers a bar it does not know with "Invalid procedure call or argument".
  automation::raiseError(errors::kInvalidProcedureCall, {}, kOfficeSource);
}

// --- CommandBar

CommandBar::CommandBar(std::shared_ptr<WordSession> session, std::shared_ptr<BarState> bar,
                       int32_t index)
    : SimObject(std::move(session)), bar_(std::move(bar)), index_(index) {}

const automation::MemberTable<CommandBar>& CommandBar::members() {
  static const auto table = automation::MemberTable<CommandBar>()
                                .get(u"Name", &CommandBar::name)
                                .get(u"NameLocal", &CommandBar::name)
                                .get(u"Index", &CommandBar::index)
                                .prop(u"Enabled", &CommandBar::enabled, &CommandBar::setEnabled)
                                .prop(u"Visible", &CommandBar::visible, &CommandBar::setVisible)
                                .prop(u"Position", &CommandBar::position, &CommandBar::setPosition);
  return table;
}

void CommandBar::setEnabled(bool value) {
  bar_->enabled = value;
  if (!value) {
    bar_->visible = false;
  }
}

void CommandBar::setVisible(bool value) {
  if (value && !bar_->enabled) {
    automation::raiseError(kOfficeMethodFailed, u"Method 'Visible' of object 'CommandBar' failed",
                           kOfficeSource);
  }
  bar_->visible = value;
}

void CommandBar::setPosition(int32_t value) {
  if (value < kMsoBarLeft || value > kMsoBarFloating) {
    automation::raiseError(errors::kInvalidProcedureCall, {}, kOfficeSource);
  }
  bar_->position = value;
}

}  // namespace r58046::simword
