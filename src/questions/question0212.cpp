// Question 0212: modifying the style "Nom" of "Bulletin.doc". Its next-paragraph style must
// become "Texte courrier" and its formatting must match that of the reference style
// "PourTest", as Word summarises both (Description).
#include <memory>
#include <string>
#include <string_view>

#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

class Question0212 : public Question<Question0212> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0212";
  static constexpr FormeFermer kFermer = FormeFermer::Modele;

  explicit Question0212(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804612.doc", u"Bulletin.doc", false);
  }

  // The document, then the selection on the passage "t01".
  void PrepareDocuments() {
    QuestionBase::PrepareDocuments();
    mApplication.Selection().GoTo(word::wdGoToBookmark, automation::Variant::missing(),
                                  automation::Variant::missing(), u"t01");
  }

  // A failing Word call (a style deleted, for instance) is a verdict of its own: "A".
  void Evalue() {
    CodeSurEchec(u"A", [&] {
      const word::Style nom = mApplication.ActiveDocument().Styles().Item(u"Nom");

      if (nom.NextParagraphStyle().toString() != u"Texte courrier") {
        msCauseErreur = u"B";
        return;
      }

      const std::u16string reference =
          mApplication.ActiveDocument().Styles().Item(u"PourTest").Description();
      const std::u16string description = nom.Description();
      if (reference != description) {
        msCauseErreur = u"C";
      }
    });
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0212(const platform::Platform& platform) {
  return std::make_shared<Question0212>(platform);
}

}  // namespace r58046::questions
