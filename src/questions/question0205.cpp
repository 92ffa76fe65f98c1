// Question 0205: the company name of "Bulletin.doc" with expanded character spacing. The
// document ends with a paragraph that holds "s02" followed directly by the company name;
// "s01" comes before "s02", and the company name's characters are spaced out by 5 points.
// Every completed evaluation stores a code; the correct answer is "D" with the nuance.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kSociete = u"SOCIÉTÉ PLAISIRS ET ÉVASIONS";
constexpr float kEspacement = 5;

class Question0205 : public Question<Question0205> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0205";

  explicit Question0205(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804605.doc", u"Bulletin.doc", false);
  }

  void Evalue() {
    const word::Document document = mApplication.ActiveDocument();
    const word::Range r1 = document.Bookmarks().Item(u"s01").Range();
    const word::Range r2 = document.Bookmarks().Item(u"s02").Range();
    const word::Range dernier = document.Paragraphs().Last().Range();

    const int32_t finDocument = document.Range().End();
    const word::Range suite = document.Range(r2.Start(), finDocument);
    if (NombreOccurrences(suite.Text(), u"\r") > 1) {
      msCauseErreur = u"E";
      return;
    }

    if (automation::inStr(automation::upper(dernier.Text()), kSociete) == 0) {
      msCauseErreur = u"A";
      return;
    }

    if (r1.Start() > r2.Start()) {
      msCauseErreur = u"B";
      return;
    }

    // Where the company name lies, counted from the start of "s02".
    const auto n =
        static_cast<int32_t>(automation::inStr(automation::upper(dernier.Text()), kSociete));
    const int32_t debut = r2.Start() + n - 1;
    const int32_t fin = debut + static_cast<int32_t>(kSociete.size());

    // From here on a failing Word call (a range beyond the document) is a verdict.
    CodeSurEchec(u"B", [&] {
      const word::Range nom = mApplication.ActiveDocument().Range(debut, fin);
      if (automation::upper(nom.Text()) != kSociete) {
        msCauseErreur = u"C";
        return;
      }
      if (nom.Start() != r2.End()) {
        msCauseErreur = u"C";
        return;
      }
      if (nom.Font().Spacing() != kEspacement) {
        msCauseErreur = u"B";
        return;
      }
      msCauseErreur = u"D";
      mbBravoNuance = true;
    });
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0205(const platform::Platform& platform) {
  return std::make_shared<Question0205>(platform);
}

}  // namespace r58046::questions
