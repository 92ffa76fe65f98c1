// The module's shared routines: error reporting and the two ways a procedure treats a
// failure (guarded: reported with its context; ignored: the next step runs). Like the rest of
// the shared core, below Module and the questions alike, they keep the namespace of the module
// whose routines they are: Module's procedures call them unqualified, the questions as module::.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "automation/error.h"

namespace r58046::module {

// Raises the current error again (the one being handled) with a source that reads as one
// level of a call trace: "DLL R58046 - CLASSE " + classe + LF + CR + " - SERVICE " +
// procedure + " - OBJET " + source. The number and description of the current error carry
// over. Must be called while an AutomationError is being handled.
[[noreturn]] void PropageErreur(std::u16string_view classe, std::u16string_view procedure,
                                std::u16string_view source);

// Runs a procedure's body; a failure in it is handed on through PropageErreur with the
// procedure's class and name.
template <class Body>
auto guarded(std::u16string_view classe, std::u16string_view procedure, Body&& body)
    -> decltype(body()) {
  try {
    return body();
  } catch (const automation::AutomationError& e) {
    PropageErreur(classe, procedure, e.source());
  }
}

// Runs a step whose failure is ignored: the next step runs. Answers whether it succeeded.
template <class Step>
bool ignoreFailure(Step&& step) {
  try {
    step();
    return true;
  } catch (const automation::AutomationError&) {
    return false;
  }
}

// Steps that do not depend on each other: each one runs even when one before it failed.
// Once all have run, raiseFirstFailure raises the first failure again (a guarded caller then
// reports it with its context), so the caller still fails as the first failing step made it.
class IndependentSteps {
 public:
  template <class Step>
  void run(Step&& step) {
    try {
      step();
    } catch (const automation::AutomationError& e) {
      if (!first_) {
        first_ = e;
      }
    }
  }
  bool failed() const { return first_.has_value(); }
  void raiseFirstFailure() const {
    if (first_) {
      throw automation::AutomationError(*first_);
    }
  }

 private:
  std::optional<automation::AutomationError> first_;
};

}  // namespace r58046::module
