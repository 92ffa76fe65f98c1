// The end of an exercise: what blocks Word is cleared away, the exercise's settings are put
// back, the user's documents are saved and opened again, the user's settings restored, the
// working files removed and the question released.
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/api.h"
#include "module/module.h"
#include "wordcontrol/constants.h"

namespace r58046::module {

namespace {

// After the balloon was closed, the assistant gets a moment to go away before Word's dialogs
// are looked for and Word is asked anything.
constexpr std::chrono::milliseconds kPauseBallon{250};

}  // namespace

void Module::FermeQuestion() {
  // The assistant's balloon, closed with its child windows.
  Hwnd ballon = mPlatform.windows.FindWindowA(wordcontrol::kClasseBallon, std::nullopt);
  if (ballon != 0) {
    FermeFenetre(ballon);
    mPlatform.pauses.pause(kPauseBallon);
  }
  // A modal dialog that Word shows, closed.
  FermeDialogue(mhWndWord);

  // From here on every failing step is skipped. Read for the next exercise, which applies
  // them: Word's startup task pane option, and whether the task pane shows.
  ignoreFailure([&] { mbShowStartupDialog = mApplication.ShowStartupDialog(); });
  ignoreFailure(
      [&] { mbTaskPaneVisible = mApplication.CommandBars().Item(u"Task Pane").Visible(); });
  // Whether Word still answers: when it does not, no document is touched.
  const bool wordRepond = ignoreFailure([&] { SondeOle(); });
  if (wordRepond) {
    // The active document's spelling and grammar underlining put back, each on its own: one
    // that Word refuses does not keep the other from going back.
    bool documentOuvert = false;
    ignoreFailure([&] { documentOuvert = mApplication.Documents().Count() >= 1; });
    if (documentOuvert) {
      ignoreFailure(
          [&] { mApplication.ActiveDocument().PutShowSpellingErrors(mbShowSpellingErrors != 0); });
      ignoreFailure([&] {
        mApplication.ActiveDocument().PutShowGrammaticalErrors(mbShowGrammaticalErrors != 0);
      });
    }
    // One slot per open document, for the name to open again.
    int32_t n = 0;
    ignoreFailure([&] { n = mApplication.Documents().Count(); });
    std::vector<std::u16string> aRouvrir(static_cast<size_t>(n));
    // Every document is closed, each taken from the front of Word's list: one on disk is
    // saved first, and opened again unless it has a password; a document never saved is
    // dropped. One that cannot be closed (it could not be saved) stays open with its changes,
    // and the documents after it are taken in turn.
    int32_t premier = 1;
    for (int32_t i = 1; i <= n; ++i) {
      const bool ferme = ignoreFailure([&] {
        const word::Document document = mApplication.Documents().Item(premier);
        if (!document.Path().empty()) {
          std::u16string nom;
          if (document.HasPassword() == word::kFalse) {
            nom = document.FullName();
          }
          document.Close(word::wdSaveChanges);
          aRouvrir[static_cast<size_t>(i - 1)] = nom;
        } else {
          document.Close(word::wdDoNotSaveChanges);
        }
      });
      if (!ferme) {
        ++premier;
      }
    }
    // The saved documents opened again, in the order they were closed.
    for (const std::u16string& nom : aRouvrir) {
      if (!nom.empty()) {
        ignoreFailure([&] { mApplication.Documents().Open(nom); });
      }
    }
  }
  // The user's settings restored, the working files removed and the question released, also
  // when Word no longer answers.
  ignoreFailure([&] { RestaureParamUser(); });
  ignoreFailure([&] { Nettoyage(); });
  ignoreFailure([&] { automation::Object(mQuestion).call(u"Fermer"); });
  mQuestion = nullptr;
}

}  // namespace r58046::module
