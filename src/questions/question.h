// The contract every question class fulfils, written once for Question0201 to Question0221.
//
// A question class derives from Question<itself> and states only what is its own:
//
//   class Question0201 : public Question<Question0201> {
//    public:
//     static constexpr std::u16string_view kClasse = u"Question0201";
//     explicit Question0201(const platform::Platform& platform) : Question(platform) {
//       AjouteFichier(u"05804601.doc", u"Bulletin.doc", false);  // its working files
//     }
//     void Evalue();  // its own tests (TestePoint after the new ComplementInfo)
//   };
//
// and, where it differs from the common form:
//   - `void PrepareDocuments()`: what Prepare opens after storing its arguments (the common
//     form opens the first working file's NomDest from the working folder and activates it);
//   - `static constexpr FormeFermer kFermer = FormeFermer::Modele;` for the template form of
//     Fermer, or its own `void Fermer()`.
// The hooks are public members of the question class; nothing else is needed: the member
// table (the eight members, in the order of the public interfaces) comes from Question<Q>.
//
// Failures: Prepare and TestePoint guard their whole body and hand a failure on through
// PropageErreur with kClasse and their own name. A step from which failures store a result
// code instead is written with CodeSurEchec.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "automation/members.h"
#include "core/api.h"
#include "core/lists.h"
#include "external/word.h"
#include "platform/platform.h"

namespace r58046::questions {

// The number of occurrences of `what` in `text`, counted as the questions count characters
// in a passage: a search from position 1, then again in the text after each occurrence.
int32_t NombreOccurrences(std::u16string_view text, std::u16string_view what);

// The two common forms of a question's Fermer.
enum class FormeFermer : uint8_t {
  Simple,  // releases the Word application, the working-file list and ComplementInfo
  Modele,  // first empties and removes the template folder (failures ignored), then as Simple
};

// Fields, getters and common procedures of every question class.
class QuestionBase {
 public:
  explicit QuestionBase(const platform::Platform& platform);

  // --- getters (members 1 to 5)
  // The list of the last evaluation; Nothing before the first TestePoint.
  automation::ObjectRef ComplementInfo() const;
  // The working files; created (empty) when it is read while Nothing.
  automation::ObjectRef FichiersDeTravail();
  std::u16string PathDossierParDefaut() const;
  bool BravoNuance() const;
  std::u16string CauseErreur() const;

  // The common form of what Prepare opens: the exercise document (the NomDest of the first
  // working file) from the working folder, then activated.
  void PrepareDocuments();

 protected:
  // Creation step: one working file, in the order of the question's list.
  void AjouteFichier(std::u16string nomSource, std::u16string nomDest, bool modele);
  // Prepare, common steps 1 to 3: the folders, InitPathDossier, the Word application.
  void StockeArguments(automation::Variant& iApplication, std::u16string isPathDossier,
                       std::optional<std::u16string> isPathModele);
  // Prepare, common steps 4 and 5: Documents.Open(working folder + nom), then
  // Documents(nom).Activate.
  void OuvreDocument(const std::u16string& nom);
  // Copies msPathDossier into msPathDossierParDefaut.
  void InitPathDossier();
  // TestePoint, common step 2: a new, empty ComplementInfo.
  void NouveauComplementInfo();
  // Runs steps whose failures store `code` and end the evaluation normally (the second
  // failure path of some questions); answers whether the steps ran to their end.
  template <class Steps>
  bool CodeSurEchec(std::u16string_view code, Steps&& steps) {
    try {
      steps();
      return true;
    } catch (const automation::AutomationError&) {
      msCauseErreur = code;
      return false;
    }
  }
  // The two forms of Fermer. The template form deletes the files of the template folder
  // that match `motif` ("*.*", or "*" for a question that says so).
  void FermerSimple();
  void FermerModele(std::u16string_view motif = u"*.*");

  word::Application mApplication;
  std::shared_ptr<module::FichiersDeTravail> mFichiersDeTravail;
  std::u16string msCauseErreur;
  bool mbBravoNuance = false;
  std::u16string msPathDossier;
  std::u16string msPathModele;
  std::u16string msPathDossierParDefaut;
  std::shared_ptr<module::ComplementInfo> mComplementInfo;
  platform::Platform mPlatform;
};

template <class Q>
class Question : public automation::Automatable<Q>, public QuestionBase {
 public:
  using QuestionBase::QuestionBase;

  static constexpr FormeFermer kFermer = FormeFermer::Simple;

  // The eight members, in the order of the public interfaces.
  static const automation::MemberTable<Q>& members() {
    static const auto table =
        automation::MemberTable<Q>()
            .get(u"ComplementInfo", &QuestionBase::ComplementInfo)
            .get(u"FichiersDeTravail", &QuestionBase::FichiersDeTravail)
            .get(u"PathDossierParDefaut", &QuestionBase::PathDossierParDefaut)
            .get(u"BravoNuance", &QuestionBase::BravoNuance)
            .get(u"CauseErreur", &QuestionBase::CauseErreur)
            .method(u"Prepare", {u"iApplication", u"isPathDossier", u"isPathModele"},
                    &Question::Prepare)
            .method(u"TestePoint", &Question::TestePoint)
            .method(u"Fermer", &Q::Fermer);
    return table;
  }

  void Prepare(automation::Variant& iApplication, std::u16string isPathDossier,
               std::optional<std::u16string> isPathModele) {
    module::guarded(Q::kClasse, u"Prepare", [&] {
      StockeArguments(iApplication, std::move(isPathDossier), std::move(isPathModele));
      self().PrepareDocuments();
    });
  }

  void TestePoint() {
    module::guarded(Q::kClasse, u"TestePoint", [&] {
      NouveauComplementInfo();
      self().Evalue();
    });
  }

  void Fermer() {
    if constexpr (Q::kFermer == FormeFermer::Modele) {
      FermerModele();
    } else {
      FermerSimple();
    }
  }

 private:
  Q& self() { return static_cast<Q&>(*this); }
};

}  // namespace r58046::questions
