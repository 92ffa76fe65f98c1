// The scenarios marked for a real Word (exercises/real-word.list), played natively in a
// world that reaches the simulated Word only as the Windows runner reaches Word 2003: Word's
// folders read from its options, a Word for the `word` lines started through CreateObject
// and shown with a new document, the running Word found through GetObject, nothing staged
// from outside automation. Each file must give the verdict it gives in the simulated world.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "automation/error.h"
#include "automation/text.h"
#include "module/module.h"
#include "platform/native_platform.h"
#include "scenario/exercises.h"
#include "scenario/runner.h"
#include "scenario/world_native.h"
#include "simword/word.h"
#include "support/temp_folder.h"

namespace r58046::scenario {
namespace {

namespace fs = std::filesystem;
using automation::AutomationError;
using automation::Object;
using automation::ObjectRef;
using automation::Variant;

constexpr std::u16string_view kWord = u"Word.Application.11";

bool answers(const ObjectRef& word) {
  try {
    Object(word).get(u"Visible");
    return true;
  } catch (const AutomationError& e) {
    return e.number() != 462;
  }
}

class AutomationOnlyWorld : public World {
 public:
  AutomationOnlyWorld() {
    fs::create_directories(root_ / "Travail");
    fs::create_directories(root_ / "Mes documents");
    fs::create_directories(root_ / "Microsoft" / "Mod\xC3\xA8les");
    environment_.desktop = &platform_.desktop;
    environment_.registry = &platform_.registry;
    environment_.files = &platform_.files;
    environment_.documentsFolder = automation::fromUtf8((root_ / "Mes documents").string());
    environment_.userTemplatesFolder =
        automation::fromUtf8((root_ / "Microsoft" / "Mod\xC3\xA8les").string());
    simword::installWord(environment_);

    // What the user's Word says its folders are.
    ObjectRef word = platform_.registry.createObject(kWord);
    Object options = Object(word).get(u"Options");
    folders_.work = automation::fromUtf8((root_ / "Travail").string()) + u"/";
    folders_.documents = options.get(u"DefaultFilePath", 0).toString();
    if (folders_.documents.back() != u'/') {
      folders_.documents += u'/';
    }
    folders_.userTemplates = options.get(u"DefaultFilePath", 2).toString();
    folders_.templates = folders_.userTemplates + u"/Oxel Mod\u00e8les/";
    Object(word).call(u"Quit", 0);

    module_ = module::createModule(platform_.platform());
  }
  ~AutomationOnlyWorld() override {
    module_.reset();
    try {
      for (int attempt = 0; attempt < 5; ++attempt) {
        ObjectRef running = runningWord();
        if (!running) {
          break;
        }
        Object(running).call(u"Quit", 0);
      }
    } catch (const AutomationError&) {
      // A Word that refuses to quit ends with its platform.
    }
    own_.reset();
  }

  const WorldFolders& folders() const override { return folders_; }
  platform::FileSystem& files() override { return platform_.files; }
  external::AbstractModule& module() override { return *module_; }

  ObjectRef runningWord() override {
    try {
      ObjectRef active = platform_.registry.getActiveObject(kWord);
      if (answers(active)) {
        return active;
      }
    } catch (const AutomationError&) {
      // None registered as running.
    }
    if (own_ && !answers(own_)) {
      own_.reset();
    }
    return own_;
  }

  WordHandle startWordAsUser() override {
    own_ = platform_.registry.createObject(kWord);
    Object(own_).put(u"Visible", Variant::boolean(true));
    Object(Object(own_).get(u"Documents")).call(u"Add");
    return WordHandle{own_, platform_.desktop.FindWindowA(u"OpusApp", std::nullopt)};
  }

  void desktopEvent(DesktopEvent, const std::u16string&) override {
    throw LineNotPlayable("a desktop event needs the simulated Word");
  }
  void injectFault(std::u16string_view, int32_t, int32_t) override {
    throw LineNotPlayable("a fault needs the simulated Word");
  }
  void arrangeSavePrompt(simword::SaveAnswer) override {
    throw LineNotPlayable("the person's answer to Word's question needs the simulated Word");
  }

 private:
  testsupport::TempFolder temp_{"r58046-auto"};
  const fs::path& root_ = temp_.path();
  platform::NativePlatform platform_;
  simword::WordEnvironment environment_;
  WorldFolders folders_;
  std::shared_ptr<module::Module> module_;
  ObjectRef own_;
};

TEST(AutomationOnlyWorld, TheRealWordScenariosGiveTheSameVerdictsAsInTheSimulatedWorld) {
  const char* source = std::getenv("R58046_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  fs::path exercises = fs::path(source) / "exercises";
  RunOptions options;
  options.exercises = exercises;
  for (const fs::path& file : readScenarioList(exercises / "real-word.list")) {
    SCOPED_TRACE(file.string());
    FileResult simulated = runScenarioFile(file, makeNativeWorld, options);
    FileResult automationOnly = runScenarioFile(
        file, [] { return std::make_unique<AutomationOnlyWorld>(); }, options);
    EXPECT_EQ(simulated.outcome, Outcome::Passed);
    EXPECT_EQ(automationOnly.outcome, Outcome::Passed) << formatText({automationOnly});
    EXPECT_EQ(automationOnly.obtainedVerdict, simulated.obtainedVerdict);
  }
}

TEST(AutomationOnlyWorld, WhatOnlyTheSimulationStagesIsSkipped) {
  const char* source = std::getenv("R58046_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  fs::path exercises = fs::path(source) / "exercises";
  RunOptions options;
  options.exercises = exercises;
  FileResult r = runScenarioFile(
      exercises / "module" / "general_al_dialog.scn",
      [] { return std::make_unique<AutomationOnlyWorld>(); }, options);
  EXPECT_EQ(r.outcome, Outcome::Skipped) << formatText({r});
  ASSERT_FALSE(r.skipped.empty());
  EXPECT_EQ(automation::toUtf8(r.skipped[0].seen), "a desktop event needs the simulated Word");
}

}  // namespace
}  // namespace r58046::scenario
