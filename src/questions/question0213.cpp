// Question 0213: showing the style area again. Prepare hides it (width 0) in the window of
// "Bulletin.doc"; any width above 0 is the answer, given with a nuance.
#include <memory>
#include <string_view>

#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

class Question0213 : public Question<Question0213> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0213";

  explicit Question0213(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804613.doc", u"Bulletin.doc", false);
  }

  // The document, with its style area hidden.
  void PrepareDocuments() {
    QuestionBase::PrepareDocuments();
    mApplication.ActiveDocument().ActiveWindow().PutStyleAreaWidth(0.0F);
  }

  // Always a verdict: "A" while the area is hidden, else "B" with BravoNuance (which stays
  // set for the life of the question).
  void Evalue() {
    const float largeur = mApplication.ActiveDocument().ActiveWindow().StyleAreaWidth();
    if (largeur == 0.0F) {
      msCauseErreur = u"A";
    } else {
      msCauseErreur = u"B";
      mbBravoNuance = true;
    }
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0213(const platform::Platform& platform) {
  return std::make_shared<Question0213>(platform);
}

}  // namespace r58046::questions
