// The world a scenario file plays in: its folders, its desktop and Words, and the module
// that the host drives. Each file gets a new one, removed with it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "automation/call_observer.h"
#include "automation/dispatch.h"
#include "external/host.h"
#include "platform/platform.h"
#include "scenario/script.h"

namespace r58046::scenario {

struct WorldFolders {
  std::u16string work;           // the host's working folder, ending with the separator
  std::u16string documents;      // Word's documents folder, ending with the separator
  std::u16string userTemplates;  // Word's user-templates folder, without trailing separator
  std::u16string templates;      // the module's template folder, ending with the separator
};

// A Word as a host or a user holds it: its Application and its main window.
struct WordHandle {
  automation::ObjectRef application;
  platform::Hwnd window = 0;
};

// What a world throws for a line it cannot play (a desktop event or a fault against a real
// Word, which only the simulated Word can stage): the runner reports the line as skipped,
// not failed.
class LineNotPlayable : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class World {
 public:
  virtual ~World() = default;

  virtual const WorldFolders& folders() const = 0;
  virtual platform::FileSystem& files() = 0;
  // The module, created for this world; the runner calls it as a host does.
  virtual external::AbstractModule& module() = 0;

  // The Application of the Word started last that still runs; empty when none runs.
  virtual automation::ObjectRef runningWord() = 0;
  // Starts a Word as a user starts it: visible, with one new blank document.
  virtual WordHandle startWordAsUser() = 0;
  // Something happens on the desktop to the running Word; std::runtime_error when no Word
  // runs.
  virtual void desktopEvent(DesktopEvent event, const std::u16string& caption) = 0;
  // How the person answers from now on, in every Word, when Word asks whether to save the
  // changes of a document it closes (No until arranged).
  virtual void arrangeSavePrompt(simword::SaveAnswer answer) = 0;
  // The n-th call from now on that Word answers to a member of that name fails with
  // `error`. When no Word runs, the fault waits for the next Word that starts.
  virtual void injectFault(std::u16string_view member, int32_t occurrence, int32_t error) = 0;
  // Sets an attribute of an existing file as a user would (a `file` line).
  virtual void setFileAttribute(std::u16string_view path, platform::FileAttribute attribute) {
    files().setAttribute(path, attribute);
  }

  // Tells `observer` of every Word call the module makes from now on; null stops it. False
  // when this world cannot tell them.
  virtual bool observeWordCalls(automation::CallObserver* observer) {
    (void)observer;
    return false;
  }

  // The $ names of this world for the lines of a scenario.
  Substitutions substitutions() const {
    const WorldFolders& f = folders();
    return {{u"WORK", f.work},
            {u"DOCS", f.documents},
            {u"USERTEMPLATES", f.userTemplates},
            {u"TEMPLATES", f.templates}};
  }
};

}  // namespace r58046::scenario
