// Question 0202: a left tab stop and a dotted right tab stop after the label "NOM" of
// "Bulletin.doc". The paragraph of the passage "s01" must carry exactly two custom tab
// stops, a plain left tab at 2 cm and a right-aligned one with a dotted leader at 11 cm
// (0.75 in and 4.75 in when Word measures in inches, points or picas), with no left or
// first-line indent and the text unchanged.
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

class Question0202 : public Question<Question0202> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0202";

  explicit Question0202(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804602.doc", u"Bulletin.doc", false);
  }

  // The first failing point stores its code; when every point holds nothing is stored.
  void Evalue() {
    const word::Range r = mApplication.ActiveDocument().Bookmarks().Item(u"s01").Range();

    module::gMeasurementUnit = mApplication.Options().MeasurementUnit();
    const bool metrique = MesureMetrique(module::gMeasurementUnit);
    const double premiereGauche = metrique ? 57.0 : 54.0;
    const double secondeGauche = metrique ? 56.7 : 54.0;
    const double droite = metrique ? 311.85 : 342.0;

    const float retrait = r.Paragraphs().LeftIndent();
    const float retraitPremiereLigne = r.Paragraphs().FirstLineIndent();
    if (retrait != 0 || retraitPremiereLigne != 0) {
      msCauseErreur = u"G";
      return;
    }

    if (r.Text() != kTexte) {
      msCauseErreur = u"H";
      return;
    }

    const word::TabStops tabulations = r.Paragraphs().TabStops();
    const auto [k, m] = CompteTabulationsPerso(tabulations);
    if (k == 0) {
      msCauseErreur = u"I";
      return;
    }
    if (m >= 3) {
      msCauseErreur = u"C";
      return;
    }
    if (!PositionParmi(tabulations, m, {secondeGauche, premiereGauche})) {
      msCauseErreur = u"A";
      return;
    }
    if (m == 1) {
      msCauseErreur = u"B";
      return;
    }
    // The left tab stop (the first at a left reference) is a plain one: left-aligned, no
    // leader. A centred or decimal tab, or a leader, is not the tab stop asked for.
    const word::TabStop gaucheTab =
        tabulations.Item(PremierePositionParmi(tabulations, m, {secondeGauche, premiereGauche}));
    if (gaucheTab.Alignment() != word::wdAlignTabLeft ||
        gaucheTab.Leader() != word::wdTabLeaderSpaces) {
      msCauseErreur = u"A";
      return;
    }

    // The right tab stop: the last one that is at neither left reference. With both tab
    // stops at a left reference (56.7 and 57.0 points) there is none, so the right tab
    // stop is not where it must be.
    const int32_t p = DernierePositionHors(tabulations, m, {premiereGauche, secondeGauche});
    if (p == 0) {
      msCauseErreur = u"D";
      return;
    }
    const word::TabStop droiteTab = tabulations.Item(p);
    if (!automation::singleEquals(droiteTab.Position(), droite)) {
      msCauseErreur = u"D";
      return;
    }
    if (droiteTab.Alignment() != word::wdAlignTabRight) {
      msCauseErreur = u"E";
      return;
    }
    if (droiteTab.Leader() != word::wdTabLeaderDots) {
      msCauseErreur = u"F";
    }
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0202(const platform::Platform& platform) {
  return std::make_shared<Question0202>(platform);
}

}  // namespace r58046::questions
