// The contract every question fulfils, seen late-bound as the module sees it: getters of a
// fresh question, Prepare, the failure path of Prepare and TestePoint, both forms of Fermer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "module_fakes.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::testing {
namespace {

using automation::Arg;
using automation::AutomationError;
using automation::Object;

// A question of the template form whose evaluation fails or stores a code on demand.
class QuestionEssai : public questions::Question<QuestionEssai> {
 public:
  static constexpr std::u16string_view kClasse = u"QuestionEssai";
  static constexpr questions::FormeFermer kFermer = questions::FormeFermer::Modele;

  explicit QuestionEssai(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"", u"Courrier Oxel.dot", true);
    AjouteFichier(u"05804699.doc", u"Essai.doc", false);
  }
  void PrepareDocuments() {}
  void Evalue() {
    if (code.empty()) {
      automation::raiseError(automation::errors::kWordNoSuchMember, {}, u"Word");
    }
    msCauseErreur = code;
  }
  std::u16string code;
};

class QuestionContractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    word.documents
        ->on(u"Open",
             [this](Args& a) {
               opened.push_back(a[0].get().toString());
               return Variant();
             })
        .on(u"Item", [this](Args& a) {
          activated.push_back(a[0].get().toString());
          return Variant(document);
        });
    document->on(u"Activate", [](Args&) { return Variant(); });
  }

  TestPlatform tp;
  FakeWord word{u"/templates"};
  std::shared_ptr<Fake> document = Fake::make();
  std::vector<std::u16string> opened;
  std::vector<std::u16string> activated;
};

TEST_F(QuestionContractTest, FreshQuestionAnswersEmptyGettersAndListsItsWorkingFile) {
  const Object q = questions::CreeQuestion(201, tp.platform());

  EXPECT_EQ(q.get(u"CauseErreur"), Variant(u""));
  EXPECT_EQ(q.get(u"BravoNuance"), Variant::boolean(false));
  EXPECT_TRUE(q.get(u"ComplementInfo").isNothing());
  EXPECT_EQ(q.get(u"PathDossierParDefaut"), Variant(u""));
  const Object fichiers = q.get(u"FichiersDeTravail");
  ASSERT_EQ(fichiers.get(u"count").toLong(), 1);
  const Object premier = fichiers.get(u"Item", int32_t{1});
  EXPECT_EQ(premier.get(u"NomSource").toString(), u"05804601.doc");
  EXPECT_EQ(premier.get(u"NomDest").toString(), u"Bulletin.doc");
  EXPECT_FALSE(premier.get(u"Modele").toBool());
}

TEST_F(QuestionContractTest, NumbersWithoutAClassCreateNothing) {
  EXPECT_EQ(questions::CreeQuestion(200, tp.platform()), nullptr);
  EXPECT_EQ(questions::CreeQuestion(222, tp.platform()), nullptr);
}

TEST_F(QuestionContractTest, PrepareOpensTheDocumentFromTheWorkingFolderAndActivatesIt) {
  const Object q = questions::CreeQuestion(201, tp.platform());
  Variant application(word.app);

  q.call(u"Prepare", Arg::byRef(application), u"/work/");

  EXPECT_EQ(opened, std::vector<std::u16string>{u"/work/Bulletin.doc"});
  EXPECT_EQ(activated, std::vector<std::u16string>{u"Bulletin.doc"});
  EXPECT_EQ(document->count(u"Activate"), 1);
  EXPECT_EQ(q.get(u"PathDossierParDefaut"), Variant(u"/work/"));
  EXPECT_TRUE(automation::sameObject(application.toObject(), word.app));
}

TEST_F(QuestionContractTest, PrepareFailureCarriesTheQuestionsContextAndWordsError) {
  word.documents->on(u"Open", [](Args&) -> Variant {
    automation::raiseError(automation::errors::kWordFileNotFound, u"Fichier introuvable",
                           u"Microsoft Word");
  });
  const Object q = questions::CreeQuestion(201, tp.platform());
  Variant application(word.app);

  try {
    q.call(u"Prepare", Arg::byRef(application), u"/work/", u"/modeles/");
    FAIL() << "Prepare succeeded";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kWordFileNotFound);
    EXPECT_EQ(e.description(), u"Fichier introuvable");
    EXPECT_EQ(e.source(),
              u"DLL R58046 - CLASSE Question0201\n\r - SERVICE Prepare - OBJET Microsoft Word");
  }
}

TEST_F(QuestionContractTest, TestePointFailureKeepsTheCodeAndLeavesANewEmptyList) {
  auto q = std::make_shared<QuestionEssai>(tp.platform());
  q->code = u"C";
  q->TestePoint();
  const ObjectRef premiereListe = Object(q).get(u"ComplementInfo").toObject();
  q->code.clear();

  try {
    Object(q).call(u"TestePoint");
    FAIL() << "TestePoint succeeded";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kWordNoSuchMember);
    EXPECT_EQ(e.source(),
              u"DLL R58046 - CLASSE QuestionEssai\n\r - SERVICE TestePoint - OBJET Word");
  }
  EXPECT_EQ(Object(q).get(u"CauseErreur"), Variant(u"C"));
  const Object liste = Object(q).get(u"ComplementInfo");
  EXPECT_NE(liste.ref(), premiereListe);
  EXPECT_EQ(liste.get(u"count").toLong(), 0);
}

TEST_F(QuestionContractTest, PlainFermerReleasesItsObjectsAndTheListComesBackEmpty) {
  const Object q = questions::CreeQuestion(201, tp.platform());
  Variant application(word.app);
  q.call(u"Prepare", Arg::byRef(application), u"/work/");
  // Fails on this fake Word, after the new list was made.
  EXPECT_THROW(q.call(u"TestePoint"), AutomationError);
  ASSERT_FALSE(q.get(u"ComplementInfo").isNothing());

  q.call(u"Fermer");

  EXPECT_TRUE(q.get(u"ComplementInfo").isNothing());
  EXPECT_EQ(Object(q.get(u"FichiersDeTravail")).get(u"count").toLong(), 0);
}

TEST_F(QuestionContractTest, TemplateFermerEmptiesAndRemovesTheFolderAndBearsItsAbsence) {
  const std::u16string modeles = tp.folder("Oxel Modèles");
  std::ofstream(tp.root / "Oxel Modèles" / "Courrier Oxel.dot") << "dot";
  std::ofstream(tp.root / "Oxel Modèles" / "~$urrier Oxel.dot") << "lock";
  auto q = std::make_shared<QuestionEssai>(tp.platform());
  Variant application(word.app);
  q->Prepare(application, u"/work/", modeles);

  EXPECT_NO_THROW(Object(q).call(u"Fermer"));
  EXPECT_FALSE(std::filesystem::exists(tp.root / "Oxel Modèles"));

  EXPECT_NO_THROW(Object(q).call(u"Fermer"));
  EXPECT_EQ(Object(q).get(u"ComplementInfo").toObject(), nullptr);
}

}  // namespace
}  // namespace r58046::testing
