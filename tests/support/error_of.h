// What a call fails with, for the tests of failures: the automation error itself, or only
// its number.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "automation/error.h"

namespace r58046::testsupport {

// The automation error a call raises; nothing when it succeeds.
template <class F>
std::optional<automation::AutomationError> failure(F&& call) {
  try {
    std::forward<F>(call)();
  } catch (const automation::AutomationError& e) {
    return e;
  }
  return std::nullopt;
}

// The number of the automation error a call raises; 0 when it succeeds.
template <class F>
int32_t errorOf(F&& call) {
  auto e = failure(std::forward<F>(call));
  return e ? e->number() : 0;
}

}  // namespace r58046::testsupport
