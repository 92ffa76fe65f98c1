#include "com/diagnostics.h"

#include <cwchar>
#include <string>

#include "com/client.h"

namespace r58046::com {

namespace {

// --- in the DLL

// Passes each observed call to the calling program's sink, in the DLL's own terms.
class SinkObserver : public automation::CallObserver {
 public:
  void set(R58046WordCallSink sink, void* context) {
    sink_ = sink;
    context_ = context;
  }

  void observe(const automation::ObservedCall& call) override {
    std::wstring interfaceName(call.interfaceName.begin(), call.interfaceName.end());
    std::wstring member(call.member.begin(), call.member.end());
    std::wstring description;
    if (call.error != nullptr) {
      description.assign(call.error->description().begin(), call.error->description().end());
    }
    R58046WordCall record{interfaceName.c_str(),
                          member.c_str(),
                          static_cast<LONG>(call.kind),
                          call.error != nullptr ? call.error->number() : 0,
                          description.c_str(),
                          call.lookups,
                          call.invokes};
    sink_(context_, &record);
  }

 private:
  R58046WordCallSink sink_ = nullptr;
  void* context_ = nullptr;
};

SinkObserver& sinkObserver() {
  static SinkObserver observer;
  return observer;
}

// --- in the calling program

// Turns a record of the DLL back into an observed call for an observer of this program.
void CALLBACK forward(void* context, const R58046WordCall* record) {
  auto* observer = static_cast<automation::CallObserver*>(context);
  std::u16string interfaceName(record->interfaceName,
                               record->interfaceName + std::wcslen(record->interfaceName));
  std::u16string member(record->member, record->member + std::wcslen(record->member));
  std::u16string description(record->description,
                             record->description + std::wcslen(record->description));
  automation::AutomationError error(record->error, u"", description);
  automation::ObservedCall call{interfaceName, member,
                                static_cast<automation::InvokeKind>(record->kind),
                                record->error != 0 ? &error : nullptr};
  call.lookups = record->lookups;
  call.invokes = record->invokes;
  observer->observe(call);
}

// An entry point of r58046.dll as loaded in this process; null when it is not loaded.
template <class Proc>
Proc entryPoint(const char* name) {
  HMODULE dll = GetModuleHandleW(L"r58046.dll");
  if (dll == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
}

}  // namespace

void observeWordCallsWith(R58046WordCallSink sink, void* context) {
  if (sink == nullptr) {
    automation::setCallObserver(nullptr);
    sinkObserver().set(nullptr, nullptr);
    return;
  }
  sinkObserver().set(sink, context);
  automation::setCallObserver(&sinkObserver());
}

void useIdentifierCache(bool use) {
  identifierCache().setEnabled(use);
}

bool observeModuleWordCalls(automation::CallObserver* observer) {
  auto observe = entryPoint<R58046ObserveWordCallsProc>("R58046ObserveWordCalls");
  if (observe == nullptr) {
    return false;
  }
  if (observer == nullptr) {
    observe(nullptr, nullptr);
  } else {
    observe(&forward, observer);
  }
  return true;
}

bool useModuleIdentifierCache(bool use) {
  auto set = entryPoint<R58046UseIdentifierCacheProc>("R58046UseIdentifierCache");
  if (set == nullptr) {
    return false;
  }
  set(use ? TRUE : FALSE);
  return true;
}

}  // namespace r58046::com
