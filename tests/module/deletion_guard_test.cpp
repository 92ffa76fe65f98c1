// The guard every deletion of the module passes: only inside the exercise's own folders, and
// never relative to the current folder; and InitQuestion's checks of the folders it is given
// or reads from Word, made before anything is touched.
#include "module/deletion_guard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "module_fakes.h"
#include "support/error_of.h"
#include "support/temp_folder.h"

namespace r58046::testing {
namespace {

using automation::AutomationError;
namespace fs = std::filesystem;

using testsupport::CurrentFolder;
using testsupport::errorOf;

class DeletionGuardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work = tp.folder("Travail");
    docs = tp.folder("Mes documents");
    templates = tp.folder("Oxel Modèles");
  }
  std::u16string file(const std::u16string& folder, const std::u16string& name) {
    std::ofstream(automation::toUtf8(folder + name)) << "x";
    return folder + name;
  }

  TestPlatform tp;
  std::u16string work;
  std::u16string docs;
  std::u16string templates;
  std::u16string guardedWork;
  std::u16string guardedTemplates;
  module::DeletionGuard guard{tp.files, guardedWork, guardedTemplates};
};

TEST_F(DeletionGuardTest, AnExerciseNotSetUpDeletesNothing) {
  const std::u16string doc = file(work, u"Bulletin.doc");
  const std::u16string modele = file(templates, u"Courrier Oxel.dot");
  const std::u16string canary = automation::fromUtf8((tp.root / "canary.txt").string());
  std::ofstream(tp.root / "canary.txt") << "x";

  {
    CurrentFolder here(tp.root);
    EXPECT_EQ(errorOf([&] { guard.deletePattern(guardedTemplates + u"*.*"); }), 70);
    EXPECT_EQ(errorOf([&] { guard.deleteFile(guardedWork + u"canary.txt"); }), 70);
    EXPECT_EQ(errorOf([&] { guard.removeFolder(guardedTemplates); }), 70);
  }
  EXPECT_EQ(errorOf([&] { guard.deleteFile(doc); }), 70);
  EXPECT_EQ(errorOf([&] { guard.deletePattern(templates + u"*.*"); }), 70);

  EXPECT_TRUE(tp.files.exists(canary));
  EXPECT_TRUE(tp.files.exists(doc));
  EXPECT_TRUE(tp.files.exists(modele));
}

TEST_F(DeletionGuardTest, DeletesOnlyInsideTheFoldersOfTheExerciseAsTheyAreNow) {
  guardedWork = work;
  guardedTemplates = templates;
  const std::u16string doc = file(work, u"Bulletin.doc");
  const std::u16string userDoc = file(docs, u"Bulletin.doc");
  const std::u16string userTemplate = file(docs, u"Courrier Oxel.dot");
  tp.folder("Travail/sous");
  const std::u16string deeper = file(work + u"sous/", u"Bulletin.doc");
  file(templates, u"Courrier Oxel.dot");
  file(templates, u"Autre.dot");

  // Elsewhere: refused, nothing touched.
  EXPECT_EQ(errorOf([&] { guard.deleteFile(userDoc); }), 70);
  EXPECT_EQ(errorOf([&] { guard.deleteFile(userTemplate); }), 70);
  EXPECT_EQ(errorOf([&] { guard.deleteFile(deeper); }), 70);
  EXPECT_EQ(errorOf([&] { guard.deletePattern(docs + u"*.*"); }), 70);
  // A pattern or a folder removal belongs to the template folder alone.
  EXPECT_EQ(errorOf([&] { guard.deletePattern(work + u"*.*"); }), 70);
  EXPECT_EQ(errorOf([&] { guard.removeFolder(work); }), 70);
  EXPECT_TRUE(tp.files.exists(userDoc));
  EXPECT_TRUE(tp.files.exists(userTemplate));
  EXPECT_TRUE(tp.files.exists(deeper));
  EXPECT_TRUE(tp.files.exists(doc));

  // Inside: made, with the file system's own answers.
  guard.deleteFile(doc);
  EXPECT_FALSE(tp.files.exists(doc));
  EXPECT_EQ(errorOf([&] { guard.deleteFile(doc); }), 53);
  guard.deletePattern(templates + u"*");
  EXPECT_FALSE(tp.files.exists(templates + u"Autre.dot"));
  guard.removeFolder(templates.substr(0, templates.size() - 1));  // also without separator
  EXPECT_FALSE(tp.files.folderExists(templates));

  // The next exercise's folders are the ones that count.
  guardedWork = docs;
  guard.deleteFile(userDoc);
  EXPECT_FALSE(tp.files.exists(userDoc));
  const std::u16string again = file(work, u"Bulletin.doc");
  EXPECT_EQ(errorOf([&] { guard.deleteFile(again); }), 70);
}

