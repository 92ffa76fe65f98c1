// The working files: master copies renamed to their working names before an exercise, and
// removed (closed in Word first) before and after it; templates live in the template folder.
#include <string>

#include "automation/text.h"
#include "module/api.h"
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
    for (int32_t i = 1; i <= n; ++i) {
      const FichierLu fichier = litFichier(fichiers, i);
      // 1. The working file still open in Word (the last one of that name) is closed unsaved.
      for (int32_t j = mApplication.Documents().Count(); j >= 1; --j) {
        const word::Document document = mApplication.Documents().Item(j);
        if (automation::equalsNoCase(document.Name(), fichier.nomDest)) {
          document.Close(automation::Variant::boolean(false));
          break;
        }
      }
      if (fichier.modele) {
        // 2.1 The template loaded as an add-in (same name, same case).
        for (int32_t j = mApplication.AddIns().Count(); j >= 1; --j) {
          const word::AddIn complement = mApplication.AddIns().Item(j);
          if (complement.Name() == fichier.nomDest) {
            complement.Delete();
          }
        }
        // 2.2 Documents attached to it go back to the normal template.
        for (int32_t j = mApplication.Documents().Count(); j >= 1; --j) {
          const word::Document document = mApplication.Documents().Item(j);
          if (document.AttachedTemplate().Name() == fichier.nomDest) {
            document.PutAttachedTemplate(u"");
          }
        }
        // 2.3
        const std::u16string chemin = msPathModele + fichier.nomDest;
        ignoreFailure([&] { mPlatform.files.setAttributesNormal(chemin); });
        ignoreFailure([&] { mPlatform.files.deleteFile(chemin); });
      } else {
        // 3.
        const std::u16string chemin = msPathDossier + fichier.nomDest;
        ignoreFailure([&] { mPlatform.files.setAttributesNormal(chemin); });
        ignoreFailure([&] { mPlatform.files.deleteFile(chemin); });
      }
    }
  });
}

}  // namespace r58046::module
