// Question 0201: a left tab stop after the label "NOM" of "Bulletin.doc". The paragraph of
// the passage "s01" must carry exactly one custom tab stop, left-aligned, at 2 cm (0.75 in
// when Word measures in inches, points or picas), with no left or first-line indent and the
// text unchanged.
#include <cstdint>
#include <memory>
#include <string_view>

#include "core/globals.h"
#include "questions/question.h"
#include "questions/registry.h"
#include "questions/tabstops.h"

namespace r58046::questions {

namespace {

// The label followed by two tab characters.
constexpr std::u16string_view kTexte = u"NOM\t\t";

class Question0201 : public Question<Question0201> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0201";

  explicit Question0201(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804601.doc", u"Bulletin.doc", false);
  }

  // The first failing point stores its code; when every point holds nothing is stored.
  void Evalue() {
    const word::Range r = mApplication.ActiveDocument().Bookmarks().Item(u"s01").Range();

    const float retrait = r.Paragraphs().LeftIndent();
    const float retraitPremiereLigne = r.Paragraphs().FirstLineIndent();
    if (retrait != 0 || retraitPremiereLigne != 0) {
      msCauseErreur = u"D";
      return;
    }

    if (r.Text() != kTexte) {
      msCauseErreur = u"E";
      return;
    }

    const word::TabStops tabulations = r.Paragraphs().TabStops();
    const int32_t n = tabulations.Count();
    const int32_t k = NombreTabulationsPerso(tabulations, n);
    if (k == 0) {
      msCauseErreur = u"A";
      return;
    }
    const int32_t m = k >= 2 ? NombreTabulationsPerso(tabulations, 2) : 0;
    if (m > 1) {
      msCauseErreur = u"B";
      return;
    }

    // Whole points, half to even, as CLng converts.
    const int32_t p = automation::Variant(tabulations.Item(1).Position()).toLong();
    const int16_t a = automation::Variant(tabulations.Item(1).Alignment()).toInteger();

    module::gMeasurementUnit = mApplication.Options().MeasurementUnit();
    const bool metrique = MesureMetrique(module::gMeasurementUnit);
    const double premiereReference = metrique ? 57.0 : 54.0;
    const double secondeReference = metrique ? 56.7 : 54.0;

    if (!automation::singleEquals(p, premiereReference) &&
        !automation::singleEquals(p, secondeReference)) {
      msCauseErreur = u"C";
      return;
    }
    if (a != word::wdAlignTabLeft) {
      msCauseErreur = u"F";
    }
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0201(const platform::Platform& platform) {
  return std::make_shared<Question0201>(platform);
}

}  // namespace r58046::questions
