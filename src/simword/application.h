// The Application object of the simulated Word: one running Word, with its documents and
// their windows, its add-ins, its desktop windows, and the members of Word's Application
// object. It is also what the documents know of Word (DocumentHost) and what the scenario
// runner and the tests drive from outside automation (WordInstance).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "simword/addins.h"
#include "simword/desktop.h"
#include "simword/document.h"
#include "simword/options.h"
#include "simword/session.h"
#include "simword/windows.h"
#include "simword/word.h"

namespace r58046::simword {

// The ProgIDs Word answers to.
inline constexpr std::u16string_view kWordProgId = u"Word.application.11";
inline constexpr std::u16string_view kWordVersionIndependentProgId = u"Word.Application";

// A file name's last component, and the folder before it (without the separator).
std::u16string fileNameOf(std::u16string_view path);
std::u16string folderOf(std::u16string_view path);

class Application final : public SimObject<Application>, public WordInstance, public DocumentHost {
 public:
  enum class StartedBy : uint8_t { User, Automation };

  // Starts a Word: by a user (visible, "Document1" open, registered as the running Word) or
  // by automation (hidden, no document, registered only when no Word runs).
  static std::shared_ptr<Application> start(const WordEnvironment& environment,
                                            const std::shared_ptr<WordSettings>& settings,
                                            StartedBy startedBy);

  Application(const WordEnvironment& environment, std::shared_ptr<WordSettings> settings,
              std::shared_ptr<WordSession> session);
  static const automation::MemberTable<Application>& members();

  // --- WordInstance (and DocumentHost::application)
  automation::ObjectRef application() override;
  WordSession& session() override { return *sessionPtr(); }
  bool running() const override { return sessionPtr()->alive(); }
  platform::Hwnd mainWindow() const override { return desktop_->mainWindow(); }
  void openDialog(std::u16string caption) override;
  void openDialogInDialog() override;
  void showBalloon() override;
  void minimize() override;
  void hide() override;
  void closeByUser() override;
  void editEmbedded() override;

  // --- DocumentHost
  void activate(Document& document) override;
  void closed(Document& document) override;
  void renamed(Document& document) override;
  automation::ObjectRef windowOf(Document& document) override;
  platform::FileSystem& files() override { return *environment_.files; }
  std::u16string userTemplatesFolder() override;
  // Word's current folder (its documents folder until ChangeFileOpenDirectory moves it),
  // with the separator: SaveAs of a bare name writes there, InsertFile looks there.
  std::u16string defaultFolder() override;
  // Options.MeasurementUnit: Style.Description states lengths in the user's unit.
  int32_t measurementUnit() override { return settings_->measurementUnit; }
  // The person's answer, as the environment arranges it (No when it does not).
  SaveAnswer askToSave(Document& document) override;

  // --- what the collections and windows of this Word use
  struct OpenDocument {
    std::shared_ptr<Document> document;
    std::shared_ptr<WindowData> window;
    uint64_t activatedAt = 0;
  };
  const std::vector<OpenDocument>& openDocuments() const { return documents_; }
  // The active document's entry; nullptr when no document is open.
  const OpenDocument* active() const;
  // The active document's entry; Word's error 4248 when no document is open.
  const OpenDocument& requireActive() const;
  const OpenDocument* entryOf(const Document& document) const;
  // Adds an open document with a new window and makes it the active one.
  void addDocument(std::shared_ptr<Document> document);
  // "Document2", "Template3": new documents and templates are numbered in one sequence.
  std::u16string nextNewName(bool asTemplate);
  // Closes every document, in the order of the list, as Document.Close does (SaveChanges
  // omitted: Word asks the person about each changed document). An answer Cancel stops
  // there with Word's error 4198: the documents not yet closed stay open.
  void closeAllDocuments(const automation::Variant& saveChanges);
  // A file name completed as Word completes it: relative to the current folder.
  std::u16string resolvePath(std::u16string_view fileName) const;
  const std::u16string& currentFolder() const { return currentFolder_; }
  // The current folder (ChangeFileOpenDirectory, DefaultFilePath(14)); it must exist.
  void setCurrentFolder(std::u16string_view folder);
  std::u16string normalTemplateFullName();
  std::vector<std::shared_ptr<AddInData>>& addIns() { return addIns_; }
  WordSettings& settings() { return *settings_; }
  const std::shared_ptr<WordSettings>& settingsPtr() const { return settings_; }
  WordDesktop& desktop() { return *desktop_; }
  const std::shared_ptr<WordSession>& sessionPtr() const {
    return SimObject<Application>::session();
  }
  std::shared_ptr<Application> self();

  // --- automation members
  automation::ObjectRef documents();
  automation::ObjectRef windows();
  automation::ObjectRef activeDocument();
  automation::ObjectRef activeWindow();
  automation::ObjectRef selection();
  automation::ObjectRef options();
  automation::ObjectRef templates();
  automation::ObjectRef addInsObject();
  automation::ObjectRef commandBars();
  automation::ObjectRef normalTemplate();
  bool visible() const { return desktop_->visible(); }
  void setVisible(bool value) { desktop_->setVisible(value); }
  bool displayStatusBar() const { return displayStatusBar_; }
  void setDisplayStatusBar(bool value) { displayStatusBar_ = value; }
  int32_t windowState() const { return desktop_->windowState(); }
  void setWindowState(int32_t value);
  std::u16string userAddress() const { return settings_->userAddress; }
  void setUserAddress(std::u16string value) { settings_->userAddress = std::move(value); }
  bool showStartupDialog() const { return settings_->showStartupDialog; }
  void setShowStartupDialog(bool value) { settings_->showStartupDialog = value; }
  void quit(const automation::Variant& saveChanges, const automation::Variant& originalFormat,
            const automation::Variant& routeDocument);
  void changeFileOpenDirectory(const std::u16string& path) { setCurrentFolder(path); }
  float centimetersToPoints(float centimeters) const;
  float inchesToPoints(float inches) const;
  void activateWord() { desktop_->bringToForeground(); }
  // Automation members, bound as methods of the application.
  // NOLINTBEGIN(readability-convert-member-functions-to-static)
  std::u16string name() const { return u"Microsoft Word"; }
  std::u16string version() const { return u"11.0"; }
  // The first released build of Word 2003.
  std::u16string build() const { return u"11.0.5604"; }
  // NOLINTEND(readability-convert-member-functions-to-static)

 private:
  // Word ends: its documents are dropped, its windows go, it leaves the running object
  // table, and every object of it fails with 462 from now on.
  void end();
  void updateTitle();
  OpenDocument* find(const Document& document);

  WordEnvironment environment_;
  std::shared_ptr<WordSettings> settings_;
  std::shared_ptr<WordDesktop> desktop_;
  std::vector<OpenDocument> documents_;
  std::vector<std::shared_ptr<AddInData>> addIns_;
  std::u16string currentFolder_;
  bool displayStatusBar_ = true;
  int32_t newDocuments_ = 0;
  uint64_t activations_ = 0;
};

}  // namespace r58046::simword
