#include "automation/call_observer.h"

#include <atomic>

namespace r58046::automation {

namespace {

std::atomic<CallObserver*>& observerSlot() {
  static std::atomic<CallObserver*> slot{nullptr};
  return slot;
}

}  // namespace

void setCallObserver(CallObserver* observer) {
  observerSlot().store(observer);
}

CallObserver* callObserver() {
  return observerSlot().load();
}

namespace detail {

int& observationDepth() {
  thread_local int depth = 0;
  return depth;
}

}  // namespace detail

}  // namespace r58046::automation
