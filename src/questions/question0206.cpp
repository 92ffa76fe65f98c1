// Question 0206: a note typed into "Bulletin.doc" and laid out with a hanging indent. The
// note typed at "s01" reads "NB : ", a tab, then the payment note; its paragraph has one plain
// left tab stop at 2 cm, a left indent of 2 cm and a first-line indent of -2 cm (0.75 in
// when Word measures in inches, points or picas). The no-break space that Word's automatic
// formatting puts before a colon and the curly apostrophe are accepted.
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "core/globals.h"
#include "questions/question.h"
#include "questions/registry.h"
#include "questions/tabstops.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kMarqueParagraphe = u"\r";

constexpr std::u16string_view kTexte =
    u"NB : \tRèglement par chèque postal ou bancaire à l'ordre de : Société Plaisirs et "
    u"évasions";

class Question0206 : public Question<Question0206> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0206";

  explicit Question0206(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804606.doc", u"Bulletin.doc", false);
  }

  // The first failing point stores its code; when every point holds nothing is stored.
  void Evalue() {
    const word::Range r1 = mApplication.ActiveDocument().Bookmarks().Item(u"s01").Range();
    // The unit recorded when the user's settings were saved; the option is not read again.
    const double l = MesureMetrique(module::gMeasurementUnit) ? 56.7 : 54.0;

    // Word's automatic formatting: a no-break space before a colon, a curly apostrophe.
    std::u16string texte = automation::replaceAll(TexteTape(r1), u"\u00A0:", u" :");
    texte = automation::replaceAll(texte, u"\u2019", u"'");
    if (texte != kTexte) {
      msCauseErreur = u"F";
      return;
    }

    const word::TabStops tabulations = r1.Paragraphs().TabStops();
    const auto [k, m] = CompteTabulationsPerso(tabulations);
    if (k == 0 || m > 1 || !PositionParmi(tabulations, m, {l})) {
      msCauseErreur = u"A";
      return;
    }
    const word::TabStop premiere = tabulations.Item(1);
    if (premiere.Alignment() != word::wdAlignTabLeft ||
        premiere.Leader() != word::wdTabLeaderSpaces) {
      msCauseErreur = u"A";
      return;
    }

    // Each indent is read afresh from the paragraphs of "s01" at each test.
    const auto retrait = [&r1] { return r1.Paragraphs().LeftIndent(); };
    const auto premiereLigne = [&r1] { return r1.Paragraphs().FirstLineIndent(); };

    if (const float g = retrait(), p = premiereLigne(); g != 0 && std::fabs(p) != g) {
      msCauseErreur = u"B";
      return;
    }
    if (premiereLigne() == 0) {
      msCauseErreur = u"C";
      return;
    }
    if (premiereLigne() >= 0) {
      msCauseErreur = u"D";
      return;
    }
    if (const float g = retrait(), p = premiereLigne();
        !automation::singleEquals(g, l) || std::fabs(p) != g) {
      msCauseErreur = u"E";
    }
  }

 private:
  // The note typed at "s01". Word puts what is typed at an empty bookmark after it, so when
  // "s01" marks no text the note is the text of its paragraph, without the paragraph mark;
  // otherwise it is the text that "s01" marks.
  static std::u16string TexteTape(const word::Range& r1) {
    if (r1.Start() != r1.End()) {
      return r1.Text();
    }
    std::u16string texte = r1.Paragraphs().Item(1).Range().Text();
    if (texte.ends_with(kMarqueParagraphe)) {
      texte.resize(texte.size() - kMarqueParagraphe.size());
    }
    return texte;
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0206(const platform::Platform& platform) {
  return std::make_shared<Question0206>(platform);
}

}  // namespace r58046::questions
