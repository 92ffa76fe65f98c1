// Question 0207: the content of a second document, "Abonnement.doc", brought into
// "Bulletin.doc" so that its bookmark "e02" stands at the very start of the active document.
// Opening "Abonnement.doc" as a document of its own, or editing an embedded document, has a
// code of its own. Every completed evaluation stores a code; the correct answer is "C" with
// the nuance.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

// The window Word lists while the embedded document of "Bulletin.doc" is being edited.
constexpr std::u16string_view kDocumentIncorpore = u"document dans bulletin.doc";

class Question0207 : public Question<Question0207> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0207";

  explicit Question0207(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804607.doc", u"Bulletin.doc", false);
    AjouteFichier(u"15804607.doc", u"Abonnement.doc", false);
  }

  // Prepare opens "Bulletin.doc" only (the common form); "Abonnement.doc" stays closed.

  void Evalue() {
    const word::Documents documents = mApplication.Documents();
    const std::u16string abonnement = automation::lower(msPathDossier + u"abonnement.doc");

    // Left at the first "Abonnement.doc" of the working folder, i stays at its position;
    // run to the end, it passes the count.
    const int32_t n = documents.Count();
    int32_t i = 1;
    for (; i <= n; ++i) {
      const std::u16string nom = automation::lower(documents.Item(i).FullName());
      if (nom == kDocumentIncorpore) {
        msCauseErreur = u"A";
        return;
      }
      if (nom == abonnement) {
        break;
      }
    }
    if (mApplication.Documents().Count() >= i) {
      msCauseErreur = u"D";
      return;
    }

    // From here on a failing Word call (no bookmark "e02") is a verdict.
    CodeSurEchec(u"A", [&] {
      const word::Bookmarks signets = mApplication.ActiveDocument().Bookmarks();
      const word::Range e02 = signets.Item(u"e02").Range();
      if (!mApplication.ActiveDocument().Bookmarks().Exists(u"e02")) {
        msCauseErreur = u"A";
        return;
      }
      if (e02.Start() != 0) {
        msCauseErreur = u"B";
      } else {
        msCauseErreur = u"C";
        mbBravoNuance = true;
      }
    });
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0207(const platform::Platform& platform) {
  return std::make_shared<Question0207>(platform);
}

}  // namespace r58046::questions