TEST_F(DeletionGuardTest, ChangesAFileOnlyInsideTheFoldersOfTheExercise) {
  guardedWork = work;
  guardedTemplates = templates;
  const std::u16string master = file(work, u"0216.dot");
  const std::u16string userTemplate = file(docs, u"Courrier Oxel.dot");
  tp.files.setAttribute(userTemplate, platform::FileAttribute::ReadOnly);

  // A user's file keeps its attributes and its name.
  EXPECT_EQ(errorOf([&] { guard.setAttributesNormal(userTemplate); }), 70);
  EXPECT_EQ(errorOf([&] { guard.setAttribute(userTemplate, platform::FileAttribute::Hidden); }),
            70);
  EXPECT_TRUE(tp.files.hasAttribute(userTemplate, platform::FileAttribute::ReadOnly));
  EXPECT_EQ(errorOf([&] { guard.rename(userTemplate, templates + u"Courrier Oxel.dot"); }), 70);
  EXPECT_EQ(errorOf([&] { guard.rename(master, docs + u"Courrier Oxel.dot"); }), 70);
  EXPECT_TRUE(tp.files.exists(userTemplate));
  EXPECT_TRUE(tp.files.exists(master));

  // An exercise's own: its attributes reset, moved to the template folder.
  tp.files.setAttribute(master, platform::FileAttribute::ReadOnly);
  guard.setAttributesNormal(master);
  EXPECT_FALSE(tp.files.hasAttribute(master, platform::FileAttribute::ReadOnly));
  guard.rename(master, templates + u"Courrier Oxel.dot");
  EXPECT_TRUE(tp.files.exists(templates + u"Courrier Oxel.dot"));

  // An exercise never set up (no template folder yet) changes nothing in the current folder.
  guardedTemplates.clear();
  CurrentFolder here(tp.root);
  std::ofstream(tp.root / "Courrier Oxel.dot") << "x";
  EXPECT_EQ(errorOf([&] { guard.setAttributesNormal(guardedTemplates + u"Courrier Oxel.dot"); }),
            70);
}

TEST_F(DeletionGuardTest, RelativeExerciseFoldersAllowNothing) {
  guardedWork = u"Travail/";
  guardedTemplates = u"";
  const std::u16string doc = file(work, u"Bulletin.doc");
  CurrentFolder here(tp.root);
  EXPECT_EQ(errorOf([&] { guard.deleteFile(u"Travail/Bulletin.doc"); }), 70);
  EXPECT_EQ(errorOf([&] { guard.deletePattern(u"*.*"); }), 70);
  EXPECT_TRUE(tp.files.exists(doc));
}

// InitQuestion against a fake Word, with the folders it is given or reads.
class FolderCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    templates = automation::fromUtf8((tp.root / "Modèles").string());
    word = std::make_unique<FakeWord>(templates);
    window = tp.wordWindow();
    tp.registry.registerClass(u"Word.application.11", [this] {
      ++wordsAsked;
      return ObjectRef(word->app);
    });
  }
  std::optional<AutomationError> init(int32_t question, const std::u16string& work) {
    try {
      mod.InitQuestion(question, work, app, handle, u"");
    } catch (const AutomationError& e) {
      return e;
    }
    return std::nullopt;
  }

  TestPlatform tp;
  std::u16string templates;
  std::unique_ptr<FakeWord> word;
  platform::Hwnd window = 0;
  int wordsAsked = 0;
  module::Module mod{tp.platform()};
  ObjectRef app;
  int32_t handle = -1;
};

TEST_F(FolderCheckTest, EmptyOrRelativeWorkingFolderFailsBeforeWordIsTouched) {
  for (const std::u16string& work : {std::u16string(), std::u16string(u"Travail/")}) {
    auto error = init(201, work);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), automation::errors::kInvalidProcedureCall);
    EXPECT_NE(error->source().find(u"SERVICE InitQuestion"), std::u16string::npos);
    EXPECT_NE(error->description().find(u"\"" + work + u"\""), std::u16string::npos);
  }
  EXPECT_EQ(wordsAsked, 0);
  EXPECT_TRUE(word->app->log().empty());
  EXPECT_EQ(app, nullptr);
  EXPECT_EQ(handle, -1);
}

TEST_F(FolderCheckTest, WorkingFolderWithoutItsSeparatorGetsOne) {
  // The stale working file of the folder, and a file of the parent folder whose name is the
  // folder's followed by the working file's.
  const std::u16string work = tp.folder("Travail");
  std::ofstream(tp.root / "Travail" / "Bulletin.doc") << "old";
  std::ofstream(tp.root / "TravailBulletin.doc") << "the user's";

  auto error = init(201, work.substr(0, work.size() - 1));

  // The master file is missing: Renomme fails, after the clean-up of the right folder.
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), automation::errors::kFileNotFound);
  EXPECT_FALSE(fs::exists(tp.root / "Travail" / "Bulletin.doc"));
  EXPECT_TRUE(fs::exists(tp.root / "TravailBulletin.doc"));
}

TEST_F(FolderCheckTest, EmptyUserTemplatesOptionFailsAndTheCloseDeletesNothing) {
  word = std::make_unique<FakeWord>(u"");
  const std::u16string work = tp.folder("Travail");
  std::ofstream(tp.root / "canary.txt") << "x";
  CurrentFolder here(tp.root);

  auto error = init(216, work);

  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), automation::errors::kPathNotFound);
  EXPECT_NE(error->source().find(u"SERVICE InitQuestion"), std::u16string::npos);
  EXPECT_TRUE(module::ModuleTestAccess(mod).pathModele().empty());
  EXPECT_FALSE(fs::exists(fs::path("/Oxel Modèles")));
  // The question exists, never prepared: its close deletes nothing.
  EXPECT_NE(module::ModuleTestAccess(mod).question(), nullptr);
  EXPECT_NO_THROW(mod.Fermer());
  EXPECT_TRUE(fs::exists(tp.root / "canary.txt"));
}

}  // namespace
}  // namespace r58046::testing
