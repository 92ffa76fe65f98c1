// Reading the tab stops of a passage, as the tab-stop questions do: every tab stop is read
// afresh by its index (1-based) from the passage's TabStops collection. And the unit that
// chooses the reference positions of those questions.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "external/word.h"

namespace r58046::questions {

// Whether Word measures in a metric unit (centimetres or millimetres): the positions and
// indents are then expected at their centimetre values; in inches, points and picas at their
// inch values.
bool MesureMetrique(int32_t unite);

// The number of indices 1..upTo whose tab stop is a custom one (CustomTab true).
int32_t NombreTabulationsPerso(const word::TabStops& tabStops, int32_t upTo);

// The custom tab stops of a passage as the questions with two tab stops count them: N =
// TabStops.Count (read once), K = the custom ones among 1..N, then M = the custom ones among
// the first K, counted again (M is the number the questions go on with).
struct TabulationsPerso {
  int32_t k = 0;
  int32_t m = 0;
};
TabulationsPerso CompteTabulationsPerso(const word::TabStops& tabStops);

// Whether one of the tab stops 1..upTo has a Position equal, in single precision, to one of
// the references.
bool PositionParmi(const word::TabStops& tabStops, int32_t upTo,
                   std::initializer_list<double> references);

// The first index in 1..upTo whose tab stop has a Position equal, in single precision, to one
// of the references; 0 when there is none.
int32_t PremierePositionParmi(const word::TabStops& tabStops, int32_t upTo,
                              std::initializer_list<double> references);

// The highest index in 1..upTo whose Position differs (in single precision) from every
// reference; 0 when there is none.
int32_t DernierePositionHors(const word::TabStops& tabStops, int32_t upTo,
                             std::initializer_list<double> references);

}  // namespace r58046::questions
