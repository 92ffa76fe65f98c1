// Question 0221: deleting the style "objet" from the letter template "Courrier Oxel.dot",
// which the question opens from the template folder, and saving the template. A save is
// recognised by the file's modification time.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "questions/documents.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kModele = u"Courrier Oxel.dot";

class Question0221 : public Question<Question0221> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0221";
  static constexpr FormeFermer kFermer = FormeFermer::Modele;

  explicit Question0221(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804621.dot", std::u16string(kModele), true);
  }

  // The template itself, from the template folder, and the time it was last written.
  void PrepareDocuments() {
    mApplication.Documents().Open(CheminModele());
    mApplication.Documents().Item(std::u16string(kModele)).Activate();
    msDateModele = DateModele();
  }

  void Evalue() {
    // Whatever dialog the trainee left open in Word goes first.
    mApplication.Activate();
    mPlatform.windows.sendEscape();

    // The template must still be open; a failure while looking is the same verdict.
    bool ouvert = false;
    if (!CodeSurEchec(u"C", [&] {
          const int16_t n = Entier16(mApplication.Documents().Count());
          ouvert = IndexDocument(mApplication.Documents(), n,
                                 {u"courrier oxel.dot", u"courrier oxel"}) <= n;
        })) {
      return;
    }
    if (!ouvert) {
      msCauseErreur = u"C";
      return;
    }

    mApplication.Documents().Item(std::u16string(kModele)).Activate();
    const int32_t m = mApplication.ActiveDocument().Styles().Count();
    if (IndexStyle(mApplication.ActiveDocument().Styles(), m, u"objet") <= m) {
      msCauseErreur = u"A";
      return;
    }

    // Compared at the full resolution of the file system's time stamps: a save within the
    // same second as the preparation is a save.
    if (DateModele() == msDateModele) {
      msCauseErreur = u"B";
    }
  }

 private:
  std::u16string CheminModele() const { return msPathModele + std::u16string(kModele); }
  std::u16string DateModele() const {
    return platform::formatFileTime(mPlatform.files.modificationTime(CheminModele()));
  }

  // The modification time of the template as Prepare read it, as text.
  std::u16string msDateModele;
};

}  // namespace

automation::ObjectRef CreeQuestion0221(const platform::Platform& platform) {
  return std::make_shared<Question0221>(platform);
}

}  // namespace r58046::questions
