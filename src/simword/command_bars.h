// Office command bars of the simulated Word: the toolbars with their enabled state,
// visibility and docking position, and the tool-tips setting of the collection.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simword/session.h"

namespace r58046::simword {

// Office's bar positions (MsoBarPosition).
inline constexpr int32_t kMsoBarLeft = 0;
inline constexpr int32_t kMsoBarTop = 1;
inline constexpr int32_t kMsoBarRight = 2;
inline constexpr int32_t kMsoBarBottom = 3;
inline constexpr int32_t kMsoBarFloating = 4;

struct BarState {
  std::u16string name;
  bool enabled = true;
  bool visible = false;
  int32_t position = kMsoBarFloating;
};

// The bars and their layout. Word keeps them per user, not per running Word.
struct CommandBarLayout {
  std::vector<std::shared_ptr<BarState>> bars;
  bool displayTooltips = true;

  // Word 2003's layout after installation: the menu bar, Standard and Formatting docked at
  // the top and shown, Drawing hidden at the bottom, the task pane enabled and docked at
  // the right (shown at start-up when the startup task pane option is on), the other
  // toolbars hidden.
  static CommandBarLayout word2003Defaults();
  // The bar of that name (without regard to case), or nullptr.
  std::shared_ptr<BarState> find(std::u16string_view name) const;
  std::shared_ptr<BarState> taskPane() const { return find(u"Task Pane"); }
};

// The CommandBars collection: Count, Item by name (without regard to case) or by index,
// DisplayTooltips.
class CommandBars : public SimObject<CommandBars> {
 public:
  CommandBars(std::shared_ptr<WordSession> session, std::shared_ptr<CommandBarLayout> layout);
  static const automation::MemberTable<CommandBars>& members();

  int32_t count() const;
  automation::ObjectRef item(const automation::Variant& index);
  bool displayTooltips() const { return layout_->displayTooltips; }
  void setDisplayTooltips(bool value) { layout_->displayTooltips = value; }

 private:
  std::shared_ptr<CommandBarLayout> layout_;
};

// One bar. A disabled bar is hidden and cannot be shown.
class CommandBar : public SimObject<CommandBar> {
 public:
  CommandBar(std::shared_ptr<WordSession> session, std::shared_ptr<BarState> bar, int32_t index);
  static const automation::MemberTable<CommandBar>& members();

  const void* identity() const noexcept override { return bar_.get(); }

  std::u16string name() const { return bar_->name; }
  int32_t index() const { return index_; }
  bool enabled() const { return bar_->enabled; }
  void setEnabled(bool value);
  bool visible() const { return bar_->visible; }
  void setVisible(bool value);
  int32_t position() const { return bar_->position; }
  void setPosition(int32_t value);

 private:
  std::shared_ptr<BarState> bar_;
  int32_t index_;
};

}  // namespace r58046::simword
