// Module: the one creatable class of the component and the only object the host talks to.
// It takes hold of Word, brings it into a known state, creates the question of a number,
// runs the general checks before an evaluation and forwards the results.
//
// Its procedures live in module.cpp (the host's members and VerifieDocument) and in
// src/wordcontrol/ (Word and its window, user settings, working files, teardown).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "automation/members.h"
#include "external/host.h"
#include "external/word.h"
#include "module/deletion_guard.h"
#include "platform/platform.h"

namespace r58046::module {

class Module : public automation::Automatable<Module>, public external::AbstractModule {
 public:
  explicit Module(const platform::Platform& platform);

  // The eight members of AbstractModule, late-bound by name in the host's order.
  static const automation::MemberTable<Module>& members();

  // --- AbstractModule
  bool BravoNuance() override;
  automation::ObjectRef Complement() override;
  std::u16string CauseErreur() override;
  bool ErreurGenerale() override;
  void Fermer() override;
  void InitQuestion(int32_t ilQuestion, std::u16string isPathDossier,
                    automation::ObjectRef& ioApplication, int32_t& ioHandleLogiciel,
                    std::u16string isPathModele) override;
  void Quitter(automation::ObjectRef& ioApplication, int32_t& ioHandleLogiciel) override;
  void TestePoint() override;

 private:
  friend class ModuleTestAccess;  // the unit tests reach the private procedures

  using Hwnd = platform::Hwnd;

  // The late-bound forms of InitQuestion and Quitter: the by-reference Variants of the
  // host, written back also when the call fails (they are the host's own variables).
  void InitQuestionParNom(int32_t ilQuestion, std::u16string isPathDossier,
                          automation::Variant& ioApplication, automation::Variant& ioHandleLogiciel,
                          std::optional<std::u16string> isPathModele);
  void QuitterParNom(automation::Variant& ioApplication, automation::Variant& ioHandleLogiciel);

  // --- module.cpp
  bool VerifieDocument();
  // The NomDest of the first working file of the question.
  std::u16string NomDocumentExercice();
  // Releases the drawing lock that GetApplication took during a host call.
  void LibereVerrouDessin();

  // --- wordcontrol/application_window.cpp
  bool AfficheWord();
  void EnvoieEchap(Hwnd& hWnd);
  void GetApplication();
  void FermeFenetre(Hwnd& hWnd);
  void OleAccessible(const bool& bSignaler);
  // Closes the first modal dialog that hWndProprietaire owns, after the dialogs it owns in
  // turn; any failure ends it silently. Answers whether it found one and sent it WM_CLOSE.
  bool FermeDialogue(Hwnd& hWndProprietaire);
  // Word's main window found by its caption: "Microsoft Word" when no document is open, else
  // the active document's name followed by " - Microsoft Word"; 0 when there is none.
  Hwnd FenetreWordParTitre();
  // The probe of the automation link: Application.Windows.Count, the value discarded.
  void SondeOle();
  // What a failed probe does when it is to be reported: the repair on error 462, then
  // PropageErreur with "OleAccessible". Called while the probe's error is being handled.
  [[noreturn]] void SignaleEchecOle(const automation::AutomationError& erreur);
  // The repair after Word disappeared (error 462): Word's window, Word, forward.
  void RepareOle();
  // A visible modal dialog with a caption, owned by hWndProprietaire.
  bool EstDialogueModal(Hwnd hWnd, Hwnd hWndProprietaire);

  // --- wordcontrol/user_settings.cpp
  void SaveParamUser();
  void RestaureParamUser();
  void InitCommandBar();

  // --- wordcontrol/working_files.cpp
  void ChangeDir(std::u16string& sPath);
  void Renomme();
  void Nettoyage();

  // --- wordcontrol/teardown.cpp
  void FermeQuestion();

  // The file system as the module and its questions reach it: deletions only inside this
  // exercise's working and template folders (msPathDossier, msPathModele).
  DeletionGuard mFichiers;
  platform::Platform mPlatform;

  // Part of the dispatcher.
  word::Application mApplication;
  automation::ObjectRef mQuestion;
  std::u16string msCodeErreurGenerale;
  bool mbErreurGenerale = false;
  Hwnd mhWndWord = 0;
  std::u16string msPathDossier;
  std::u16string msPathModele;
  int32_t mlNoQuestion = 0;
  bool mbWordLance = false;
  int32_t mlNbParagraphes = 0;
  word::WordBool mbShowAll = word::kFalse;
  word::WordBool mbShowFieldCodes = word::kFalse;
  word::WordBool mbShowSpellingErrors = word::kFalse;
  word::WordBool mbShowGrammaticalErrors = word::kFalse;
  // Word's startup task pane option as the user has it, applied again when an exercise starts;
  // nothing while it was never read from the Word in use (then it is not written).
  std::optional<int32_t> mbShowStartupDialog;

  // The user's settings, saved and restored around an exercise. A setting that could not be
  // read holds nothing and is never written back.
  std::optional<std::u16string> msDefaultCurrentPath;
  std::optional<std::u16string> msDefaultTemplatesPath;
  std::optional<std::u16string> msDefaultDocumentsPath;
  std::optional<word::WordBool> mbDisplayTooltips;
  int32_t mbTaskPaneVisible = 0;
  // Whether Word shows an exercise's settings (from the step of InitQuestion that sets them
  // until RestaureParamUser has put every one of the user's back): a new reading would not be
  // the user's, so what was saved stays, and a setting Word would not take back is written
  // again at the end of the next exercise.
  bool mbParamExercice = false;

  // Forgets the saved settings before a new exercise takes over Word, unless some are still
  // to be put back: a setting that the coming saving cannot read is then never written.
  void OublieParamUser();

  // Whether GetApplication locked the drawing of Word's window during the current call.
  bool mbDessinVerrouille = false;
};

// What the host (and the scenario runner) creates.
std::shared_ptr<Module> createModule(const platform::Platform& platform);

}  // namespace r58046::module
