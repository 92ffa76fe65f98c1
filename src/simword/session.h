// The state that every automation object of one running simulated Word shares: whether
// Word still runs, whether a modal dialog makes it reject calls, the calls it answered and
// the faults it was told to inject.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "automation/call_observer.h"
#include "automation/members.h"

namespace r58046::simword {

// Word's own error numbers beyond those of automation/error.h.
namespace wderrors {
// "This command is not available because no document is open."
inline constexpr int32_t kNoDocumentOpen = 4248;
// "This bookmark does not exist."
inline constexpr int32_t kNoSuchBookmark = 5101;
// "This is not a valid file name."
inline constexpr int32_t kInvalidFileName = 5152;
// "Object has been deleted."
inline constexpr int32_t kObjectDeleted = 5825;
// Documents: "The password is incorrect. Word cannot open the document."
inline constexpr int32_t kOpenPasswordIncorrect = 5408;
// Unprotect: "The password is incorrect."
inline constexpr int32_t kPasswordIncorrect = 5485;
// Saving over a read-only file or into a folder that cannot be written.
inline constexpr int32_t kSavePermission = 5487;
// "The file appears to be corrupted." (a damaged or foreign file)
inline constexpr int32_t kFileCorrupted = 5792;
// Bookmarks.Add: "Bad bookmark name."
inline constexpr int32_t kBadBookmarkName = 5828;
// Envelope.Address of a document without an envelope: "Requested object is not available."
inline constexpr int32_t kObjectNotAvailable = 5852;
// Styles.Add: "This style name already exists or is reserved for a built-in style."
inline constexpr int32_t kStyleNameExists = 5173;
// Documents(name) of a document that is not open: "Bad file name."
inline constexpr int32_t kBadFileName = 4160;
}  // namespace wderrors

// How the person at the desktop answers Word's question whether to save the changes of a
// document that is being closed.
enum class SaveAnswer : uint8_t { Yes, No, Cancel };

// The source of the errors Word raises.
inline constexpr std::u16string_view kWordSource = u"Microsoft Word";

// Word's description of an error number; VB's standard one for the numbers Word does not
// describe itself (462, call rejected, ...); empty when neither knows it.
std::u16string wordErrorDescription(int32_t number);

// Raises an error as Word raises it: source "Microsoft Word", and Word's description when
// none is given.
[[noreturn]] void raiseWordError(int32_t number, std::u16string_view description = {});

class WordSession {
 public:
  // Called before every automation call that Word answers: fails with error 462 once Word
  // is gone, with the call-rejected error while a modal dialog is open, and with an injected
  // error when a fault is due; otherwise counts the call.
  void beforeCall(std::u16string_view member);

  // Word was closed by the user or quit: every object fails with 462 from now on.
  void end() { alive_ = false; }
  bool alive() const { return alive_; }
  // A modal dialog is open: calls are rejected as a busy Word rejects them.
  void setBusy(bool busy) { busy_ = busy; }
  bool busy() const { return busy_; }

  // The n-th call (from now on) to a member of that name, of any object, fails with error.
  void injectFault(std::u16string_view member, int32_t occurrence, int32_t error);

  // Called with the member's name before each call that Word would answer (after the checks
  // for a Word gone or busy, before the injected faults): the fault-injection campaign counts
  // the calls of a host step there, fails the one it chose by raising an error, or ends Word
  // (the call then fails with 462). Null: none.
  using CallObserver = std::function<void(std::u16string_view member)>;
  void observeCalls(CallObserver observer) { observer_ = std::move(observer); }

  // The calls answered, per member name (lower case), and in all. A call that an injected
  // fault failed is not counted.
  int64_t calls(std::u16string_view member) const;
  int64_t totalCalls() const { return total_; }
  const std::map<std::u16string, int64_t>& callCounts() const { return counts_; }
  void resetCounts();

  // While one lives, the calls Word makes to its own objects (Selection.Text reading its
  // range) pass unchecked and uncounted: only the call that the client made counts.
  class InternalCalls {
   public:
    explicit InternalCalls(WordSession& session) : session_(session) { ++session_.internal_; }
    ~InternalCalls() { --session_.internal_; }
    InternalCalls(const InternalCalls&) = delete;
    InternalCalls& operator=(const InternalCalls&) = delete;

   private:
    WordSession& session_;
  };

 private:
  struct Fault {
    std::u16string member;  // lower case
    int32_t remaining;      // calls to let through before the failing one
    int32_t error;
  };
  bool alive_ = true;
  bool busy_ = false;
  int internal_ = 0;
  std::map<std::u16string, int64_t> counts_;
  int64_t total_ = 0;
  std::vector<Fault> faults_;
  CallObserver observer_;
};

// Base of every automation object of the simulated Word: each late-bound call passes
// through the session first (counting, faults, a Word that is gone or busy). A call through
// the default member counts under that member's name (Documents(1) is Documents.Item(1)).
// The calls a client makes are told to the call observer, as the client named them.
template <class T>
class SimObject : public automation::Automatable<T> {
 public:
  explicit SimObject(std::shared_ptr<WordSession> session) : session_(std::move(session)) {}

  automation::Variant invoke(std::u16string_view name, automation::InvokeKind kind,
                             automation::Args& args) override {
    return answer({}, name, kind, args);
  }
  automation::Variant invokeThrough(const automation::Interface& through, std::u16string_view name,
                                    automation::InvokeKind kind, automation::Args& args) override {
    return answer(through.name, name, kind, args);
  }

  const std::shared_ptr<WordSession>& session() const { return session_; }

 private:
  automation::Variant answer(std::u16string_view interfaceName, std::u16string_view name,
                             automation::InvokeKind kind, automation::Args& args) {
    automation::ObservedCall call{interfaceName, name, kind};
    return automation::observeCall(call, [&](automation::ObservedCall&) {
      session_->beforeCall(name.empty() ? T::members().defaultName() : name);
      return automation::Automatable<T>::invoke(name, kind, args);
    });
  }

  std::shared_ptr<WordSession> session_;
};

}  // namespace r58046::simword
