// Question 0208: a manual page break in "Bulletin.doc". Exactly one page break goes inside
// the passage "s01", with no new section, column break, manual line break or paragraph.
// Prepare puts the selection on the bookmark "t01".
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kSautDeColonne = u"\x0E";  // code 14
constexpr std::u16string_view kSautDeLigne = u"\v";      // code 11
constexpr std::u16string_view kSautDePage = u"\f";       // code 12
constexpr std::u16string_view kMarqueParagraphe = u"\r";

class Question0208 : public Question<Question0208> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0208";

  explicit Question0208(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804608.doc", u"Bulletin.doc", false);
  }

  void PrepareDocuments() {
    QuestionBase::PrepareDocuments();
    mApplication.Selection().GoTo(word::wdGoToBookmark, automation::Variant::missing(),
                                  automation::Variant::missing(), u"t01");
  }

  // The first failing point stores its code; when every point holds nothing is stored.
  void Evalue() {
    const word::Bookmarks signets = mApplication.ActiveDocument().Bookmarks();
    const word::Range r1 = signets.Item(u"s01").Range();
    // Not used further, but a document without "s02" is not evaluated.
    static_cast<void>(signets.Item(u"s02").Range());

    if (mApplication.ActiveDocument().Sections().Count() != 1) {
      msCauseErreur = u"D";
      return;
    }

    const std::u16string texte = r1.Text();
    if (automation::inStr(texte, kSautDeColonne) != 0) {
      msCauseErreur = u"E";
      return;
    }
    if (automation::inStr(texte, kSautDeLigne) != 0) {
      msCauseErreur = u"F";
      return;
    }
    const int32_t sautsDePage = NombreOccurrences(texte, kSautDePage);
    if (sautsDePage == 0) {
      msCauseErreur = u"B";
      return;
    }
    if (sautsDePage > 1) {
      msCauseErreur = u"C";
      return;
    }
    if (NombreOccurrences(r1.Text(), kMarqueParagraphe) > 1) {
      msCauseErreur = u"A";
    }
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0208(const platform::Platform& platform) {
  return std::make_shared<Question0208>(platform);
}

}  // namespace r58046::questions
