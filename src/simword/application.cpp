#include "simword/application.h"

#include <algorithm>

#include "automation/error.h"
#include "automation/text.h"
#include "platform/sim_registry.h"
#include "simword/application_documents.h"
#include "simword/selection.h"
#include "simword/templates.h"
#include "simword/units.h"

namespace r58046::simword {

using automation::ObjectRef;
using automation::Variant;
namespace errors = automation::errors;

namespace {

const std::u16string_view kProgIds[] = {kWordProgId, kWordVersionIndependentProgId};

std::u16string withSeparator(std::u16string_view folder) {
  std::u16string out(folder);
  if (out.empty() || out.back() != platform::kSeparator) {
    out += platform::kSeparator;
  }
  return out;
}

}  // namespace

std::u16string fileNameOf(std::u16string_view path) {
  size_t at = path.rfind(platform::kSeparator);
  return std::u16string(at == std::u16string_view::npos ? path : path.substr(at + 1));
}

std::u16string folderOf(std::u16string_view path) {
  size_t at = path.rfind(platform::kSeparator);
  return std::u16string(at == std::u16string_view::npos ? std::u16string_view()
                                                        : path.substr(0, at));
}

// --- starting and ending

Application::Application(const WordEnvironment& environment, std::shared_ptr<WordSettings> settings,
                         std::shared_ptr<WordSession> session)
    : SimObject(session),
      environment_(environment),
      settings_(std::move(settings)),
      desktop_(std::make_shared<WordDesktop>(*environment.desktop, std::move(session))),
      currentFolder_(settings_->filePaths[kWdDocumentsPath]) {}

std::shared_ptr<Application> Application::start(const WordEnvironment& environment,
                                                const std::shared_ptr<WordSettings>& settings,
                                                StartedBy startedBy) {
  bool byUser = startedBy == StartedBy::User;
  auto app = std::make_shared<Application>(environment, settings, std::make_shared<WordSession>());
  std::weak_ptr<Application> weak = app;
  app->desktop_->createMainWindow(byUser, [weak] {
    if (auto word = weak.lock()) {
      word->closeByUser();
    }
  });
  if (auto pane = settings->commandBars->taskPane(); pane && pane->enabled) {
    pane->visible = settings->showStartupDialog;
  }
  if (byUser) {
    app->addDocument(
        Document::create(app->sessionPtr(), *app, app->nextNewName(false), std::nullopt, false));
  }
  bool becomesRunning = byUser;
  if (!byUser) {
    try {
      environment.registry->getActiveObject(kWordProgId);
    } catch (const automation::AutomationError&) {
      becomesRunning = true;  // no Word runs: this one becomes the running Word
    }
  }
  if (becomesRunning) {
    for (auto progId : kProgIds) {
      environment.registry->registerRunning(progId, app);
    }
  }
  return app;
}

void Application::end() {
  if (!running()) {
    return;
  }
  sessionPtr()->end();
  // Dropped after the list is empty, so that nothing that runs while a document goes finds
  // it listed.
  auto dropped = std::move(documents_);
  documents_.clear();
  for (auto& entry : dropped) {
    entry.window->closed = true;
  }
  desktop_->destroyAll();
  for (auto progId : kProgIds) {
    environment_.registry->revokeRunning(progId, application());
  }
}

void Application::quit(const Variant& saveChanges, const Variant& /*originalFormat*/,
                       const Variant& /*routeDocument*/) {
  closeAllDocuments(saveChanges);
  end();
}

// --- desktop events

void Application::openDialog(std::u16string caption) {
  if (running()) {
    desktop_->openDialog(caption);
  }
}

void Application::openDialogInDialog() {
  if (running()) {
    desktop_->openDialogInDialog();
  }
}

void Application::showBalloon() {
  if (running()) {
    desktop_->showBalloon();
  }
}

void Application::minimize() {
  if (running()) {
    desktop_->minimize();
  }
}

void Application::hide() {
  if (running()) {
    desktop_->setVisible(false);
  }
}

void Application::closeByUser() {
  end();
}

void Application::editEmbedded() {
  const OpenDocument* container = running() ? active() : nullptr;
  if (container == nullptr) {
    return;
  }
  std::u16string name = u"Document dans " + container->document->name();
  addDocument(Document::create(sessionPtr(), *this, name, std::nullopt, false));
}

// --- documents

ObjectRef Application::application() {
  return shared_from_this();
}

std::shared_ptr<Application> Application::self() {
  return std::static_pointer_cast<Application>(shared_from_this());
}

Application::OpenDocument* Application::find(const Document& document) {
  for (auto& entry : documents_) {
    if (entry.document.get() == &document) {
      return &entry;
    }
  }
  return nullptr;
}

const Application::OpenDocument* Application::entryOf(const Document& document) const {
  // One lookup for both constnesses: find changes nothing.
  return const_cast<Application*>(this)->find(  // NOLINT(cppcoreguidelines-pro-type-const-cast)
      document);
}

const Application::OpenDocument* Application::active() const {
  const OpenDocument* best = nullptr;
  for (const auto& entry : documents_) {
    if (best == nullptr || entry.activatedAt > best->activatedAt) {
      best = &entry;
    }
  }
  return best;
}

const Application::OpenDocument& Application::requireActive() const {
  const OpenDocument* entry = active();
  if (entry == nullptr) {
    raiseWordError(wderrors::kNoDocumentOpen);
  }
  return *entry;
}

void Application::addDocument(std::shared_ptr<Document> document) {
  auto window = std::make_shared<WindowData>();
  window->document = document;
  Document& added = *document;
  documents_.push_back(OpenDocument{std::move(document), std::move(window), 0});
  activate(added);
}

std::u16string Application::nextNewName(bool asTemplate) {
  ++newDocuments_;
  std::u16string number = automation::Variant(newDocuments_).toString();
  return (asTemplate ? u"Template" : u"Document") + number;
}

void Application::activate(Document& document) {
  if (OpenDocument* entry = find(document)) {
    entry->activatedAt = ++activations_;
    updateTitle();
  }
}

void Application::closed(Document& document) {
  auto it = std::find_if(documents_.begin(), documents_.end(),
                         [&](const OpenDocument& e) { return e.document.get() == &document; });
  if (it == documents_.end()) {
    return;
  }
  // The caller holds the document while it closes; the list only lets go of it.
  it->window->closed = true;
  documents_.erase(it);
  updateTitle();
}

SaveAnswer Application::askToSave(Document& /*document*/) {
  return environment_.savePromptAnswer ? environment_.savePromptAnswer() : SaveAnswer::No;
}

void Application::renamed(Document& /*document*/) {
  updateTitle();
}

ObjectRef Application::windowOf(Document& document) {
  const OpenDocument* entry = find(document);
  if (entry == nullptr) {
    raiseWordError(wderrors::kObjectDeleted);
  }
  return std::make_shared<Window>(self(), entry->window);
}

std::u16string Application::userTemplatesFolder() {
  std::u16string folder = settings_->filePaths[kWdUserTemplatesPath];
  if (!folder.empty() && folder.back() == platform::kSeparator) {
    folder.pop_back();
  }
  return folder;
}

std::u16string Application::defaultFolder() {
  return currentFolder_.empty() ? std::u16string() : withSeparator(currentFolder_);
}

std::u16string Application::normalTemplateFullName() {
  return withSeparator(userTemplatesFolder()) + u"Normal.dot";
}

void Application::updateTitle() {
  const OpenDocument* entry = active();
  desktop_->setTitle(entry == nullptr ? std::u16string() : entry->document->name());
}

void Application::closeAllDocuments(const Variant& saveChanges) {
  int32_t save = saveChanges.isMissing() ? kWdPromptToSaveChanges : saveChanges.toLong();
  std::vector<std::shared_ptr<Document>> open;
  for (const auto& entry : documents_) {
    open.push_back(entry.document);
  }
  for (const auto& document : open) {
    document->close(save);
  }
}

std::u16string Application::resolvePath(std::u16string_view fileName) const {
  if (fileName.find(platform::kSeparator) != std::u16string_view::npos) {
    return std::u16string(fileName);
  }
  return withSeparator(currentFolder_) + std::u16string(fileName);
}

void Application::setCurrentFolder(std::u16string_view folder) {
  if (folder.empty() || !environment_.files->folderExists(folder)) {
    raiseWordError(wderrors::kInvalidFileName);
  }
  currentFolder_ = std::u16string(folder);
}

// --- automation members

const automation::MemberTable<Application>& Application::members() {
  using A = Application;
  static const auto table =
      automation::MemberTable<A>()
          .get(u"Documents", &A::documents)
          .get(u"Windows", &A::windows)
          .get(u"ActiveDocument", &A::activeDocument)
          .get(u"ActiveWindow", &A::activeWindow)
          .get(u"Selection", &A::selection)
          .get(u"Options", &A::options)
          .get(u"Templates", &A::templates)
          .get(u"AddIns", &A::addInsObject)
          .get(u"CommandBars", &A::commandBars)
          .get(u"NormalTemplate", &A::normalTemplate)
          .get(u"Application", &A::application)
          .prop(u"Visible", &A::visible, &A::setVisible)
          .prop(u"DisplayStatusBar", &A::displayStatusBar, &A::setDisplayStatusBar)
          .prop(u"WindowState", &A::windowState, &A::setWindowState)
          .prop(u"UserAddress", &A::userAddress, &A::setUserAddress)
          .prop(u"ShowStartupDialog", &A::showStartupDialog, &A::setShowStartupDialog)
          .method(u"Quit", {u"SaveChanges", u"OriginalFormat", u"RouteDocument"}, &A::quit)
          .method(u"ChangeFileOpenDirectory", {u"Path"}, &A::changeFileOpenDirectory)
          .get(u"CentimetersToPoints", {u"Centimeters"}, &A::centimetersToPoints)
          .get(u"InchesToPoints", {u"Inches"}, &A::inchesToPoints)
          .method(u"Activate", &A::activateWord)
          .get(u"Version", &A::version)
          .get(u"Build", &A::build)
          .get(u"Name", &A::name)
          .asDefault();
  return table;
}

ObjectRef Application::documents() {
  return std::make_shared<Documents>(self());
}

ObjectRef Application::windows() {
  return std::make_shared<Windows>(self());
}

// An automation member: bound as a method of the application, like its neighbours.
ObjectRef Application::activeDocument() {  // NOLINT(readability-make-member-function-const)
  return requireActive().document;
}

ObjectRef Application::activeWindow() {
  return std::make_shared<Window>(self(), requireActive().window);
}

ObjectRef Application::selection() {
  return std::make_shared<Selection>(self(), requireActive().window);
}

ObjectRef Application::options() {
  return std::make_shared<Options>(self());
}

ObjectRef Application::templates() {
  return std::make_shared<Templates>(self());
}

ObjectRef Application::addInsObject() {
  return std::make_shared<AddIns>(self());
}

ObjectRef Application::commandBars() {
  return std::make_shared<CommandBars>(sessionPtr(), settings_->commandBars);
}

ObjectRef Application::normalTemplate() {
  return std::make_shared<TemplateFile>(sessionPtr(), normalTemplateFullName());
}

void Application::setWindowState(int32_t value) {
  if (value < kWdWindowStateNormal || value > kWdWindowStateMinimize) {
    raiseWordError(errors::kWordValueOutOfRange);
  }
  desktop_->setWindowState(value);
}

// Automation members: bound as methods of the application, as Word has them.
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
float Application::centimetersToPoints(float centimeters) const {
  return units::centimetresToPoints(centimeters);
}

// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
float Application::inchesToPoints(float inches) const {
  return units::inchesToPoints(inches);
}

}  // namespace r58046::simword
