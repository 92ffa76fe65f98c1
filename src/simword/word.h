// Starting the simulated Word, and what happens to it outside automation (the desktop
// events of a scenario). The Application object answers automation; this header is the C++
// side that the scenario runner and the tests use.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "automation/dispatch.h"
#include "platform/platform.h"
#include "platform/sim_desktop.h"
#include "platform/sim_registry.h"
#include "simword/session.h"

namespace r58046::simword {

// Where a Word runs: its desktop, its class registry, its files and its folders.
struct WordEnvironment {
  platform::SimDesktop* desktop = nullptr;
  platform::SimRegistry* registry = nullptr;
  platform::FileSystem* files = nullptr;
  std::u16string documentsFolder;      // DefaultFilePath(0) and (14), with trailing separator
  std::u16string userTemplatesFolder;  // DefaultFilePath(2), without trailing separator
  // How the person answers when Word asks whether to save a changed document it closes
  // (Close or Quit with Word's default handling of unsaved changes); No when not given.
  std::function<SaveAnswer()> savePromptAnswer;
};

// One running simulated Word, seen from outside automation.
class WordInstance {
 public:
  virtual ~WordInstance() = default;

  // The Application object (what GetObject and CreateObject hand out).
  virtual automation::ObjectRef application() = 0;
  virtual WordSession& session() = 0;
  virtual bool running() const = 0;
  virtual platform::Hwnd mainWindow() const = 0;

  // Desktop events.
  virtual void openDialog(std::u16string caption) = 0;  // modal, owned by the main window
  virtual void openDialogInDialog() = 0;                // a dialog owned by a new dialog
  virtual void showBalloon() = 0;                       // "MSOBALLOON" with child windows
  virtual void minimize() = 0;
  virtual void hide() = 0;
  virtual void closeByUser() = 0;   // windows gone, every object fails with 462
  virtual void editEmbedded() = 0;  // "Document dans NAME" listed and active
};

// Registers "Word.application.11" (and "Word.Application") in the environment's registry:
// CreateObject starts a Word as automation does (invisible, no document) and registers it
// as the running object; a Word started by a user registers itself too.
void installWord(const WordEnvironment& environment);

// Starts a Word as a user starts it: visible, one new blank document "Document1".
std::shared_ptr<WordInstance> startWordAsUser(const WordEnvironment& environment);

// The Words started in this environment (by a user or by CreateObject), oldest first,
// including those that have ended.
std::vector<std::shared_ptr<WordInstance>> startedWords(const WordEnvironment& environment);

}  // namespace r58046::simword
