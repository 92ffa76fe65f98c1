// Question 0216: saving the letter as the template "Courrier Oxel.dot" in the template
// folder, and closing it. The evaluation opens the template itself, reads its sections and
// its first paragraph, and closes it again.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "questions/documents.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kModele = u"courrier oxel.dot";
// The company line with its paragraph mark, compared upper-cased.
constexpr std::u16string_view kSociete = u"SOCIÉTÉ PLAISIRS ET ÉVASIONS\r";

class Question0216 : public Question<Question0216> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0216";

  explicit Question0216(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804616.doc", u"Bulletin.doc", false);
    // The trainee makes it: the exercise starts without it.
    AjouteFichier(u"", u"Courrier Oxel.dot", true);
  }

  void Evalue() {
    const std::u16string chemin = msPathModele + std::u16string(kModele);
    if (!mPlatform.files.dirFinds(chemin)) {
      msCauseErreur = u"B";
      return;
    }

    const int16_t n = Entier16(mApplication.Documents().Count());
    if (IndexDocument(mApplication.Documents(), n, {kModele}) <= mApplication.Documents().Count()) {
      msCauseErreur = u"C";
      return;
    }

    const word::Document modele = mApplication.Documents().Open(chemin);
    // Every way out closes the template again; a failure too, before it is handed on.
    FermeSurEchec([&] { EvalueModele(); }, [&] { modele.Close(word::wdSaveChanges); });
  }

  // Fermer empties the template folder of every file ("*").
  void Fermer() { FermerModele(u"*"); }

 private:
  // The open template, active.
  void EvalueModele() {
    // The section count only matters for a template that holds the passage "s01"; a
    // failure here lets the text tests run.
    bool verdict = false;
    module::ignoreFailure([&] {
      mApplication.ActiveDocument().Bookmarks().Item(u"s01").Range();
      if (mApplication.ActiveDocument().Sections().Count() != 2) {
        msCauseErreur = u"A";
        FermeModele();
        verdict = true;
      }
    });
    if (verdict) {
      return;
    }

    // A template of a single section has no back page: it is not the letter's template.
    if (mApplication.ActiveDocument().Sections().Count() < 2) {
      msCauseErreur = u"A";
      FermeModele();
      return;
    }

    if (automation::upper(mApplication.ActiveDocument().Sections().Item(2).Range().Text()) !=
        kSociete) {
      msCauseErreur = u"A";
      FermeModele();
      return;
    }

    if (automation::upper(mApplication.ActiveDocument()
                              .Sections()
                              .Item(1)
                              .Range()
                              .Paragraphs()
                              .Item(1)
                              .Range()
                              .Text()) != kSociete) {
      msCauseErreur = u"A";
      FermeModele();
      return;
    }

    FermeModele();
  }

  // The template is the active document: closed, saving changes.
  void FermeModele() { mApplication.ActiveDocument().Close(word::wdSaveChanges); }
};

}  // namespace

automation::ObjectRef CreeQuestion0216(const platform::Platform& platform) {
  return std::make_shared<Question0216>(platform);
}

}  // namespace r58046::questions
