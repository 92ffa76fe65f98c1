// Question 0214: creating the style "objet" (any letter case) in "Bulletin.doc" while the
// passages "s01" and "s02" keep the style "Normal".
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "questions/documents.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kObjet = u"objet";

// The name of a passage's style, lower-cased, read afresh.
std::u16string StyleMinuscule(const word::Range& passage) {
  return automation::lower(passage.Style().toString());
}

class Question0214 : public Question<Question0214> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0214";

  explicit Question0214(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804614.doc", u"Bulletin.doc", false);
  }

  void Evalue() {
    const word::Range r1 = mApplication.ActiveDocument().Bookmarks().Item(u"s01").Range();
    const word::Range r2 = mApplication.ActiveDocument().Bookmarks().Item(u"s02").Range();

    const int16_t n = Entier16(mApplication.ActiveDocument().Styles().Count());
    const int32_t i = IndexStyle(mApplication.ActiveDocument().Styles(), n, kObjet);
    if (i > mApplication.ActiveDocument().Styles().Count()) {
      msCauseErreur = u"A";
      return;
    }

    if (StyleMinuscule(r1) == kObjet && StyleMinuscule(r2) == kObjet) {
      msCauseErreur = u"B";
      return;
    }

    const std::u16string normal = automation::lower(u"Normal");
    if (StyleMinuscule(r1) != normal) {
      msCauseErreur = u"C";
      return;
    }
    if (StyleMinuscule(r2) != normal) {
      msCauseErreur = u"C";
    }
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0214(const platform::Platform& platform) {
  return std::make_shared<Question0214>(platform);
}

}  // namespace r58046::questions
