// Question 0217: attaching the letter template "Courrier Oxel.dot" of the template folder to
// "Biscuits d'or.doc", with the option that updates the document's styles when it is opened.
// Prepare leaves the document closed, saved without attached template.
#include <algorithm>
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

constexpr std::u16string_view kModele = u"Courrier Oxel.dot";
constexpr std::u16string_view kDocument = u"biscuits d'or.doc";

class Question0217 : public Question<Question0217> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0217";
  static constexpr FormeFermer kFermer = FormeFermer::Modele;

  explicit Question0217(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804617.doc", u"Biscuits d'or.doc", false);
    AjouteFichier(u"05804617.dot", std::u16string(kModele), true);
  }

  // Attaching the template once shows where Word takes it from; a copy of that name that
  // Word takes from another folder is deleted, so that the trainee's attachment finds the
  // one of the template folder. The document is then detached, saved and closed.
  void PrepareDocuments() {
    QuestionBase::PrepareDocuments();
    const std::u16string trouve =
        AttacheModele(mApplication, msPathModele + std::u16string(kModele));
    mApplication.ActiveDocument().PutAttachedTemplate(u"");
    mApplication.ActiveDocument().Close(word::wdSaveChanges);
    if (automation::lower(trouve) != automation::lower(msPathModele)) {
      mPlatform.files.deleteFile(trouve + std::u16string(kModele));
    }
  }

  // A failing Word call (no document open, for instance) is the verdict "A".
  void Evalue() {
    CodeSurEchec(u"A", [&] {
      const std::u16string nom = automation::lower(mApplication.ActiveDocument().FullName());
      const std::u16string_view fin =
          std::u16string_view(nom).substr(nom.size() - std::min(nom.size(), kDocument.size()));
      if (fin != kDocument) {
        msCauseErreur = u"A";
        return;
      }

      const std::u16string modele = automation::lower(mApplication.ActiveDocument()
                                                          .Application()
                                                          .Templates()
                                                          .Item(static_cast<int16_t>(1))
                                                          .FullName());
      if (modele != automation::lower(msPathModele + std::u16string(kModele))) {
        msCauseErreur = u"B";
        return;
      }

      if (mApplication.ActiveDocument().UpdateStylesOnOpen() == word::kFalse) {
        msCauseErreur = u"C";
      }
    });
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0217(const platform::Platform& platform) {
  return std::make_shared<Question0217>(platform);
}

}  // namespace r58046::questions
