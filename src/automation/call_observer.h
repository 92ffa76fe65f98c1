// Calls made to another program's objects (Word's), told to an observer: the Word-call trace
// of the scenario runner and the round trips that the benchmark counts rest on it. What makes
// such calls reports them: in the Windows build the COM client, for each call it sends; in
// the native build the simulated Word, for each call it answers.
#pragma once

#include <string_view>

#include "automation/dispatch.h"
#include "automation/error.h"
#include "automation/scope_exit.h"

namespace r58046::automation {

struct ObservedCall {
  std::u16string_view interfaceName;  // as the caller named it; empty when it named none
  std::u16string_view member;         // empty for the default member
  InvokeKind kind = InvokeKind::Get;
  const AutomationError* error = nullptr;  // why it failed; null when it succeeded
  // What it cost in round trips to the other process: identifiers asked, invokes sent (both
  // stay 0 where the call does not cross processes).
  int lookups = 0;
  int invokes = 0;
};

class CallObserver {
 public:
  virtual ~CallObserver() = default;
  virtual void observe(const ObservedCall& call) = 0;
};

// The observer of this process: null (the default) for none. It is told on the thread that
// makes the calls, one call after the other.
void setCallObserver(CallObserver* observer);
CallObserver* callObserver();

namespace detail {
// How many observed calls the current thread is inside.
int& observationDepth();
}  // namespace detail

// Runs a call, `body(call)`, which fills in what the call cost, and tells the observer how
// it ended. Calls made while it runs (a program answering through its own objects) belong to
// it and are not told.
template <class Body>
Variant observeCall(ObservedCall& call, Body&& body) {
  CallObserver* observer = callObserver();
  int& depth = detail::observationDepth();
  if (observer == nullptr || depth > 0) {
    return body(call);
  }
  Variant result;
  try {
    ++depth;
    auto leave = scopeExit([&depth] { --depth; });
    result = body(call);
  } catch (const AutomationError& e) {
    call.error = &e;
    observer->observe(call);
    throw;
  }
  observer->observe(call);
  return result;
}

}  // namespace r58046::automation
