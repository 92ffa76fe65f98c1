#include "module/document_check.h"

#include <array>

namespace r58046::module {

namespace {

constexpr int32_t kPremiereQuestion = 201;

using enum DocumentExige;
constexpr bool kCompteVerifie = true;
constexpr bool kCompteLibre = false;

// One row per question, 201 to 221.
const std::array<ControleDocument, 21>& controles() {
  static const std::array<ControleDocument, 21> table{{
      /* 201 */ {Exercice, kCompteVerifie, {u"e01", u"s01"}},
      /* 202 */ {Exercice, kCompteVerifie, {u"e01", u"s01"}},
      /* 203 */ {Exercice, kCompteLibre, {u"e01", u"s01", u"s02"}},
      /* 204 */ {Exercice, kCompteVerifie, {u"e01", u"s01"}},
      /* 205 */ {Exercice, kCompteLibre, {u"e01", u"s01", u"s02"}},
      /* 206 */ {Exercice, kCompteVerifie, {u"e01", u"s01"}},
      /* 207 */ {Quelconque, kCompteLibre, {u"e01"}},
      /* 208 */ {Exercice, kCompteLibre, {u"e01", u"s01", u"s02", u"t01"}},
      /* 209 */ {Exercice, kCompteVerifie, {u"e01"}},
      /* 210 */ {Exercice, kCompteVerifie, {u"e01"}},
      /* 211 */ {Exercice, kCompteVerifie, {u"e01", u"s01", u"s02"}},
      /* 212 */ {Exercice, kCompteVerifie, {u"e01", u"s01", u"t01"}},
      /* 213 */ {Exercice, kCompteVerifie, {u"e01"}},
      /* 214 */ {Exercice, kCompteVerifie, {u"e01", u"s01", u"s02"}},
      /* 215 */ {Exercice, kCompteLibre, {u"e01"}},
      /* 216 */ {Aucun, kCompteLibre, {}},
      /* 217 */ {Aucun, kCompteLibre, {}},
      /* 218 */ {Exercice, kCompteVerifie, {u"e01", u"s01"}},
      /* 219 */ {Aucun, kCompteLibre, {}},
      /* 220 */ {FormulaireProtege, kCompteVerifie, {}},
      /* 221 */ {Aucun, kCompteLibre, {}},
  }};
  return table;
}

}  // namespace

const ControleDocument& ControleDocumentDe(int32_t question) {
  static const ControleDocument sansQuestion;
  const auto& table = controles();
  if (question < kPremiereQuestion ||
      question >= kPremiereQuestion + static_cast<int32_t>(table.size())) {
    return sansQuestion;
  }
  return table[static_cast<size_t>(question - kPremiereQuestion)];
}

}  // namespace r58046::module
