// Test doubles for the module's unit tests: a Word of scriptable automation objects, a
// platform made of the simulated desktop and registry, the real file system in a temporary
// folder and recorded pauses, and access to Module's private procedures.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "automation/members.h"
#include "automation/text.h"
#include "module/module.h"
#include "platform/posix_file_system.h"
#include "platform/real_pauses.h"
#include "platform/sim_desktop.h"
#include "platform/sim_registry.h"
#include "support/fake_object.h"
#include "support/temp_folder.h"

namespace r58046::testing {

using automation::Args;
using automation::InvokeKind;
using automation::ObjectRef;
using automation::Variant;

// An automation object standing for any Word object (tests/support).
using Fake = testsupport::FakeObject;

// A Word that answers what InitQuestion asks before the question exists: options, user
// address, command bars, documents (none), windows.
struct FakeWord {
  std::shared_ptr<Fake> app = Fake::make();
  std::shared_ptr<Fake> documents = Fake::make();
  std::shared_ptr<Fake> options = Fake::make();
  std::shared_ptr<Fake> commandBars = Fake::make();
  std::shared_ptr<Fake> windows = Fake::make();
  std::shared_ptr<Fake> bar = Fake::make();

  explicit FakeWord(const std::u16string& userTemplates) {
    app->on(u"Application",
            [weak = std::weak_ptr<Fake>(app)](Args&) { return Variant(ObjectRef(weak.lock())); })
        .value(u"Documents", Variant(documents))
        .value(u"Options", Variant(options))
        .value(u"CommandBars", Variant(commandBars))
        .value(u"Windows", Variant(windows))
        .value(u"UserAddress", u"")
        .value(u"ShowStartupDialog", Variant::boolean(true))
        .on(u"ChangeFileOpenDirectory", [](Args&) { return Variant(); })
        .on(u"Quit", [](Args&) { return Variant(); });
    documents->value(u"Count", int32_t{0})
        .on(u"Add", [](Args&) { return Variant(); })
        .on(u"Close", [](Args&) { return Variant(); });
    options->value(u"MeasurementUnit", int32_t{1}).on(u"DefaultFilePath", [userTemplates](Args& a) {
      return Variant(a[0].get().toLong() == 2 ? userTemplates : std::u16string(u"/docs/"));
    });
    commandBars->value(u"DisplayTooltips", Variant::boolean(true)).value(u"Item", Variant(bar));
    bar->value(u"Enabled", Variant::boolean(true))
        .value(u"Visible", Variant::boolean(false))
        .value(u"Position", int32_t{1});
    windows->value(u"Count", int32_t{1});
  }
};

// The platform of a test: simulated desktop and registry, real files, recorded pauses.
struct TestPlatform {
  platform::SimDesktop desktop;
  platform::SimRegistry registry;
  platform::PosixFileSystem files;
  platform::RecordingPauses pauses;
  testsupport::TempFolder temp{"r58046_module"};
  std::filesystem::path root = temp.path();

  platform::Platform platform() { return {desktop, registry, files, pauses}; }
  // A folder under the test's root, as the module writes folders: with a final separator.
  std::u16string folder(const std::string& name) {
    std::filesystem::create_directories(root / name);
    return automation::fromUtf8((root / name).string()) + platform::kSeparator;
  }
  // Word's main window on the desktop.
  platform::Hwnd wordWindow(const std::u16string& caption = u"Microsoft Word") {
    platform::WindowSpec desc;
    desc.className = u"OpusApp";
    desc.caption = caption;
    return desktop.create(desc);
  }
  // A modal dialog owned by a window; its WM_CLOSE is logged before it goes.
  platform::Hwnd dialog(platform::Hwnd owner, const std::u16string& caption,
                        std::vector<platform::Hwnd>* closed) {
    platform::WindowSpec desc;
    desc.className = u"bosa_sdm_Microsoft Office Word 11.0";
    desc.caption = caption;
    desc.exStyle = platform::kWsExDlgModalFrame;
    desc.owner = owner;
    desc.onClose = [this, closed](platform::Hwnd h) {
      closed->push_back(h);
      desktop.destroy(h);
    };
    return desktop.create(desc);
  }
};

}  // namespace r58046::testing

namespace r58046::module {

// The private procedures of Module, for the tests.
class ModuleTestAccess {
 public:
  explicit ModuleTestAccess(Module& m) : m_(m) {}
  void FermeFenetre(platform::Hwnd h) { m_.FermeFenetre(h); }
  void FermeDialogue(platform::Hwnd h) { m_.FermeDialogue(h); }
  void OleAccessible(bool signaler) { m_.OleAccessible(signaler); }
  bool AfficheWord() { return m_.AfficheWord(); }
  void FermeQuestion() { m_.FermeQuestion(); }
  void setApplication(const automation::ObjectRef& app) {
    m_.mApplication = word::Application(app);
  }
  automation::ObjectRef application() const { return m_.mApplication.ref(); }
  void setWordWindow(platform::Hwnd h) { m_.mhWndWord = h; }
  platform::Hwnd wordWindow() const { return m_.mhWndWord; }
  void setQuestion(const automation::ObjectRef& q) { m_.mQuestion = q; }
  automation::ObjectRef question() const { return m_.mQuestion; }
  std::u16string pathModele() const { return m_.msPathModele; }

 private:
  Module& m_;
};

}  // namespace r58046::module

namespace r58046::testing {
using module::ModuleTestAccess;
}  // namespace r58046::testing
