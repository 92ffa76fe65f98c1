// Question 0210: the paragraph style "adresse" created in "Bulletin.doc": based on "Normal",
// Arial 12 points in blue, with a left indent of 9 cm. Only the style's definition counts,
// not where it is applied; the 9 cm do not depend on Word's measurement unit.
#include <cstdint>
#include <memory>
#include <string_view>

#include "automation/text.h"
#include "automation/variant.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kStyle = u"adresse";
constexpr std::u16string_view kStyleDeBase = u"Normal";
constexpr std::u16string_view kPolice = u"Arial";
constexpr float kTaille = 12;
constexpr float kRetraitCentimetres = 9;

class Question0210 : public Question<Question0210> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0210";

  explicit Question0210(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804610.doc", u"Bulletin.doc", false);
  }

  // The first failing point stores its code; when every point holds nothing is stored.
  void Evalue() {
    // Every object is reached afresh from the active document's styles.
    const auto styles = [this] { return mApplication.ActiveDocument().Styles(); };

    // The style's name in any letter case; i passes the count when none has it.
    const int16_t n = automation::Variant(styles().Count()).toInteger();
    int32_t i = 1;
    for (; i <= n; ++i) {
      if (automation::lower(styles().Item(i).NameLocal()) == kStyle) {
        break;
      }
    }
    if (styles().Count() < i) {
      msCauseErreur = u"A";
      return;
    }

    const word::Style style = styles().Item(kStyle);
    if (style.BaseStyle().toString() != kStyleDeBase) {
      msCauseErreur = u"B";
      return;
    }

    const std::u16string police = style.Font().Name();
    const float taille = style.Font().Size();
    const int32_t couleur = style.Font().ColorIndex();
    if (police != kPolice || couleur != word::wdBlue || taille != kTaille) {
      msCauseErreur = u"B";
      return;
    }

    // Whole points, half to even: 9 cm read back as 255.15 points counts, 9.02 cm does not.
    const float retrait = style.ParagraphFormat().LeftIndent();
    const float attendu = mApplication.CentimetersToPoints(kRetraitCentimetres);
    if (automation::roundHalfEven(retrait) != automation::roundHalfEven(attendu)) {
      msCauseErreur = u"B";
    }
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0210(const platform::Platform& platform) {
  return std::make_shared<Question0210>(platform);
}

}  // namespace r58046::questions
