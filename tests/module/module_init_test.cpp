// InitQuestion up to the question's preparation, against a fake Word: the retried probe of
// the object model, the template folder, a number without a class, and the errors' sources.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "module_fakes.h"

namespace r58046::testing {
namespace {

using automation::AutomationError;

constexpr char16_t kLfCr[] = u"\n\r";

std::u16string contexte(std::u16string_view classe, std::u16string_view procedure) {
  return u"DLL R58046 - CLASSE " + std::u16string(classe) + kLfCr + u" - SERVICE " +
         std::u16string(procedure) + u" - OBJET ";
}

class InitQuestionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work = tp.folder("work");
    templates = automation::fromUtf8((tp.root / "templates").string());
    word = std::make_unique<FakeWord>(templates);
    window = tp.wordWindow();
    tp.registry.registerClass(u"Word.application.11", [this] { return ObjectRef(word->app); });
  }

  // Runs InitQuestion as a host does on its first call; the error it ends with.
  std::optional<AutomationError> init(int32_t question) {
    try {
      mod.InitQuestion(question, work, app, handle, u"");
    } catch (const AutomationError& e) {
      return e;
    }
    return std::nullopt;
  }

  TestPlatform tp;
  std::u16string work;
  std::u16string templates;
  std::unique_ptr<FakeWord> word;
  platform::Hwnd window = 0;
  module::Module mod{tp.platform()};
  ObjectRef app;
  int32_t handle = -1;
};

TEST_F(InitQuestionTest, ObjectModelThatNeverAnswersIsTriedAtMost499Times) {
  word->windows->fail(u"Count", automation::errors::kCallRejected);

  auto error = init(201);

  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), automation::errors::kCallRejected);
  EXPECT_EQ(error->source(),
            contexte(u"Module", u"InitQuestion") + contexte(u"Module", u"OleAccessible") + u"Word");
  // Two probes per attempt (before and after Escape), a pause between attempts.
  EXPECT_EQ(word->windows->count(u"Count"), 2 * 499);
  EXPECT_EQ(tp.pauses.asked().size(), 498U);
  // The host's variables were filled in before the failure; the drawing lock is released.
  EXPECT_TRUE(automation::sameObject(app, word->app));
  EXPECT_EQ(handle, window);
  EXPECT_EQ(tp.desktop.lockedWindow(), 0);
}

TEST_F(InitQuestionTest, NumberWithoutClassFailsInNettoyageAfterTheTemplateFolderExists) {
  // The object model answers on the third attempt.
  int probes = 0;
  word->windows->on(u"Count", [&](Args&) -> Variant {
    if (++probes <= 4) {
      automation::raiseError(automation::errors::kCallRejected, {}, u"Word");
    }
    return int32_t{1};
  });

  auto error = init(222);

  ASSERT_TRUE(error);
  EXPECT_EQ(probes, 5);
  EXPECT_EQ(error->number(), automation::errors::kObjectVariableNotSet);
  EXPECT_EQ(error->source(), contexte(u"Module", u"Nettoyage") + u"R58046");
  EXPECT_TRUE(tp.files.folderExists(templates + u"/Oxel Modèles/"));
  EXPECT_EQ(module::ModuleTestAccess(mod).question(), nullptr);
}

TEST_F(InitQuestionTest, TemplateFolderIsTheSameWithOrWithoutTrailingSeparator) {
  init(200);
  const std::u16string sans = module::ModuleTestAccess(mod).pathModele();

  word->options->on(u"DefaultFilePath", [this](Args&) { return Variant(templates + u"/"); });
  init(200);
  const std::u16string avec = module::ModuleTestAccess(mod).pathModele();

  EXPECT_EQ(sans, templates + u"/Oxel Modèles/");
  EXPECT_EQ(avec, sans);
}

TEST_F(InitQuestionTest, TemplateFolderThatCannotBeCreatedEndsTheWaitWithAnErrorNamingIt) {
  // The user-templates "folder" is a file: nothing can be created under it.
  std::ofstream(tp.root / "templates") << "x";

  auto error = init(201);

  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), automation::errors::kPathFileAccessError);
  EXPECT_EQ(error->source(), contexte(u"Module", u"InitQuestion") + u"R58046");
  EXPECT_NE(error->description().find(templates + u"/Oxel Modèles/"), std::u16string::npos);
  EXPECT_EQ(tp.pauses.asked().size(), 49U);
}

TEST_F(InitQuestionTest, HostHandleOfAVanishedWindowMakesTheModuleTakeWordItself) {
  auto hostWord = Fake::make();
  app = hostWord;
  handle = 0x7777;  // no such window

  init(222);

  EXPECT_EQ(word->app->count(u"Visible"), 1);
  EXPECT_EQ(hostWord->log().size(), 0U);
  EXPECT_TRUE(automation::sameObject(app, word->app));
  EXPECT_EQ(handle, window);
}

TEST_F(InitQuestionTest, LateBoundCallWritesTheHostsVariablesBack) {
  Variant application = Variant::nothing();
  Variant hwnd = int32_t{-1};
  automation::Object self(std::shared_ptr<module::Module>(&mod, [](module::Module*) {}));

  EXPECT_THROW(self.call(u"InitQuestion", int32_t{222}, work, automation::Arg::byRef(application),
                         automation::Arg::byRef(hwnd), u""),
               AutomationError);

  EXPECT_TRUE(automation::sameObject(application.toObject(), word->app));
  EXPECT_EQ(hwnd.toLong(), window);
}

}  // namespace
}  // namespace r58046::testing
