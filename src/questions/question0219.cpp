// Question 0219: a new document based on the letter template "Courrier Oxel.dot", which the
// module installs in the template folder. The question opens nothing: the active document
// must be a new, never saved document (not a template) attached to that very file.
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

class Question0219 : public Question<Question0219> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0219";

  explicit Question0219(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804619.dot", u"Courrier Oxel.dot", true);
  }

  // The trainee creates the document.
  void PrepareDocuments() {}

  void Evalue() {
    if (mApplication.Documents().Count() == 0) {
      msCauseErreur = u"D";
      return;
    }

    // From here a failing Word call is the verdict "A".
    CodeSurEchec(u"A", [&] {
      if (!mApplication.ActiveDocument().Path().empty()) {
        msCauseErreur = u"A";
        return;
      }

      // Word names a new template "Template1" (in French "Modèle1").
      const std::u16string n1 = mApplication.ActiveDocument().Name();
      const std::u16string n2 = mApplication.ActiveDocument().Name();
      if (std::u16string_view(n2).substr(0, 8) == u"Template" ||
          std::u16string_view(n1).substr(0, 6) == u"Modèle") {
        msCauseErreur = u"C";
        return;
      }

      const std::u16string modele = mApplication.ActiveDocument().AttachedTemplate().FullName();
      if (automation::lower(automation::trim(modele)) !=
          automation::lower(automation::trim(msPathModele + u"courrier oxel.dot"))) {
        msCauseErreur = u"B";
      }
    });
  }

  // The active document, when it is a new one (never saved: the one made from the template),
  // is attached to the normal template again and closed without saving; a document on disk
  // is the user's and stays open. Then the template folder goes. A failure of the first step
  // ends Fermer there.
  void Fermer() {
    if (mApplication.GetApplication().Documents().Count() >= 1 &&
        mApplication.ActiveDocument().Path().empty()) {
      mApplication.ActiveDocument().PutAttachedTemplate(u"Normal" + std::u16string(u".dot"));
      mApplication.ActiveDocument().Close(word::wdDoNotSaveChanges);
    }
    FermerModele();
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0219(const platform::Platform& platform) {
  return std::make_shared<Question0219>(platform);
}

}  // namespace r58046::questions
