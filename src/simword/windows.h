// The document windows of the simulated Word: one window per open document, with its
// panes (two when split), each pane's view and zoom, the style area and the selection.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simword/session.h"

namespace r58046::simword {

class Application;
class Document;

// Word's view types (WdViewType).
inline constexpr int32_t kWdNormalView = 1;
inline constexpr int32_t kWdPrintView = 3;
inline constexpr int32_t kWdReadingView = 7;

struct PaneData {
  int32_t zoomPercentage = 100;
  int32_t viewType = kWdPrintView;
  bool removed = false;  // the split was removed
};

struct WindowData {
  std::weak_ptr<Document> document;
  bool closed = false;  // the document was closed
  std::vector<std::shared_ptr<PaneData>> panes{std::make_shared<PaneData>()};
  size_t activePane = 0;
  int32_t styleAreaWidth = 0;  // twips
  bool showAll = false;
  bool showFieldCodes = false;
  bool verticalScrollBar = true;
  bool horizontalScrollBar = true;
  bool screenTips = true;
  // The selection of this window: [start, end) in the main text. Extending moves its
  // active end, the end unless the selection was extended backwards past where it began.
  int32_t selectionStart = 0;
  int32_t selectionEnd = 0;
  bool selectionActiveAtStart = false;

  PaneData& activePaneData() { return *panes[activePane]; }
};

// Application.Windows: Count, Item(index or caption).
class Windows : public SimObject<Windows> {
 public:
  explicit Windows(std::shared_ptr<Application> application);
  static const automation::MemberTable<Windows>& members();

  int32_t count() const;
  automation::ObjectRef item(const automation::Variant& index);

 private:
  std::shared_ptr<Application> application_;
};

// A document window. Its WindowState is the state of Word's main window, which shows the
// active document. Once its document is closed every member fails with Word's "Object has
// been deleted."
class Window : public SimObject<Window> {
 public:
  Window(std::shared_ptr<Application> application, std::shared_ptr<WindowData> data);
  static const automation::MemberTable<Window>& members();
  const void* identity() const noexcept override { return data_.get(); }

  automation::ObjectRef activePane();
  automation::ObjectRef panes();
  bool split() const;
  void setSplit(bool value);
  automation::ObjectRef view();
  float styleAreaWidth() const;
  void setStyleAreaWidth(float points);
  int32_t windowState() const;
  void setWindowState(int32_t value);
  bool displayVerticalScrollBar() const;
  void setDisplayVerticalScrollBar(bool value);
  bool displayHorizontalScrollBar() const;
  void setDisplayHorizontalScrollBar(bool value);
  bool displayScreenTips() const;
  void setDisplayScreenTips(bool value);
  std::u16string caption() const;
  automation::ObjectRef document() const;
  automation::ObjectRef selection();
  int32_t index() const;
  void activate();
  automation::ObjectRef application() const;

 private:
  WindowData& data() const;  // Word's error once the document is closed
  std::shared_ptr<Application> application_;
  std::shared_ptr<WindowData> data_;
};

// Window.Panes: Count, Item(index).
class Panes : public SimObject<Panes> {
 public:
  Panes(std::shared_ptr<Application> application, std::shared_ptr<WindowData> data);
  static const automation::MemberTable<Panes>& members();

  int32_t count() const;
  automation::ObjectRef item(int32_t index);

 private:
  std::shared_ptr<Application> application_;
  std::shared_ptr<WindowData> data_;
};

class Pane : public SimObject<Pane> {
 public:
  Pane(std::shared_ptr<Application> application, std::shared_ptr<WindowData> window,
       std::shared_ptr<PaneData> pane);
  static const automation::MemberTable<Pane>& members();
  const void* identity() const noexcept override { return pane_.get(); }

  automation::ObjectRef view();
  int32_t index() const;
  void activate();

 private:
  std::shared_ptr<Application> application_;
  std::shared_ptr<WindowData> window_;
  std::shared_ptr<PaneData> pane_;
};

// The view of a pane: its type and zoom are the pane's own; ShowAll and ShowFieldCodes
// belong to the window.
class View : public SimObject<View> {
 public:
  View(std::shared_ptr<Application> application, std::shared_ptr<WindowData> window,
       std::shared_ptr<PaneData> pane);
  static const automation::MemberTable<View>& members();
  const void* identity() const noexcept override { return &pane_->viewType; }

  bool showAll() const;
  void setShowAll(bool value);
  bool showFieldCodes() const;
  void setShowFieldCodes(bool value);
  int32_t type() const;
  void setType(int32_t value);
  automation::ObjectRef zoom();

 private:
  void check() const;
  std::shared_ptr<Application> application_;
  std::shared_ptr<WindowData> window_;
  std::shared_ptr<PaneData> pane_;
};

// View.Zoom: Percentage, 10 to 500.
class Zoom : public SimObject<Zoom> {
 public:
  Zoom(std::shared_ptr<WordSession> session, std::shared_ptr<WindowData> window,
       std::shared_ptr<PaneData> pane);
  static const automation::MemberTable<Zoom>& members();
  const void* identity() const noexcept override { return &pane_->zoomPercentage; }

  int32_t percentage() const;
  void setPercentage(int32_t value);

 private:
  void check() const;
  std::shared_ptr<WindowData> window_;
  std::shared_ptr<PaneData> pane_;
};

}  // namespace r58046::simword
