// Question 0218: the space before of the style "texte courrier" set to 6 points by modifying
// the style, in "Biscuits d'or.doc" and in its attached template "Courrier Oxel.dot", so that
// the paragraphs of the passage "e01" keep differing in their space before.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "automation/text.h"
#include "automation/variant.h"
#include "questions/documents.h"
#include "questions/question.h"
#include "questions/registry.h"

namespace r58046::questions {

namespace {

constexpr std::u16string_view kModele = u"Courrier Oxel.dot";
constexpr std::u16string_view kStyle = u"texte courrier";

class Question0218 : public Question<Question0218> {
 public:
  static constexpr std::u16string_view kClasse = u"Question0218";
  static constexpr FormeFermer kFermer = FormeFermer::Modele;

  explicit Question0218(const platform::Platform& platform) : Question(platform) {
    AjouteFichier(u"05804618.doc", u"Biscuits d'or.doc", false);
    AjouteFichier(u"05804618.dot", std::u16string(kModele), true);
  }

  // The document, open and active, with the template of the template folder attached. When
  // Word takes a template of that name from another folder, that copy is deleted and the
  // template attached again.
  void PrepareDocuments() {
    const std::u16string document = mFichiersDeTravail->Item(1).NomDest;
    const std::u16string modele = msPathModele + std::u16string(kModele);
    OuvreDocument(document);
    const std::u16string trouve = AttacheModele(mApplication, modele);
    if (automation::lower(msPathModele) != automation::lower(trouve)) {
      mApplication.ActiveDocument().PutAttachedTemplate(u"");
      mApplication.ActiveDocument().Close(word::wdSaveChanges);
      mPlatform.files.deleteFile(trouve + std::u16string(kModele));
      OuvreDocument(document);
      mApplication.ActiveDocument().PutAttachedTemplate(modele);
    }
  }

  void Evalue() {
    const int16_t n = Entier16(mApplication.ActiveDocument().Paragraphs().Count());
    int32_t i = 1;
    while (i <= n &&
           automation::lower(
               mApplication.ActiveDocument().Paragraphs().Item(i).Style().toString()) != kStyle) {
      ++i;
    }
    if (mApplication.ActiveDocument().Paragraphs().Count() < i) {
      msCauseErreur = u"A";
      return;
    }

    // Paragraphs that differ in their space before read wdUndefined.
    const word::Range e01 = mApplication.ActiveDocument().Bookmarks().Item(u"e01").Range();
    if (!automation::singleEquals(e01.Paragraphs().SpaceBefore(), word::wdUndefined)) {
      msCauseErreur = u"C";
      return;
    }

    if (EspaceAvantDuStyle() == 18.0F) {
      msCauseErreur = u"B";
      return;
    }
    if (EspaceAvantDuStyle() != 6.0F) {
      msCauseErreur = u"D";
      return;
    }

    // The template still open in Word with changes not saved: its file does not hold them
    // yet ("E"), and the open template, the trainee's work, is left as it is.
    const int16_t ouverts = Entier16(mApplication.Documents().Count());
    const int32_t j = IndexDocument(mApplication.Documents(), ouverts, {u"courrier oxel.dot"});
    if (j <= ouverts && mApplication.Documents().Item(j).Saved() == word::kFalse) {
      msCauseErreur = u"E";
      return;
    }

    // The template, measured through its paragraphs in the style, then closed unchanged;
    // also when a step fails, before the failure is handed on.
    const word::Document modele =
        mApplication.Documents().Open(msPathModele + std::u16string(kModele));
    FermeSurEchec(
        [&] {
          mApplication.Documents().Item(std::u16string(kModele)).Activate();
          mApplication.ActiveDocument().Paragraphs().PutStyle(std::u16string(kStyle));
          // Any other value than the 6 points asked for: the change did not reach the
          // template.
          if (mApplication.ActiveDocument().Paragraphs().SpaceBefore() != 6.0F) {
            msCauseErreur = u"E";
          }
          mApplication.ActiveDocument().Close(word::wdDoNotSaveChanges);
        },
        [&] { modele.Close(word::wdDoNotSaveChanges); });
  }

 private:
  float EspaceAvantDuStyle() const {
    return mApplication.ActiveDocument()
        .Styles()
        .Item(std::u16string(kStyle))
        .ParagraphFormat()
        .SpaceBefore();
  }
};

}  // namespace

automation::ObjectRef CreeQuestion0218(const platform::Platform& platform) {
  return std::make_shared<Question0218>(platform);
}

}  // namespace r58046::questions
