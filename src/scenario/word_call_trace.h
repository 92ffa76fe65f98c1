// The Word-call trace of `r58046 run --trace`: for each host call of a scenario, the calls
// the module made to Word in order (the interface, the member, get, put or call, the error
// when one failed), then their count.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "automation/call_observer.h"
#include "automation/error.h"

namespace r58046::scenario {

class World;

struct WordCall {
  std::u16string interfaceName;  // empty when the module did not name it
  std::u16string member;         // empty for the default member
  automation::InvokeKind kind = automation::InvokeKind::Get;
  std::optional<automation::AutomationError> error;
};

struct HostCallTrace {
  int line = 0;             // of the scenario; 0 for the host's last call at its end
  std::u16string hostCall;  // InitQuestion, TestePoint, Fermer, Quitter
  bool observed = true;     // false when the world cannot tell the module's Word calls
  std::vector<WordCall> wordCalls;
};

// While it lives, the Word calls the world's module makes are recorded as one host call's,
// added to the trace when it goes (without a trace, it records nothing).
class HostCallRecording : private automation::CallObserver {
 public:
  HostCallRecording(World& world, std::vector<HostCallTrace>* trace, int line,
                    std::u16string hostCall);
  ~HostCallRecording() override;
  HostCallRecording(const HostCallRecording&) = delete;
  HostCallRecording& operator=(const HostCallRecording&) = delete;

  // A host call that made no Word call is left out of the trace (the readings after
  // TestePoint, which never call Word, unless one does).
  void leaveOutWhenEmpty() { leaveOutWhenEmpty_ = true; }

 private:
  void observe(const automation::ObservedCall& call) override;

  World& world_;
  std::vector<HostCallTrace>* trace_;
  HostCallTrace entry_;
  bool leaveOutWhenEmpty_ = false;
};

// One Word call as the trace shows it: "Range.Text get", "Window.WindowState put",
// "Documents.Item get failed with error 5941: ...". An object whose interface the module did
// not name is "Object"; the default member is "(default member)".
std::u16string describeWordCall(const WordCall& call);

// The trace of one file as `r58046 run --trace` prints it (empty without a trace).
std::string formatTrace(const std::string& file, const std::vector<HostCallTrace>& trace);
// The same as a JSON array: [{"line": 2, "hostCall": "InitQuestion", "wordCalls": [{"interface":
// "Application", "member": "Visible", "kind": "put"}, ...], "count": 87}, ...].
std::string traceJson(const std::vector<HostCallTrace>& trace);

}  // namespace r58046::scenario
