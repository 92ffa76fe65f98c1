// Question 0215: an envelope added to the letter "Bulletin.doc", addressed to the letter's
// addressee, with the company as return address, and without making that address Word's
// user address. The evaluation puts back the user address saved when the exercise was set up.
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "core/globals.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

// The recipient's three lines, compared lower-cased.
constexpr std::u16string_view kDestinataire =
    u"monsieur dorvilan\r6 avenue des peupliers\r69000 lyon";
// The company, compared upper-cased.
constexpr std::u16string_view kSociete = u"SOCIÉTÉ PLAISIRS ET ÉVASIONS";

class Question0215 : public Question<Question0215> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0215";

  explicit Question0215(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804615.doc", u"Bulletin.doc", false);
  }

  void Evalue() {
    // An envelope is a section of its own in front of the letter.
    if (mApplication.ActiveDocument().Sections().Count() != 2) {
      msCauseErreur = u"A";
      return;
    }

    // From here a failing Word call is the verdict "A", and the user address stays as the
    // trainee left it.
    CodeSurEchec(u"A", [&] {
      mApplication.ActiveDocument().Envelope().DefaultFaceUp();
      if (automation::lower(mApplication.ActiveDocument().Envelope().Address().Text()) !=
          kDestinataire) {
        msCauseErreur = u"B";
      } else if (automation::upper(
                     mApplication.ActiveDocument().Envelope().ReturnAddress().Text()) != kSociete) {
        msCauseErreur = u"C";
      } else if (automation::upper(mApplication.UserAddress()) == kSociete) {
        msCauseErreur = u"D";
      }
      RemetAdresseUtilisateur();
    });
  }

  // The exercise ends: the user's address goes back, whatever the trainee left in it (the
  // return address saved as the user's, for instance); then the template form.
  void Fermer() {
    module::ignoreFailure([&] { RemetAdresseUtilisateur(); });
    FermerModele();
  }

 private:
  // The user's address saved when the exercise was set up; one that could not be read is not
  // written.
  void RemetAdresseUtilisateur() {
    if (module::gsUserAddress) {
      mApplication.PutUserAddress(*module::gsUserAddress);
    }
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0215(const platform::Platform& platform) {
  return std::make_shared<Question0215>(platform);
}

}  // namespace r58046::questions
