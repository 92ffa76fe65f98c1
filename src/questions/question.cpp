#include "questions/question.h"

#include "automation/text.h"
#include "core/api.h"

namespace r58046::questions {

int32_t NombreOccurrences(std::u16string_view text, std::u16string_view what) {
  int32_t count = 0;
  if (what.empty()) {
    return count;
  }
  for (size_t found = automation::inStr(text, what); found != 0;
       found = automation::inStr(text, what)) {
    ++count;
    text.remove_prefix(found - 1 + what.size());
  }
  return count;
}

QuestionBase::QuestionBase(const platform::Platform& platform)
    : mFichiersDeTravail(std::make_shared<module::FichiersDeTravail>()), mPlatform(platform) {}

automation::ObjectRef QuestionBase::ComplementInfo() const {
  return mComplementInfo;
}

automation::ObjectRef QuestionBase::FichiersDeTravail() {
  if (!mFichiersDeTravail) {
    mFichiersDeTravail = std::make_shared<module::FichiersDeTravail>();
  }
  return mFichiersDeTravail;
}

std::u16string QuestionBase::PathDossierParDefaut() const {
  return msPathDossierParDefaut;
}

bool QuestionBase::BravoNuance() const {
  return mbBravoNuance;
}

std::u16string QuestionBase::CauseErreur() const {
  return msCauseErreur;
}

void QuestionBase::AjouteFichier(std::u16string nomSource, std::u16string nomDest, bool modele) {
  mFichiersDeTravail->add(std::move(nomSource), std::move(nomDest), modele);
}

void QuestionBase::StockeArguments(automation::Variant& iApplication, std::u16string isPathDossier,
                                   std::optional<std::u16string> isPathModele) {
  msPathDossier = std::move(isPathDossier);
  msPathModele = std::move(isPathModele).value_or(std::u16string());
  InitPathDossier();
  mApplication = word::Application(automation::Object(iApplication));
}

void QuestionBase::PrepareDocuments() {
  OuvreDocument(mFichiersDeTravail->Item(1).NomDest);
}

void QuestionBase::OuvreDocument(const std::u16string& nom) {
  mApplication.Documents().Open(msPathDossier + nom);
  mApplication.Documents().Item(nom).Activate();
}

void QuestionBase::InitPathDossier() {
  msPathDossierParDefaut = msPathDossier;
}

void QuestionBase::NouveauComplementInfo() {
  mComplementInfo = std::make_shared<module::ComplementInfo>();
}

void QuestionBase::FermerSimple() {
  mApplication = word::Application();
  mFichiersDeTravail.reset();
  mComplementInfo.reset();
}

void QuestionBase::FermerModele(std::u16string_view motif) {
  module::ignoreFailure(
      [&] { mPlatform.files.deletePattern(msPathModele + std::u16string(motif)); });
  module::ignoreFailure([&] { mPlatform.files.removeFolder(msPathModele); });
  FermerSimple();
}

}  // namespace r58046::questions
