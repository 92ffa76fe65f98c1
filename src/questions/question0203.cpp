// Question 0203: a manual line break and two tab stops in "Bulletin.doc". The line is split
// with a manual line break exactly where the passage "s01" ends and "s02" begins, without a
// new paragraph; the paragraph of "s01" has no indent and exactly two custom tab stops, a
// plain left tab at 2 cm and a dotted right tab at 11 cm (0.75 in and 4.75 in when Word
// measures in inches, points or picas).
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

constexpr std::u16string_view kSautDeLigne = u"\v";  // code 11
constexpr std::u16string_view kMarqueParagraphe = u"\r";

class Question0203 : public Question<Question0203> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0203";

  explicit Question0203(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804603.doc", u"Bulletin.doc", false);
  }

  // The first failing point stores its code; when every point holds nothing is stored.
  void Evalue() {
    module::gMeasurementUnit = mApplication.Options().MeasurementUnit();

    const word::Bookmarks signets = mApplication.ActiveDocument().Bookmarks();
    const word::Range r1 = signets.Item(u"s01").Range();
    const word::Range r2 = signets.Item(u"s02").Range();

    const bool metrique = MesureMetrique(module::gMeasurementUnit);
    const double gauche = metrique ? 56.7 : 54.0;
    const double exclue = metrique ? 57.0 : 54.0;
    const double droite = metrique ? 311.85 : 342.0;

    if (automation::inStr(r1.Text() + r2.Text(), kSautDeLigne) == 0) {
      msCauseErreur = u"B";
      return;
    }

    const float retrait = r1.Paragraphs().LeftIndent();
    const float retraitPremiereLigne = r1.Paragraphs().FirstLineIndent();
    if (retrait != 0 || retraitPremiereLigne != 0) {
      msCauseErreur = u"F";
      return;
    }

    if (!TabulationsAttendues(r1.Paragraphs().TabStops(), gauche, exclue, droite)) {
      msCauseErreur = u"E";
      return;
    }

    const std::u16string s = r1.Text() + r2.Text();
    if (NombreOccurrences(s, kSautDeLigne) > 1) {
      msCauseErreur = u"C";
      return;
    }
    if (NombreOccurrences(s, kMarqueParagraphe) > 1) {
      msCauseErreur = u"A";
      return;
    }
    // The break ends "s01" or begins "s02".
    const size_t saut = automation::inStr(s, kSautDeLigne);
    const size_t longueur = r1.Text().size();
    if (saut != longueur && saut != longueur + 1) {
      msCauseErreur = u"D";
    }
  }

 private:
  // Exactly a plain left tab stop at the left position and a dotted right one at the right
  // position; the tests stop at the first that fails.
  static bool TabulationsAttendues(const word::TabStops& tabulations, double gauche, double exclue,
                                   double droite) {
    const auto [k, m] = CompteTabulationsPerso(tabulations);
    if (k == 0 || m > 2 || !PositionParmi(tabulations, m, {gauche}) || m == 1) {
      return false;
    }
    const word::TabStop premiere = tabulations.Item(1);
    if (premiere.Alignment() != word::wdAlignTabLeft ||
        premiere.Leader() != word::wdTabLeaderSpaces) {
      return false;
    }
    const word::TabStop autre = tabulations.Item(DernierePositionHors(tabulations, m, {exclue}));
    return automation::singleEquals(autre.Position(), droite) &&
           autre.Alignment() == word::wdAlignTabRight && autre.Leader() == word::wdTabLeaderDots;
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0203(const platform::Platform& platform) {
  return std::make_shared<Question0203>(platform);
}

}  // namespace r58046::questions
