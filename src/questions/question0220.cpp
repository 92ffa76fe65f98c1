// Question 0220: ticking the check boxes of the form "Modèles.doc", protected for filling
// in: the first and the third box ticked, the second left empty. The letter template
// "Courrier Oxel.dot" lies in the template folder for the duration of the exercise.
#include <cstdint>
#include <memory>
#include <string_view>

#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

class Question0220 : public Question<Question0220> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0220";
  static constexpr FormeFermer kFermer = FormeFermer::Modele;

  explicit Question0220(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804620.doc", u"Modèles.doc", false);
    AjouteFichier(u"05804620.dot", u"Courrier Oxel.dot", true);
  }

  // The boxes are Word Booleans (-1 or 0), combined bit by bit.
  void Evalue() {
    Cases cases = LitCases();
    if (~(cases.v1 | cases.v2 | cases.v3) != 0) {
      msCauseErreur = u"A";
      return;
    }
    cases = LitCases();
    if (~(cases.v3 & cases.v1 & ~cases.v2) != 0) {
      msCauseErreur = u"B";
    }
  }

 private:
  struct Cases {
    word::WordBool v1;
    word::WordBool v2;
    word::WordBool v3;
  };

  // A form field that is no check box fails, and the failure is handed on.
  Cases LitCases() const {
    Cases cases{};
    cases.v1 = mApplication.ActiveDocument().FormFields().Item(1).CheckBox().Value();
    cases.v2 = mApplication.ActiveDocument().FormFields().Item(2).CheckBox().Value();
    cases.v3 = mApplication.ActiveDocument().FormFields().Item(3).CheckBox().Value();
    return cases;
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0220(const platform::Platform& platform) {
  return std::make_shared<Question0220>(platform);
}

}  // namespace r58046::questions
