// Question 0204: a left and a right tab stop in "Bulletin.doc". The paragraph of the
// passage "s01" has no indent and exactly two custom tab stops: a plain left tab at 2 cm
// (0.75 in when Word measures in inches, points or picas) and a right-aligned tab with a
// dotted leader. A right tab exactly at 11 cm (4.75 in) has a code of its own; a dotted
// right tab anywhere else is accepted with a nuance. Every completed evaluation stores a
// code.
#include <cstdint>
#include <memory>
#include <string_view>

#include "core/globals.h"
#include "questions/question.h"
#include "questions/registry.h"
#include "questions/tabstops.h"

namespace r58046::questions {

namespace {

class Question0204 : public Question<Question0204> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0204";

  explicit Question0204(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804604.doc", u"Bulletin.doc", false);
  }

  void Evalue() {
    const word::Range r1 = mApplication.ActiveDocument().Bookmarks().Item(u"s01").Range();

    // The unit recorded when the user's settings were saved; the option is not read again.
    const bool metrique = MesureMetrique(module::gMeasurementUnit);
    const double gauche = metrique ? 56.7 : 54.0;
    const double exclue = metrique ? 57.0 : 54.0;
    const double onzeCentimetres = metrique ? 311.85 : 342.0;

    const float retrait = r1.Paragraphs().LeftIndent();
    const float retraitPremiereLigne = r1.Paragraphs().FirstLineIndent();
    if (retrait != 0 || retraitPremiereLigne != 0) {
      msCauseErreur = u"E";
      return;
    }

    // From here on a failing Word call is a verdict of its own.
    CodeSurEchec(u"G", [&] {
      const word::TabStops tabulations = r1.Paragraphs().TabStops();
      const auto [k, m] = CompteTabulationsPerso(tabulations);
      if (k == 0 || m > 2 || !PositionParmi(tabulations, m, {gauche}) || m == 1) {
        msCauseErreur = u"A";
        return;
      }

      const word::TabStop premiere = tabulations.Item(1);
      if (premiere.Alignment() != word::wdAlignTabLeft) {
        msCauseErreur = u"F";
        return;
      }
      if (premiere.Leader() != word::wdTabLeaderSpaces) {
        msCauseErreur = u"F";
        return;
      }

      const word::TabStop autre = tabulations.Item(DernierePositionHors(tabulations, m, {exclue}));
      if (automation::singleEquals(autre.Position(), onzeCentimetres)) {
        msCauseErreur = u"B";
      } else if (autre.Alignment() != word::wdAlignTabRight ||
                 autre.Leader() != word::wdTabLeaderDots) {
        msCauseErreur = u"C";
      } else {
        msCauseErreur = u"D";
        mbBravoNuance = true;
      }
    });
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0204(const platform::Platform& platform) {
  return std::make_shared<Question0204>(platform);
}

}  // namespace r58046::questions
