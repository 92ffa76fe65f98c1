// What several questions do alike with Word's collections and with the letter template:
// looking a document or a style up by its lower-cased name, attaching a template and reading
// back where Word took it from, and closing a template that an evaluation opened when a later
// step fails.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "automation/error.h"
#include "core/api.h"
#include "external/word.h"

namespace r58046::questions {

// A count or an index held in a 16-bit integer, as VB's Integer holds it: error 6
// (overflow) beyond 32767.
int16_t Entier16(int32_t value);

// The first index in 1..n whose document's Name, lower-cased, is one of `noms` (written in
// lower case); n + 1 when none is. Each document is read by its index as a 16-bit integer.
int32_t IndexDocument(const word::Documents& documents, int16_t n,
                      std::initializer_list<std::u16string_view> noms);

// The first index in 1..n whose style's NameLocal, lower-cased, is `nom` (written in lower
// case); n + 1 when none is. Each style is read by its index as a 16-bit integer.
int32_t IndexStyle(const word::Styles& styles, int32_t n, std::u16string_view nom);

// Attaches the template at `chemin` to the active document and answers the folder Word took
// it from: the attached template's Path followed by the separator.
std::u16string AttacheModele(const word::Application& application, const std::u16string& chemin);

// Runs the steps that follow the opening of a template by an evaluation. When one fails,
// `fermeture` closes the template first (its own failure is ignored), then the failure is
// handed on as it came, so that no later evaluation finds the template still open.
template <class Steps, class Fermeture>
void FermeSurEchec(Steps&& steps, Fermeture&& fermeture) {
  try {
    steps();
  } catch (const automation::AutomationError&) {
    module::ignoreFailure(fermeture);
    throw;
  }
}

}  // namespace r58046::questions
