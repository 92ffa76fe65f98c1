// Question 0211: the style "adresse" (in any letter case) on every paragraph of the two
// passages "s01" and "s02" of "Bulletin.doc".
#include <cstdint>
#include <memory>
#include <string_view>

#include "automation/text.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kStyle = u"adresse";

class Question0211 : public Question<Question0211> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0211";

  explicit Question0211(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804611.doc", u"Bulletin.doc", false);
  }

  // The first passage in another style stores "A"; otherwise nothing is stored.
  void Evalue() {
    // Both passages are taken before either is tested.
    const word::Bookmarks signets = mApplication.ActiveDocument().Bookmarks();
    const word::Range r1 = signets.Item(u"s01").Range();
    const word::Range r2 = signets.Item(u"s02").Range();

    for (const word::Range& passage : {r1, r2}) {
      if (!DansLeStyle(passage)) {
        msCauseErreur = u"A";
        return;
      }
    }
  }

 private:
  // Whether the passage and every paragraph of it carry the style. A passage's own style is
  // only that of its start (its first paragraph), so each paragraph is read as well: an
  // address styled on its first line only is not styled.
  static bool DansLeStyle(const word::Range& passage) {
    // The style's name, as the Style object gives it as its default value.
    if (automation::lower(passage.Style().toString()) != kStyle) {
      return false;
    }
    const word::Paragraphs paragraphes = passage.Paragraphs();
    const int32_t n = paragraphes.Count();
    for (int32_t i = 1; i <= n; ++i) {
      if (automation::lower(paragraphes.Item(i).Style().toString()) != kStyle) {
        return false;
      }
    }
    return true;
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0211(const platform::Platform& platform) {
  return std::make_shared<Question0211>(platform);
}

}  // namespace r58046::questions
