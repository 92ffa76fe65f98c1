// The working files: master copies renamed to their working names before an exercise, and
// removed (closed in Word first) before and after it; templates live in the template folder.
#include <string>

#include "automation/text.h"
#include "core/api.h"
#include "module/module.h"

namespace r58046::module {

using automation::Object;

namespace {

// One entry of the question's working-file list, read late-bound.
struct FichierLu {
  std::u16string nomSource;
  std::u16string nomDest;
  bool modele = false;
};

FichierLu litFichier(const Object& fichiers, int32_t index) {
  const Object fichier = fichiers.get(u"Item", index);
  return {fichier.get(u"NomSource").toString(), fichier.get(u"NomDest").toString(),
          fichier.get(u"Modele").toBool()};
}

}  // namespace

void Module::ChangeDir(std::u16string& sPath) {
  guarded(u"Module", u"ChangeDir", [&] { mApplication.ChangeFileOpenDirectory(sPath); });
}

void Module::Renomme() {
  guarded(u"Module", u"Renomme", [&] {
    const Object fichiers = Object(mQuestion).get(u"FichiersDeTravail");
    const int32_t n = fichiers.get(u"count").toLong();
    for (int32_t i = 1; i <= n; ++i) {
      const FichierLu fichier = litFichier(fichiers, i);
      if (fichier.nomSource.empty()) {
        continue;
      }
      const std::u16string source = msPathDossier + fichier.nomSource;
      mPlatform.files.setAttributesNormal(source);
      mPlatform.files.rename(source,
                             (fichier.modele ? msPathModele : msPathDossier) + fichier.nomDest);
    }
  });
}

void Module::Nettoyage() {
  guarded(u"Module", u"Nettoyage", [&] {
    const Object fichiers = Object(mQuestion).get(u"FichiersDeTravail");
    const int32_t n = fichiers.get(u"count").toLong();
    // Word's part and the deletion of each file do not depend on each other: a file is
    // deleted also when Word could not let go of it (deleting needs no Word), and every file
    // is seen to. A failure of Word's part is reported once all of them were.
    IndependentSteps etapes;
    for (int32_t i = 1; i <= n; ++i) {
      const FichierLu fichier = litFichier(fichiers, i);
      const std::u16string chemin =
          (fichier.modele ? msPathModele : msPathDossier) + fichier.nomDest;
      // The last document of that name still open in Word is closed: the working file
      // without saving; a document of the user that only shares its name keeps its changes.
      etapes.run([&] {
        for (int32_t j = mApplication.Documents().Count(); j >= 1; --j) {
          const word::Document document = mApplication.Documents().Item(j);
          if (automation::equalsNoCase(document.Name(), fichier.nomDest)) {
            if (automation::equalsNoCase(document.FullName(), chemin)) {
              document.Close(automation::Variant::boolean(false));
            } else {
              document.Close(word::wdSaveChanges);
            }
            break;
          }
        }
      });
      if (fichier.modele) {
        // The template loaded as an add-in (same name, same case).
        etapes.run([&] {
          for (int32_t j = mApplication.AddIns().Count(); j >= 1; --j) {
            const word::AddIn complement = mApplication.AddIns().Item(j);
            if (complement.Name() == fichier.nomDest) {
              complement.Delete();
            }
          }
        });
        // Documents attached to it go back to the normal template.
        etapes.run([&] {
          for (int32_t j = mApplication.Documents().Count(); j >= 1; --j) {
            const word::Document document = mApplication.Documents().Item(j);
            if (document.AttachedTemplate().Name() == fichier.nomDest) {
              document.PutAttachedTemplate(u"");
            }
          }
        });
      }
      // The file itself, in the template folder or the working folder.
      ignoreFailure([&] { mPlatform.files.setAttributesNormal(chemin); });
      ignoreFailure([&] { mPlatform.files.deleteFile(chemin); });
    }
    etapes.raiseFirstFailure();
  });
}

}  // namespace r58046::module
