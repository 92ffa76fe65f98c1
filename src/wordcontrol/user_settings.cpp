// The user's Word settings, saved before an exercise and put back after it, and the layout
// of Word's main toolbars during an exercise.
#include <string>
#include <utility>

#include "core/api.h"
#include "core/globals.h"
#include "module/module.h"

namespace r58046::module {

void Module::OublieParamUser() {
  if (!mbParamExercice) {
    msDefaultCurrentPath.reset();
    msDefaultTemplatesPath.reset();
    msDefaultDocumentsPath.reset();
    gsUserAddress.reset();
    mbDisplayTooltips.reset();
  }
}

void Module::SaveParamUser() {
  guarded(u"Module", u"SaveParamUser", [&] {
    // While Word shows an exercise's settings, what was saved before that exercise stays: it
    // is the user's. A reading that fails keeps what the saving before it read (the first
    // saving of an exercise starts from nothing: OublieParamUser).
    const bool dejaSauves = mbParamExercice;
    auto sauve = [dejaSauves](auto& parametre, auto valeur) {
      if (!dejaSauves) {
        parametre = std::move(valeur);
      }
    };
    sauve(msDefaultCurrentPath,
          mApplication.Options().DefaultFilePath(word::wdDefaultFilePathCurrentFolder));
    sauve(msDefaultTemplatesPath,
          mApplication.Options().DefaultFilePath(word::wdDefaultFilePathUserTemplates));
    sauve(msDefaultDocumentsPath,
          mApplication.Options().DefaultFilePath(word::wdDefaultFilePathDocuments));
    sauve(gsUserAddress, mApplication.UserAddress());
    gMeasurementUnit = mApplication.Options().MeasurementUnit();
    sauve(mbDisplayTooltips, mApplication.CommandBars().DisplayTooltips());
  });
}

void Module::RestaureParamUser() {
  guarded(u"Module", u"RestaureParamUser", [&] {
    // Each setting on its own: one that Word refuses does not keep the others from going
    // back, and it is tried once more before the failure counts. A setting that was never
    // read is not written.
    IndependentSteps etapes;
    auto remet = [&](auto&& etape) {
      etapes.run([&] {
        if (!ignoreFailure(etape)) {
          etape();
        }
      });
    };
    remet([&] {
      if (msDefaultCurrentPath) {
        ChangeDir(*msDefaultCurrentPath);
      }
    });
    remet([&] {
      if (msDefaultDocumentsPath) {
        mApplication.Options().PutDefaultFilePath(word::wdDefaultFilePathDocuments,
                                                  *msDefaultDocumentsPath);
      }
    });
    remet([&] {
      if (msDefaultTemplatesPath) {
        mApplication.Options().PutDefaultFilePath(word::wdDefaultFilePathUserTemplates,
                                                  *msDefaultTemplatesPath);
      }
    });
    remet([&] {
      if (mbDisplayTooltips) {
        mApplication.CommandBars().PutDisplayTooltips(*mbDisplayTooltips != 0);
      }
    });
    // Word shows the user's settings again: the next saving reads them. When one did not go
    // back, what was saved stays for the next exercise's end to write.
    if (!etapes.failed()) {
      mbParamExercice = false;
    }
    etapes.raiseFirstFailure();
  });
}

void Module::InitCommandBar() {
  guarded(u"Module", u"InitCommandBar", [&] {
    // Every step looks the bar up again by name.
    auto barre = [&](std::u16string_view nom) {
      return mApplication.CommandBars().Item(std::u16string(nom));
    };
    // The two main toolbars: enabled, docked at the top, shown.
    for (std::u16string_view nom : {u"standard", u"formatting"}) {
      barre(nom).PutEnabled(true);
      barre(nom).PutVisible(false);
      barre(nom).PutPosition(word::msoBarTop);
      barre(nom).PutVisible(true);
    }
    // Drawing: a shown bar goes to the bottom; a hidden one stays where it is.
    barre(u"Drawing").PutEnabled(true);
    const word::WordBool visible = barre(u"Drawing").Visible();
    const int32_t position = barre(u"Drawing").Position();
    if (position != word::msoBarBottom && visible != 0) {
      barre(u"Drawing").PutVisible(false);
      barre(u"Drawing").PutPosition(word::msoBarBottom);
      barre(u"Drawing").PutVisible(true);
    }
    // The task pane, when enabled: at the right, shown as the last exercise left it.
    if (barre(u"Task Pane").Enabled() != 0) {
      barre(u"Task Pane").PutPosition(word::msoBarRight);
      barre(u"Task Pane").PutVisible(mbTaskPaneVisible != 0);
    }
  });
}

}  // namespace r58046::module
