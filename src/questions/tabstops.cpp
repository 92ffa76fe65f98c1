#include "questions/tabstops.h"

#include "automation/variant.h"

namespace r58046::questions {

namespace {

bool equalsOne(float position, std::initializer_list<double> references) {
  for (double reference : references) {
    if (automation::singleEquals(position, reference)) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool MesureMetrique(int32_t unite) {
  return unite == word::wdCentimeters || unite == word::wdMillimeters;
}

int32_t NombreTabulationsPerso(const word::TabStops& tabStops, int32_t upTo) {
  int32_t count = 0;
  for (int32_t i = 1; i <= upTo; ++i) {
    if (tabStops.Item(i).CustomTab() != 0) {
      ++count;
    }
  }
  return count;
}

TabulationsPerso CompteTabulationsPerso(const word::TabStops& tabStops) {
  TabulationsPerso result;
  result.k = NombreTabulationsPerso(tabStops, tabStops.Count());
  result.m = NombreTabulationsPerso(tabStops, result.k);
  return result;
}

bool PositionParmi(const word::TabStops& tabStops, int32_t upTo,
                   std::initializer_list<double> references) {
  return PremierePositionParmi(tabStops, upTo, references) != 0;
}

int32_t PremierePositionParmi(const word::TabStops& tabStops, int32_t upTo,
                              std::initializer_list<double> references) {
  for (int32_t i = 1; i <= upTo; ++i) {
    if (equalsOne(tabStops.Item(i).Position(), references)) {
      return i;
    }
  }
  return 0;
}

int32_t DernierePositionHors(const word::TabStops& tabStops, int32_t upTo,
                             std::initializer_list<double> references) {
  int32_t found = 0;
  for (int32_t i = 1; i <= upTo; ++i) {
    if (!equalsOne(tabStops.Item(i).Position(), references)) {
      found = i;
    }
  }
  return found;
}

}  // namespace r58046::questions
