// Word and its window: obtaining Word, bringing it forward, probing and repairing the
// automation link, and closing what stands in the way (the assistant's balloon, a modal
// dialog left open).
#include <optional>
#include <string>

#include "core/api.h"
#include "module/module.h"
#include "wordcontrol/constants.h"

namespace r58046::module {

using automation::AutomationError;

void Module::GetApplication() {
  guarded(u"Module", u"GetApplication", [&] {
    platform::WindowManager& fenetres = mPlatform.windows;
    // A Word the module created itself holds nothing of the user's.
    bool creeIci = false;
    try {
      // Attach to the running Word unless its known window is hidden; else create one.
      automation::ObjectRef application;
      if (fenetres.IsWindowVisible(mhWndWord) != 0 || mhWndWord == 0) {
        ignoreFailure(
            [&] { application = mPlatform.registry.getActiveObject(wordcontrol::kProgIdWord); });
      }
      if (!application) {
        application = mPlatform.registry.createObject(wordcontrol::kProgIdWord);
        creeIci = true;
      }
      mApplication = word::Application(application);
      // Shown.
      mApplication.GetApplication().PutVisible(true);
      // Word's main window, by its caption.
      mhWndWord = FenetreWordParTitre();
      // Word's startup task pane option, read with a document open: a new one, closed
      // again with every other (Word asks about unsaved changes itself).
      mApplication.Documents().Add();
      mbShowStartupDialog = mApplication.ShowStartupDialog();
      mApplication.Documents().Close();
      // The drawing of Word's window locked; released when the host's call ends.
      fenetres.LockWindowUpdate(mhWndWord);
      mbDessinVerrouille = true;
    } catch (const AutomationError&) {
      // A Word created here and not set up would stay behind unseen (the host never receives
      // it, so nothing would ever end it): it is told to quit. A Word the user was running
      // is left alone.
      if (creeIci && mApplication.ref()) {
        ignoreFailure([&] { mApplication.Quit(word::wdDoNotSaveChanges); });
      }
      mApplication = word::Application();
      throw;
    }
  });
}

Module::Hwnd Module::FenetreWordParTitre() {
  platform::WindowManager& fenetres = mPlatform.windows;
  if (mApplication.Documents().Count() == 0) {
    return fenetres.FindWindowA(wordcontrol::kClasseWord, wordcontrol::kTitreSansDocument);
  }
  return fenetres.FindWindowA(
      wordcontrol::kClasseWord,
      mApplication.ActiveDocument().Name() + std::u16string(wordcontrol::kSuffixeTitre));
}

bool Module::AfficheWord() {
  platform::WindowManager& fenetres = mPlatform.windows;
  // Only the existence of a Word window decides.
  if (fenetres.FindWindowA(wordcontrol::kClasseWord, std::nullopt) == 0) {
    return false;
  }
  // Maximised (a failure ignored), restored when minimised, brought forward.
  ignoreFailure([&] { mApplication.PutWindowState(word::wdWindowStateMaximize); });
  if (fenetres.IsIconic(mhWndWord) == 1) {
    fenetres.ShowWindow(mhWndWord, platform::kSwShowMaximized);
  }
  fenetres.SetForegroundWindow(mhWndWord);
  return true;
}

void Module::SondeOle() {
  mApplication.GetApplication().Windows().Count();
}

void Module::RepareOle() {
  mhWndWord = mPlatform.windows.FindWindowA(wordcontrol::kClasseWord, std::nullopt);
  GetApplication();
  AfficheWord();
}

void Module::SignaleEchecOle(const AutomationError& erreur) {
  if (erreur.number() == automation::errors::kServerNotAvailable) {
    RepareOle();
    // The error was cleared by the repair: what is handed on is a failure without the first
    // error's number (VB raises error 5 for a cleared error).
    try {
      automation::raiseError(automation::errors::kInvalidProcedureCall, {}, u"");
    } catch (const AutomationError& efface) {
      PropageErreur(u"Module", u"OleAccessible", efface.source());
    }
  }
  PropageErreur(u"Module", u"OleAccessible", erreur.source());
}

void Module::OleAccessible(const bool& bSignaler) {
  // The probe; reported at once when the caller wants to know.
  bool repare = false;
  try {
    SondeOle();
    return;
  } catch (const AutomationError& erreur) {
    if (bSignaler) {
      SignaleEchecOle(erreur);
    }
    // Escape closes a menu or dialog that blocks automation; Word gone is repaired.
    EnvoieEchap(mhWndWord);
    repare = erreur.number() == automation::errors::kServerNotAvailable;
  }
  if (repare) {
    RepareOle();
  }
  // The second probe; its failure is reported.
  try {
    SondeOle();
  } catch (const AutomationError& erreur) {
    SignaleEchecOle(erreur);
  }
}

void Module::EnvoieEchap(Hwnd& hWnd) {
  mPlatform.windows.SetForegroundWindow(hWnd);
  mPlatform.windows.sendEscape();
}

void Module::FermeFenetre(Hwnd& hWnd) {
  ignoreFailure([&] {
    platform::WindowManager& fenetres = mPlatform.windows;
    // Always the first remaining child; one that survives its closing ends the loop.
    Hwnd enfant = fenetres.FindWindowExA(hWnd, 0, std::nullopt, std::nullopt);
    Hwnd precedent = 0;
    while (enfant != 0 && enfant != precedent) {
      FermeFenetre(enfant);
      precedent = enfant;
      enfant = fenetres.FindWindowExA(hWnd, 0, std::nullopt, std::nullopt);
    }
    fenetres.SendMessageA(hWnd, platform::kWmClose, 0, 0);
  });
}

bool Module::EstDialogueModal(Hwnd hWnd, Hwnd hWndProprietaire) {
  platform::WindowManager& fenetres = mPlatform.windows;
  std::u16string titre;
  return fenetres.GetWindowTextA(hWnd, titre, wordcontrol::kTailleTampon) > 0 &&
         fenetres.IsWindowVisible(hWnd) != 0 &&
         (fenetres.GetWindowLongA(hWnd, platform::kGwlExStyle) & platform::kWsExDlgModalFrame) !=
             0 &&
         fenetres.GetParent(hWnd) == hWndProprietaire;
}

bool Module::FermeDialogue(Hwnd& hWndProprietaire) {
  bool ferme = false;
  ignoreFailure([&] {
    platform::WindowManager& fenetres = mPlatform.windows;
    for (Hwnd h = fenetres.GetWindow(hWndProprietaire, platform::kGwHwndPrev); h != 0;
         h = fenetres.GetWindow(h, platform::kGwHwndPrev)) {
      if (EstDialogueModal(h, hWndProprietaire)) {
        // One dialog per call, after the dialogs it owns.
        FermeDialogue(h);
        fenetres.SendMessageA(h, platform::kWmClose, 0, 0);
        ferme = true;
        return;
      }
    }
  });
  return ferme;
}

}  // namespace r58046::module
