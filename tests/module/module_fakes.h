// Test doubles for the module's unit tests: a scriptable automation object standing for any
// Word object, a platform made of the simulated desktop and registry, the real file system
// in a temporary folder and recorded pauses, and access to Module's private procedures.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
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

namespace r58046::testing {

using automation::Args;
using automation::InvokeKind;
using automation::ObjectRef;
using automation::Variant;

// An automation object whose members are values or handlers, given by the test. A member
// read returns its value (or its handler's answer), an assignment stores the value, and a
// member the test did not give fails with error 438. Every call is logged.
class Fake : public automation::Dispatch {
 public:
  using Handler = std::function<Variant(Args&)>;

  static std::shared_ptr<Fake> make() { return std::make_shared<Fake>(); }

  Fake& value(std::u16string_view name, Variant v) {
    values_[automation::asciiLower(name)] = std::move(v);
    return *this;
  }
  Fake& on(std::u16string_view name, Handler h) {
    handlers_[automation::asciiLower(name)] = std::move(h);
    return *this;
  }
  // The member fails with that error from now on.
  Fake& fail(std::u16string_view name, int32_t number) {
    return on(name, [number](Args&) -> Variant { automation::raiseError(number, {}, u"Word"); });
  }
  // The value last stored or given.
  Variant stored(std::u16string_view name) const {
    auto it = values_.find(automation::asciiLower(name));
    return it == values_.end() ? Variant() : it->second;
  }
  // How many calls reached a member (any kind).
  int count(std::u16string_view name) const {
    int n = 0;
    for (const auto& c : log_) {
      n += automation::equalsAsciiNoCase(c, name) ? 1 : 0;
    }
    return n;
  }
  const std::vector<std::u16string>& log() const { return log_; }

  Variant invoke(std::u16string_view name, InvokeKind kind, Args& args) override {
    const std::u16string key = automation::asciiLower(name);
    log_.emplace_back(name);
    if (kind == InvokeKind::Put) {
      auto h = handlers_.find(key);
      if (h != handlers_.end()) {
        return h->second(args);
      }
      values_[key] = args.back().get();
      return {};
    }
    auto h = handlers_.find(key);
    if (h != handlers_.end()) {
      return h->second(args);
    }
    auto v = values_.find(key);
    if (v != values_.end()) {
      return v->second;
    }
    automation::raiseError(automation::errors::kMemberNotSupported);
  }

 private:
  std::map<std::u16string, Variant> values_;
  std::map<std::u16string, Handler> handlers_;
  std::vector<std::u16string> log_;
};

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
  std::filesystem::path root;

  TestPlatform() {
    // The process in the name too: test programs run side by side, and under the sanitizers
    // two of them can place their platforms at the same address.
    root = std::filesystem::temp_directory_path() /
           ("r58046_module_" + std::to_string(::getpid()) + "_" +
            std::to_string(reinterpret_cast<uintptr_t>(this)));
    std::filesystem::create_directories(root);
  }
  ~TestPlatform() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
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
