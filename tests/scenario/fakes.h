// Test doubles for the interpreter and the runner: the scriptable automation object of
// tests/support, a module that answers as the test says, and a world holding them.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "automation/call_observer.h"
#include "automation/error.h"
#include "automation/text.h"
#include "platform/posix_file_system.h"
#include "scenario/world.h"
#include "support/fake_object.h"
#include "support/temp_folder.h"

namespace r58046::scenario::testing {

using automation::Args;
using automation::InvokeKind;
using automation::ObjectRef;
using automation::Variant;

using Journal = testsupport::Journal;
using FakeObject = testsupport::FakeObject;

// A module that answers as the test sets it and logs the host's calls.
class FakeModule : public external::AbstractModule {
 public:
  std::vector<std::string> calls;
  bool erreurGenerale = false;
  std::u16string causeErreur;
  bool bravoNuance = false;
  std::vector<std::u16string> complement;  // Nothing when `noComplement`
  bool noComplement = false;
  // Members that fail, with their error.
  std::map<std::string, automation::AutomationError> failures;
  // What members do when called (before failing, for those that fail).
  std::map<std::string, std::function<void()>> actions;
  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  // What InitQuestion received.
  int32_t question = 0;
  std::u16string folder;
  ObjectRef application;
  int32_t handle = 0;

  bool BravoNuance() override { return enter("BravoNuance"), bravoNuance; }
  ObjectRef Complement() override {
    enter("Complement");
    if (noComplement) {
      return nullptr;
    }
    auto list = FakeObject::make("Complement", journal);
    auto items = complement;
    list->value(u"count", static_cast<int32_t>(items.size()));
    list->on(u"item", [items](InvokeKind, Args& a) {
      return Variant(items.at(static_cast<size_t>(a[0].get().toLong()) - 1));
    });
    return list;
  }
  std::u16string CauseErreur() override { return enter("CauseErreur"), causeErreur; }
  bool ErreurGenerale() override { return enter("ErreurGenerale"), erreurGenerale; }
  void Fermer() override { enter("Fermer"); }
  void InitQuestion(int32_t q, std::u16string dossier, ObjectRef& app, int32_t& h,
                    std::u16string) override {
    question = q;
    folder = dossier;
    application = app;
    handle = h;
    enter("InitQuestion");
  }
  void Quitter(ObjectRef&, int32_t&) override { enter("Quitter"); }
  void TestePoint() override { enter("TestePoint"); }

 private:
  void enter(const std::string& name) {
    calls.push_back(name);
    if (auto action = actions.find(name); action != actions.end()) {
      action->second();
    }
    auto it = failures.find(name);
    if (it != failures.end()) {
      throw it->second;
    }
  }
};

// A world of fakes: a real temporary folder tree, the real file system, a fake Word (one
// FakeObject application per Word started) and a fake module.
class FakeWorld : public World {
 public:
  FakeWorld() {
    std::filesystem::create_directories(root_ / "work");
    std::filesystem::create_directories(root_ / "docs");
    std::filesystem::create_directories(root_ / "templates");
    auto text = [](const std::filesystem::path& p) { return automation::fromUtf8(p.string()); };
    folders_.work = text(root_ / "work") + u"/";
    folders_.documents = text(root_ / "docs") + u"/";
    folders_.userTemplates = text(root_ / "templates");
    folders_.templates = folders_.userTemplates + u"/Oxel Mod\u00e8les/";
  }

  const WorldFolders& folders() const override { return folders_; }
  platform::FileSystem& files() override { return files_; }
  external::AbstractModule& module() override { return module_; }
  ObjectRef runningWord() override { return running_; }
  WordHandle startWordAsUser() override {
    ++started;
    running_ = makeWord ? makeWord() : FakeObject::make("word", journal);
    return WordHandle{running_, 0x1000 + started};
  }
  void desktopEvent(DesktopEvent event, const std::u16string& caption) override {
    if (!running_) {
      throw std::runtime_error("no Word runs");
    }
    events.push_back(static_cast<int>(event));
    captions.push_back(caption);
    if (event == DesktopEvent::CloseWord) {
      running_ = nullptr;
    }
  }
  void arrangeSavePrompt(simword::SaveAnswer answer) override { saveAnswers.push_back(answer); }
  void injectFault(std::u16string_view member, int32_t occurrence, int32_t error) override {
    faults.push_back(automation::toUtf8(member) + " " + std::to_string(occurrence) + " " +
                     std::to_string(error));
  }

  // The module's Word calls are told in this process, as in the native world, when
  // `observable`.
  bool observeWordCalls(automation::CallObserver* observer) override {
    if (!observable) {
      return false;
    }
    automation::setCallObserver(observer);
    return true;
  }

  FakeModule& fakeModule() { return module_; }
  bool observable = true;

  std::shared_ptr<Journal> journal = std::make_shared<Journal>();
  // How a Word the scenario starts is made; a bare FakeObject when not set.
  std::function<ObjectRef()> makeWord;
  int started = 0;
  std::vector<int> events;
  std::vector<std::u16string> captions;
  std::vector<std::string> faults;
  std::vector<simword::SaveAnswer> saveAnswers;

 private:
  testsupport::TempFolder temp_;
  const std::filesystem::path& root_ = temp_.path();
  WorldFolders folders_;
  platform::PosixFileSystem files_;
  FakeModule module_;
  ObjectRef running_;
};

}  // namespace r58046::scenario::testing
