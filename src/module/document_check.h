// What the document check of Module (VerifieDocument) asks of each exercise, in one table:
// which document must be there, whether its paragraph count must be the one recorded when the
// exercise was set up, and which bookmarks must still exist.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace r58046::module {

enum class DocumentExige {
  // None: the evaluation reads no exercise document, the check passes at once.
  Aucun,
  // Any open document will do.
  Quelconque,
  // The exercise document (the first working file), open and active.
  Exercice,
  // The exercise document, open and active, still a form protected for filling in, with its
  // three form fields.
  FormulaireProtege,
};

struct ControleDocument {
  DocumentExige document = DocumentExige::Exercice;
  // Whether the paragraph count must be the one InitQuestion recorded (and so whether
  // InitQuestion must manage to record it).
  bool memesParagraphes = true;
  // The bookmarks the evaluation relies on, in the order they are looked for.
  std::vector<std::u16string_view> signets;

  bool operator==(const ControleDocument&) const = default;
};

// The check of a question; a number that has no question gets the plain check (the
// exercise document, its paragraph count, no bookmark).
const ControleDocument& ControleDocumentDe(int32_t question);

}  // namespace r58046::module
