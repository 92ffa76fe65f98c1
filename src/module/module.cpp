#include "module/module.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include "automation/scope_exit.h"
#include "automation/text.h"
#include "core/api.h"
#include "module/document_check.h"
#include "questions/registry.h"
#include "wordcontrol/constants.h"

namespace r58046::module {

using automation::Arg;
using automation::AutomationError;
using automation::Object;
using automation::ObjectRef;
using automation::Variant;

namespace {

constexpr std::u16string_view kClasse = u"Module";

// InitQuestion's probes of Word's object model: the attempt counter hands the failure on when
// it reaches this (so at most 499 probes).
constexpr int32_t kTentativesOle = 500;
// Between two attempts, so that a busy Word gets the time to finish; and the time all attempts
// may take together, since each may itself wait on Word.
constexpr std::chrono::milliseconds kPauseOle{20};
constexpr std::chrono::seconds kDureeMaxOle{15};
// InitQuestion's wait for the template folder: how often it is asked for before giving up.
constexpr int32_t kEssaisDossier = 50;
constexpr std::chrono::milliseconds kPauseDossier{100};

// The object a host's variable holds; Nothing for an empty variable.
ObjectRef objetDe(const Variant& v) {
  if (v.isEmpty() || v.isMissing()) {
    return nullptr;
  }
  return v.toObject();
}

}  // namespace

Module::Module(const platform::Platform& platform)
    : mFichiers(platform.files, msPathDossier, msPathModele),
      mPlatform{platform.windows, platform.registry, mFichiers, platform.pauses} {}

std::shared_ptr<Module> createModule(const platform::Platform& platform) {
  return std::make_shared<Module>(platform);
}

const automation::MemberTable<Module>& Module::members() {
  static const auto table =
      automation::MemberTable<Module>()
          .get(u"BravoNuance", &Module::BravoNuance)
          .get(u"Complement", &Module::Complement)
          .get(u"CauseErreur", &Module::CauseErreur)
          .get(u"ErreurGenerale", &Module::ErreurGenerale)
          .method(u"Fermer", &Module::Fermer)
          .method(u"InitQuestion",
                  {u"ilQuestion", u"isPathDossier", u"ioApplication", u"ioHandleLogiciel",
                   u"isPathModele"},
                  &Module::InitQuestionParNom)
          .method(u"Quitter", {u"ioApplication", u"ioHandleLogiciel"}, &Module::QuitterParNom)
          .method(u"TestePoint", &Module::TestePoint);
  return table;
}

void Module::InitQuestionParNom(int32_t ilQuestion, std::u16string isPathDossier,
                                Variant& ioApplication, Variant& ioHandleLogiciel,
                                std::optional<std::u16string> isPathModele) {
  ObjectRef application = objetDe(ioApplication);
  int32_t handle = ioHandleLogiciel.toLong();
  const auto rendu = automation::scopeExit([&] {
    ioApplication = Variant(application);
    ioHandleLogiciel = Variant(handle);
  });
  InitQuestion(ilQuestion, std::move(isPathDossier), application, handle,
               std::move(isPathModele).value_or(std::u16string()));
}

void Module::QuitterParNom(Variant& ioApplication, Variant& ioHandleLogiciel) {
  ObjectRef application = objetDe(ioApplication);
  int32_t handle = ioHandleLogiciel.toLong();
  const auto rendu = automation::scopeExit([&] {
    ioApplication = Variant(application);
    ioHandleLogiciel = Variant(handle);
  });
  Quitter(application, handle);
}

// --- the result getters

bool Module::BravoNuance() {
  return Object(mQuestion).get(u"BravoNuance").toBool();
}

ObjectRef Module::Complement() {
  return Object(mQuestion).get(u"ComplementInfo").toObject();
}

std::u16string Module::CauseErreur() {
  if (mbErreurGenerale) {
    return msCodeErreurGenerale;
  }
  return Object(mQuestion).get(u"CauseErreur").toString();
}

bool Module::ErreurGenerale() {
  return mbErreurGenerale;
}

void Module::Fermer() {
  FermeQuestion();
}

// --- InitQuestion

void Module::InitQuestion(int32_t ilQuestion, std::u16string isPathDossier,
                          ObjectRef& ioApplication, int32_t& ioHandleLogiciel,
                          std::u16string /*isPathModele: the template folder is Word's own*/) {
  platform::WindowManager& fenetres = mPlatform.windows;
  const auto verrou = automation::scopeExit([&] { LibereVerrouDessin(); });

  // The working folder, before anything is touched: the exercise's files are renamed and
  // deleted there, so it must name its place from the root (an empty or relative folder would
  // be the host's current folder: error 5, an invalid argument); the separator that ends it
  // is added when the host left it out.
  guarded(kClasse, u"InitQuestion", [&] {
    if (!platform::isAbsolutePath(isPathDossier)) {
      automation::raiseError(
          automation::errors::kInvalidProcedureCall,
          u"The working folder is not an absolute path: \"" + isPathDossier + u"\"");
    }
  });
  if (!platform::isSeparator(isPathDossier.back())) {
    isPathDossier += platform::kSeparator;
  }
  OublieParamUser();

  // A handle the host kept whose window is gone: the host's Word is gone with it.
  if (ioHandleLogiciel != -1) {
    std::u16string classe;
    if (fenetres.GetClassNameA(ioHandleLogiciel, classe, wordcontrol::kTailleTampon) == 0) {
      ioApplication = nullptr;
      mApplication = word::Application();
      ioHandleLogiciel = -1;
      mhWndWord = 0;
    }
  }

  if (!ioApplication) {
    // No Word from the host: the module takes one itself.
    GetApplication();
    mbWordLance = true;
    ioApplication = mApplication.ref();
    ioHandleLogiciel = mhWndWord;
    mQuestion = nullptr;
    // The user's settings saved, and a modal dialog that Word shows closed.
    SaveParamUser();
    FermeDialogue(mhWndWord);
  } else {
    // The host's Word: the module no longer counts as its starter when it is another one.
    const bool wordNouveau = !automation::sameObject(ioApplication, mApplication.ref());
    if (wordNouveau) {
      mbWordLance = false;
    }
    mApplication = word::Application(ioApplication);
    // The startup task pane option of a Word new to the module is the user's: the exercise's
    // display writes it back as read, not the off of a module that never saw it.
    if (wordNouveau) {
      mbShowStartupDialog.reset();
      ignoreFailure([&] { mbShowStartupDialog = mApplication.ShowStartupDialog(); });
    }
    SaveParamUser();
    mhWndWord = ioHandleLogiciel;
    // Until the dialog is closed, failures are ignored and the next step runs. Word's main
    // window, by its caption:
    ignoreFailure([&] { mhWndWord = FenetreWordParTitre(); });
    // A hidden Word (or none found) is replaced by one the module takes itself.
    fenetres.SetForegroundWindow(mhWndWord);
    if (fenetres.IsWindowVisible(mhWndWord) == 0) {
      if (mhWndWord != 0) {
        ignoreFailure([&] { word::Application(ioApplication).Quit(word::wdDoNotSaveChanges); });
      }
      ioApplication = nullptr;
      mApplication = word::Application();
      ignoreFailure([&] { GetApplication(); });
      mbWordLance = true;
      ioApplication = mApplication.ref();
    }
    // The window goes back to the host; the user's settings are saved (a second time), and
    // a modal dialog that Word shows is closed.
    ioHandleLogiciel = mhWndWord;
    ignoreFailure([&] { SaveParamUser(); });
    FermeDialogue(mhWndWord);
  }

  // Word's object model must answer before anything is asked of it. A Word that is starting,
  // or busy with what Escape has just closed, may reject a few calls, so the probe is made
  // again after a short pause; the attempts are bounded, in number and in time, so that a
  // Word that never answers is reported instead of holding the host for ever.
  guarded(kClasse, u"InitQuestion", [&] {
    const auto debut = std::chrono::steady_clock::now();
    for (int32_t tentative = 1;; ++tentative) {
      try {
        OleAccessible(false);
        return;
      } catch (const AutomationError&) {
        if (tentative + 1 >= kTentativesOle ||
            std::chrono::steady_clock::now() - debut > kDureeMaxOle) {
          throw;
        }
      }
      mPlatform.pauses.pause(kPauseOle);
    }
  });

  // An exercise still open is ended first.
  if (mQuestion) {
    FermeQuestion();
  }

  // The question of the number, the working folder and the template folder; a failure is
  // reported.
  guarded(kClasse, u"InitQuestion", [&] {
    mlNoQuestion = ilQuestion;
    mQuestion = questions::CreeQuestion(ilQuestion, mPlatform);
    msPathDossier = isPathDossier;
    // Until it is computed below, this exercise has no template folder (nothing can be
    // deleted in the last exercise's).
    msPathModele.clear();
    std::u16string modeles =
        mApplication.Options().DefaultFilePath(word::wdDefaultFilePathUserTemplates);
    // An empty option would put the template folder at the root of the file system, a
    // relative one in the host's current folder.
    if (!platform::isAbsolutePath(modeles)) {
      automation::raiseError(
          automation::errors::kPathNotFound,
          u"Word's user-templates folder is not an absolute path: \"" + modeles + u"\"");
    }
    if (platform::isSeparator(modeles.back())) {
      modeles.pop_back();
    }
    msPathModele = modeles + platform::kSeparator + std::u16string(wordcontrol::kDossierModeles) +
                   platform::kSeparator;
    // Created with its parents, then looked for until it is seen, pending window messages
    // let run between tries (as the folder may appear only a moment later); the tries are
    // bounded, so that a folder that can never be made (no right to write, a file of that
    // name) is reported instead of waited for.
    for (int32_t essai = 1;; ++essai) {
      mPlatform.files.makeSureDirectoryPathExists(msPathModele);
      fenetres.doEvents();
      if (mPlatform.files.folderExists(msPathModele)) {
        break;
      }
      if (essai == kEssaisDossier) {
        automation::raiseError(automation::errors::kPathFileAccessError,
                               u"The folder " + msPathModele + u" cannot be created");
      }
      mPlatform.pauses.pause(kPauseDossier);
    }
  });

  // The working files put in place, the question's documents opened, Word's current folder,
  // command bars and tool tips set; a failure goes to the host unchanged.
  Nettoyage();
  Renomme();
  Variant application(mApplication.ref());
  Object(mQuestion).call(u"Prepare", Arg::byRef(application), isPathDossier, msPathModele);
  mApplication = word::Application(Object(application));
  std::u16string dossierParDefaut = Object(mQuestion).get(u"PathDossierParDefaut").toString();
  // From here Word shows the exercise's settings until RestaureParamUser.
  mbParamExercice = true;
  ChangeDir(dossierParDefaut);
  InitCommandBar();
  mApplication.CommandBars().PutDisplayTooltips(true);

  if (mlNoQuestion == 219) {
    // Of the steps that follow, this question needs only Word brought forward (and reports
    // its failure).
    guarded(kClasse, u"InitQuestion", [&] { AfficheWord(); });
    return;
  }

  // A document to work in (a new one when none is open, the task pane then shown) and Word's
  // window maximised; a failure is reported.
  guarded(kClasse, u"InitQuestion", [&] {
    if (mApplication.Documents().Count() == 0) {
      mApplication.Documents().Add();
      mApplication.CommandBars().Item(u"Task Pane").PutEnabled(true);
      if (mApplication.CommandBars().Item(u"Task Pane").Enabled() != 0) {
        mApplication.CommandBars().Item(u"Task Pane").PutVisible(true);
      }
    }
    mApplication.ActiveWindow().PutWindowState(word::wdWindowStateMaximize);
  });

  // Word's display for the exercise. From here on failures are ignored and the next step
  // runs.
  ignoreFailure([&] {
    if (mbShowStartupDialog) {
      mApplication.PutShowStartupDialog(*mbShowStartupDialog != 0);
    }
  });
  ignoreFailure([&] { mApplication.PutDisplayStatusBar(true); });
  ignoreFailure([&] { mApplication.ActiveWindow().PutDisplayVerticalScrollBar(true); });
  ignoreFailure([&] { mApplication.ActiveWindow().PutDisplayScreenTips(true); });
  // The document's spelling and grammar underlining, saved for the teardown, then turned off.
  ignoreFailure([&] { mbShowSpellingErrors = mApplication.ActiveDocument().ShowSpellingErrors(); });
  ignoreFailure(
      [&] { mbShowGrammaticalErrors = mApplication.ActiveDocument().ShowGrammaticalErrors(); });
  ignoreFailure([&] { mApplication.ActiveDocument().PutShowSpellingErrors(false); });
  ignoreFailure([&] { mApplication.ActiveDocument().PutShowGrammaticalErrors(false); });
  // The style area closed (the style questions, 213 to 219, leave it as it is).
  if (mlNoQuestion < 213 || mlNoQuestion > 219) {
    ignoreFailure([&] {
      if (mApplication.Documents().Count() >= 1) {
        mApplication.ActiveWindow().PutStyleAreaWidth(0);
      }
    });
  }
  // Word brought forward.
  ignoreFailure([&] { AfficheWord(); });
  // The exercise document activated and its paragraph count recorded. A question whose document
  // check compares it could not be judged without it: there a failure is reported, not ignored.
  auto etapeDuCompte = [&](auto&& etape) {
    if (ControleDocumentDe(mlNoQuestion).memesParagraphes) {
      guarded(kClasse, u"InitQuestion", etape);
    } else {
      ignoreFailure(etape);
    }
  };
  if (mlNoQuestion != 215 && mlNoQuestion != 217) {
    etapeDuCompte([&] { mApplication.Documents().Item(NomDocumentExercice()).Activate(); });
  }
  etapeDuCompte([&] { mlNbParagraphes = mApplication.ActiveDocument().Paragraphs().Count(); });
}

// --- TestePoint

void Module::TestePoint() {
  platform::WindowManager& fenetres = mPlatform.windows;
  const auto verrou = automation::scopeExit([&] { LibereVerrouDessin(); });

  // Word's main window, whatever its title, brought forward; none is "AM".
  mhWndWord = fenetres.FindWindowA(wordcontrol::kClasseWord, std::nullopt);
  if (!AfficheWord()) {
    mbErreurGenerale = true;
    msCodeErreurGenerale = u"AM";
    return;
  }

  // A modal dialog of Word left open: it is closed, after the dialogs it owns.
  if (FermeDialogue(mhWndWord)) {
    mbErreurGenerale = true;
    msCodeErreurGenerale = u"%AL";
    return;
  }

  // Word's object model must answer (repaired when Word was gone, but reported all the
  // same): else "%AL".
  if (!ignoreFailure([&] { OleAccessible(true); })) {
    mbErreurGenerale = true;
    msCodeErreurGenerale = u"%AL";
    return;
  }

  // The exercise document intact. A Word call of the check that fails is "AN"; a check that
  // fails has stored its own code.
  mbErreurGenerale = false;
  bool documentIntact = false;
  if (!ignoreFailure([&] { documentIntact = VerifieDocument(); })) {
    mbErreurGenerale = true;
    msCodeErreurGenerale = u"AN";
    return;
  }
  if (!documentIntact) {
    mbErreurGenerale = true;
    return;
  }

  // The question's evaluation; the view settings it may change (all marks shown, field
  // codes) are put back after it.
  if (mApplication.Documents().Count() >= 1) {
    const word::View vue = mApplication.ActiveWindow().View();
    mbShowAll = vue.ShowAll();
    mbShowFieldCodes = vue.ShowFieldCodes();
  }
  Object(mQuestion).call(u"TestePoint");
  mbErreurGenerale = false;
  if (mApplication.Documents().Count() >= 1) {
    const word::View vue = mApplication.ActiveWindow().View();
    vue.PutShowAll(mbShowAll != 0);
    vue.PutShowFieldCodes(mbShowFieldCodes != 0);
  }
}

std::u16string Module::NomDocumentExercice() {
  const Object fichiers = Object(mQuestion).get(u"FichiersDeTravail");
  const Object premier = fichiers.get(u"Item", int32_t{1});
  return premier.get(u"NomDest").toString();
}

bool Module::VerifieDocument() {
  const ControleDocument& controle = ControleDocumentDe(mlNoQuestion);
  // Questions whose evaluation needs no exercise document.
  if (controle.document == DocumentExige::Aucun) {
    return true;
  }
  // The exercise document's name (the first working file's), compared without regard to case.
  const std::u16string nom = NomDocumentExercice();
  const word::Documents documents = mApplication.Documents();

  if (controle.document == DocumentExige::Quelconque) {
    // Any open document will do. The walk below decides nothing: found or not, it ends at the
    // exercise document or at the last one. It is there for its Word calls: one that fails (a
    // document closed meanwhile, Word gone) fails the check, which TestePoint answers with
    // "AN".
    const int32_t n = documents.Count();
    if (n == 0) {
      msCodeErreurGenerale = u"C";
      return false;
    }
    for (int32_t i = 1; i <= n; ++i) {
      if (automation::equalsNoCase(documents.Item(i).Name(), nom) || i == documents.Count()) {
        break;
      }
    }
  } else {
    // Open, and active.
    const int32_t n = documents.Count();
    bool ouvert = false;
    for (int32_t i = 1; i <= n && !ouvert; ++i) {
      ouvert = automation::equalsNoCase(documents.Item(i).Name(), nom);
    }
    if (!ouvert) {
      msCodeErreurGenerale = u"C";
      return false;
    }
    if (!automation::equalsNoCase(mApplication.ActiveDocument().Name(), nom)) {
      msCodeErreurGenerale = u"A";
      return false;
    }
  }

  const word::Document document = mApplication.ActiveDocument();
  // The protected form.
  if (controle.document == DocumentExige::FormulaireProtege) {
    if (document.ProtectionType() != word::wdAllowOnlyFormFields ||
        document.FormFields().Count() != 3) {
      msCodeErreurGenerale = u"D";
      return false;
    }
  }
  // The paragraph count recorded by InitQuestion.
  if (controle.memesParagraphes) {
    if (document.Paragraphs().Count() != mlNbParagraphes) {
      msCodeErreurGenerale = u"B";
      return false;
    }
  }
  // The bookmarks the exercise relies on, looked for in turn until one is missing.
  const auto present = [&](std::u16string_view signet) {
    return document.Bookmarks().Exists(std::u16string(signet));
  };
  if (!std::ranges::all_of(controle.signets, present)) {
    msCodeErreurGenerale = u"D";
    return false;
  }
  return true;
}

// --- Quitter

void Module::Quitter(ObjectRef& ioApplication, int32_t& ioHandleLogiciel) {
  guarded(kClasse, u"Quitter", [&] {
    if (mQuestion) {
      FermeQuestion();
    }
    // Only a Word the module still holds: Quitter called again, or before any InitQuestion,
    // has nothing to quit.
    if (!mApplication.isNothing() && automation::sameObject(mApplication.ref(), ioApplication) &&
        mbWordLance) {
      mApplication.Quit(word::wdDoNotSaveChanges);
      mPlatform.windows.ShowWindow(mhWndWord, platform::kSwShowMinimized);
      ioHandleLogiciel = 0;
      ioApplication = nullptr;
    }
    mApplication = word::Application();
  });
}

void Module::LibereVerrouDessin() {
  if (mbDessinVerrouille) {
    mbDessinVerrouille = false;
    mPlatform.windows.LockWindowUpdate(0);
  }
}

}  // namespace r58046::module
