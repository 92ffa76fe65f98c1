// A world for the simulated Word's application tests: a temporary folder tree (documents
// and user templates), a desktop, a class registry with Word installed, the real file
// system.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <string>

#include "automation/dispatch.h"
#include "automation/text.h"
#include "platform/posix_file_system.h"
#include "platform/sim_desktop.h"
#include "platform/sim_registry.h"
#include "simword/file_format_writer.h"
#include "simword/word.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace r58046::simword::testing {

using automation::AutomationError;
using automation::Object;
using automation::Variant;

class WordWorld : public ::testing::Test {
 protected:
  WordWorld() {
    std::filesystem::create_directories(root_ / "docs");
    std::filesystem::create_directories(root_ / "templates");
    env.desktop = &desktop;
    env.registry = &registry;
    env.files = &files;
    env.documentsFolder = docs();
    env.userTemplatesFolder = automation::fromUtf8((root_ / "templates").string());
    env.savePromptAnswer = [this] {
      ++savePrompts;
      return saveAnswer;
    };
    installWord(env);
  }

  // The documents folder, with its trailing separator.
  std::u16string docs() const { return automation::fromUtf8((root_ / "docs").string() + "/"); }
  std::u16string templates() const { return env.userTemplatesFolder + u"/"; }

  // Writes a document (or a template) with one paragraph of text; a bookmark when named.
  std::u16string writeFile(const std::u16string& path, std::u16string_view text = u"Texte",
                           bool isTemplate = false, std::u16string_view bookmark = {}) {
    Content content;
    content.replace(0, 0, text);
    if (!bookmark.empty()) {
      content.setBookmark(bookmark, 0, static_cast<int32_t>(text.size()));
    }
    DocumentProperties properties;
    properties.isTemplate = isTemplate;
    std::ofstream(automation::toUtf8(path), std::ios::binary) << writeDocument(properties, content);
    return path;
  }
  std::string readFile(const std::u16string& path) {
    std::ifstream in(automation::toUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  Object createWord() { return Object(registry.createObject(u"Word.application.11")); }
  Object getWord() { return Object(registry.getActiveObject(u"Word.application.11")); }
  std::shared_ptr<WordInstance> userWord() { return startWordAsUser(env); }
  std::shared_ptr<WordInstance> lastStarted() { return startedWords(env).back(); }

  std::u16string caption(platform::Hwnd hwnd) {
    std::u16string text;
    desktop.GetWindowTextA(hwnd, text, 255);
    return text;
  }

  platform::SimDesktop desktop;
  platform::SimRegistry registry;
  platform::PosixFileSystem files;
  WordEnvironment env;
  // How the person answers when Word asks whether to save, and how often Word asked.
  SaveAnswer saveAnswer = SaveAnswer::No;
  int savePrompts = 0;

 private:
  testsupport::TempFolder temp_{"simapp"};
  const std::filesystem::path& root_ = temp_.path();
};

// Reads a chain of members without arguments: walk(app, {u"ActiveWindow", u"View"}).
inline Variant walk(Object from, std::initializer_list<std::u16string_view> names) {
  Variant value(from.ref());
  for (auto name : names) {
    value = Object(value).get(name);
  }
  return value;
}

using testsupport::errorOf;
using testsupport::failure;

}  // namespace r58046::simword::testing
