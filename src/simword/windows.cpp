#include "simword/windows.h"

#include "automation/error.h"
#include "automation/text.h"
#include "simword/application.h"
#include "simword/selection.h"
#include "simword/units.h"

namespace r58046::simword {

using automation::ObjectRef;
using automation::Variant;
namespace errors = automation::errors;

namespace {

constexpr int32_t kMinZoom = 10;
constexpr int32_t kMaxZoom = 500;

void checkOpen(const WindowData& window) {
  if (window.closed) {
    raiseWordError(wderrors::kObjectDeleted);
  }
}

}  // namespace

// --- Windows

Windows::Windows(std::shared_ptr<Application> application)
    : SimObject(application->sessionPtr()), application_(std::move(application)) {}

const automation::MemberTable<Windows>& Windows::members() {
  static const auto table = automation::MemberTable<Windows>()
                                .get(u"Count", &Windows::count)
                                .get(u"Item", {u"Index"}, &Windows::item)
                                .asDefault();
  return table;
}

int32_t Windows::count() const {
  return static_cast<int32_t>(application_->openDocuments().size());
}

ObjectRef Windows::item(const Variant& index) {
  if (index.isMissing()) {
    automation::raiseError(errors::kArgumentNotOptional);
  }
  const auto& open = application_->openDocuments();
  if (index.isString()) {
    for (const auto& entry : open) {
      if (automation::equalsNoCase(entry.document->name(), index.stringRef())) {
        return std::make_shared<Window>(application_, entry.window);
      }
    }
  } else {
    int32_t i = index.toLong();
    if (i >= 1 && i <= count()) {
      return std::make_shared<Window>(application_, open[i - 1].window);
    }
  }
  raiseWordError(errors::kWordNoSuchMember);
}

// --- Window

Window::Window(std::shared_ptr<Application> application, std::shared_ptr<WindowData> data)
    : SimObject(application->sessionPtr()),
      application_(std::move(application)),
      data_(std::move(data)) {}

const automation::MemberTable<Window>& Window::members() {
  using W = Window;
  static const auto table =
      automation::MemberTable<W>()
          .get(u"ActivePane", &W::activePane)
          .get(u"Panes", &W::panes)
          .prop(u"Split", &W::split, &W::setSplit)
          .get(u"View", &W::view)
          .prop(u"StyleAreaWidth", &W::styleAreaWidth, &W::setStyleAreaWidth)
          .prop(u"WindowState", &W::windowState, &W::setWindowState)
          .prop(u"DisplayVerticalScrollBar", &W::displayVerticalScrollBar,
                &W::setDisplayVerticalScrollBar)
          .prop(u"DisplayHorizontalScrollBar", &W::displayHorizontalScrollBar,
                &W::setDisplayHorizontalScrollBar)
          .prop(u"DisplayScreenTips", &W::displayScreenTips, &W::setDisplayScreenTips)
          .get(u"Document", &W::document)
          .get(u"Selection", &W::selection)
          .get(u"Index", &W::index)
          .method(u"Activate", &W::activate)
          .get(u"Application", &W::application)
          .get(u"Caption", &W::caption)
          .asDefault();
  return table;
}

WindowData& Window::data() const {
  checkOpen(*data_);
  return *data_;
}

ObjectRef Window::activePane() {
  WindowData& w = data();
  return std::make_shared<Pane>(application_, data_, w.panes[w.activePane]);
}

ObjectRef Window::panes() {
  data();
  return std::make_shared<Panes>(application_, data_);
}

bool Window::split() const {
  return data().panes.size() > 1;
}

void Window::setSplit(bool value) {
  WindowData& w = data();
  if (value && w.panes.size() == 1) {
    // The new pane shows what the first one shows.
    w.panes.push_back(std::make_shared<PaneData>(*w.panes.front()));
  } else if (!value && w.panes.size() > 1) {
    // The active pane stays.
    auto kept = w.panes[w.activePane];
    for (auto& pane : w.panes) {
      pane->removed = pane != kept;
    }
    w.panes = {kept};
    w.activePane = 0;
  }
}

ObjectRef Window::view() {
  WindowData& w = data();
  return std::make_shared<View>(application_, data_, w.panes[w.activePane]);
}

float Window::styleAreaWidth() const {
  return units::twipsToPoints(data().styleAreaWidth);
}

void Window::setStyleAreaWidth(float points) {
  WindowData& w = data();
  if (points < 0) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  w.styleAreaWidth = units::pointsToTwips(points);
}

int32_t Window::windowState() const {
  data();
  return application_->windowState();
}

void Window::setWindowState(int32_t value) {
  data();
  application_->setWindowState(value);
}

bool Window::displayVerticalScrollBar() const {
  return data().verticalScrollBar;
}
void Window::setDisplayVerticalScrollBar(bool value) {
  data().verticalScrollBar = value;
}
bool Window::displayHorizontalScrollBar() const {
  return data().horizontalScrollBar;
}
void Window::setDisplayHorizontalScrollBar(bool value) {
  data().horizontalScrollBar = value;
}
bool Window::displayScreenTips() const {
  return data().screenTips;
}
void Window::setDisplayScreenTips(bool value) {
  data().screenTips = value;
}

std::u16string Window::caption() const {
  auto document = data().document.lock();
  return document ? document->name() : std::u16string();
}

ObjectRef Window::document() const {
  auto document = data().document.lock();
  if (!document) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return document;
}

ObjectRef Window::selection() {
  data();
  return std::make_shared<Selection>(application_, data_);
}

int32_t Window::index() const {
  data();
  const auto& open = application_->openDocuments();
  for (size_t i = 0; i < open.size(); ++i) {
    if (open[i].window == data_) {
      return static_cast<int32_t>(i + 1);
    }
  }
  raiseWordError(wderrors::kObjectDeleted);
}

void Window::activate() {
  auto document = data().document.lock();
  if (document) {
    application_->activate(*document);
  }
}

ObjectRef Window::application() const {
  return application_;
}

// --- Panes and Pane

Panes::Panes(std::shared_ptr<Application> application, std::shared_ptr<WindowData> data)
    : SimObject(application->sessionPtr()),
      application_(std::move(application)),
      data_(std::move(data)) {}

const automation::MemberTable<Panes>& Panes::members() {
  static const auto table = automation::MemberTable<Panes>()
                                .get(u"Count", &Panes::count)
                                .get(u"Item", {u"Index"}, &Panes::item)
                                .asDefault();
  return table;
}

int32_t Panes::count() const {
  checkOpen(*data_);
  return static_cast<int32_t>(data_->panes.size());
}

ObjectRef Panes::item(int32_t index) {
  if (index < 1 || index > count()) {
    raiseWordError(errors::kWordNoSuchMember);
  }
  return std::make_shared<Pane>(application_, data_, data_->panes[index - 1]);
}

Pane::Pane(std::shared_ptr<Application> application, std::shared_ptr<WindowData> window,
           std::shared_ptr<PaneData> pane)
    : SimObject(application->sessionPtr()),
      application_(std::move(application)),
      window_(std::move(window)),
      pane_(std::move(pane)) {}

const automation::MemberTable<Pane>& Pane::members() {
  static const auto table = automation::MemberTable<Pane>()
                                .get(u"View", &Pane::view)
                                .get(u"Index", &Pane::index)
                                .method(u"Activate", &Pane::activate);
  return table;
}

int32_t Pane::index() const {
  checkOpen(*window_);
  for (size_t i = 0; i < window_->panes.size(); ++i) {
    if (window_->panes[i] == pane_) {
      return static_cast<int32_t>(i + 1);
    }
  }
  raiseWordError(wderrors::kObjectDeleted);
}

ObjectRef Pane::view() {
  index();
  return std::make_shared<View>(application_, window_, pane_);
}

void Pane::activate() {
  window_->activePane = static_cast<size_t>(index() - 1);
}

// --- View and Zoom

View::View(std::shared_ptr<Application> application, std::shared_ptr<WindowData> window,
           std::shared_ptr<PaneData> pane)
    : SimObject(application->sessionPtr()),
      application_(std::move(application)),
      window_(std::move(window)),
      pane_(std::move(pane)) {}

const automation::MemberTable<View>& View::members() {
  static const auto table =
      automation::MemberTable<View>()
          .prop(u"ShowAll", &View::showAll, &View::setShowAll)
          .prop(u"ShowFieldCodes", &View::showFieldCodes, &View::setShowFieldCodes)
          .prop(u"Type", &View::type, &View::setType)
          .get(u"Zoom", &View::zoom);
  return table;
}

void View::check() const {
  checkOpen(*window_);
  if (pane_->removed) {
    raiseWordError(wderrors::kObjectDeleted);
  }
}

bool View::showAll() const {
  check();
  return window_->showAll;
}

void View::setShowAll(bool value) {
  check();
  window_->showAll = value;
}

bool View::showFieldCodes() const {
  check();
  return window_->showFieldCodes;
}

void View::setShowFieldCodes(bool value) {
  check();
  window_->showFieldCodes = value;
}

int32_t View::type() const {
  check();
  return pane_->viewType;
}

void View::setType(int32_t value) {
  check();
  if (value < kWdNormalView || value > kWdReadingView) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  pane_->viewType = value;
}

ObjectRef View::zoom() {
  check();
  return std::make_shared<Zoom>(session(), window_, pane_);
}

Zoom::Zoom(std::shared_ptr<WordSession> session, std::shared_ptr<WindowData> window,
           std::shared_ptr<PaneData> pane)
    : SimObject(std::move(session)), window_(std::move(window)), pane_(std::move(pane)) {}

const automation::MemberTable<Zoom>& Zoom::members() {
  static const auto table = automation::MemberTable<Zoom>()
                                .prop(u"Percentage", &Zoom::percentage, &Zoom::setPercentage)
                                .asDefault();
  return table;
}

void Zoom::check() const {
  checkOpen(*window_);
  if (pane_->removed) {
    raiseWordError(wderrors::kObjectDeleted);
  }
}

int32_t Zoom::percentage() const {
  check();
  return pane_->zoomPercentage;
}

void Zoom::setPercentage(int32_t value) {
  check();
  if (value < kMinZoom || value > kMaxZoom) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  pane_->zoomPercentage = value;
}

}  // namespace r58046::simword
