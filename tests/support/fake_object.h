// A scriptable automation object that stands for any object the code under test calls: its
// members are values or handlers given by the test, and it logs every call it answers.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "automation/dispatch.h"

namespace r58046::testsupport {

// The calls of several objects in the order they came: "label.Member:G|P|M(arguments)".
using Journal = std::vector<std::string>;

// A member read answers its handler's result, else its value; an assignment goes to its
// handler, else stores the value; a member read or called that the test did not give fails
// with error 438. Names are matched without regard to ASCII case, as late binding does.
class FakeObject : public automation::Dispatch {
 public:
  using Handler = std::function<automation::Variant(automation::InvokeKind, automation::Args&)>;

  // Each call goes to `journal` too, when given, after the object's label.
  explicit FakeObject(std::string label = {}, std::shared_ptr<Journal> journal = nullptr);

  static std::shared_ptr<FakeObject> make(std::string label = {},
                                          std::shared_ptr<Journal> journal = nullptr) {
    return std::make_shared<FakeObject>(std::move(label), std::move(journal));
  }

  // A member answered by `handler`, which takes the arguments and, when it wants it, the kind
  // of call first. The member's value, if any, is left unread.
  template <class F>
  FakeObject& on(std::u16string_view name, F handler) {
    if constexpr (std::is_invocable_v<F&, automation::InvokeKind, automation::Args&>) {
      return answer(name, Handler(std::move(handler)));
    } else {
      return answer(
          name, [h = std::move(handler)](automation::InvokeKind, automation::Args& args) mutable {
            return automation::Variant(h(args));
          });
    }
  }
  // A property: reads answer the value, assignments replace it.
  FakeObject& value(std::u16string_view name, automation::Variant v);
  // The member fails with that error from now on.
  FakeObject& fail(std::u16string_view name, int32_t number);

  // The value last given or assigned; empty when there is none.
  automation::Variant stored(std::u16string_view name) const;
  // How many calls reached a member (of any kind).
  int count(std::u16string_view name) const;
  // The names of the members called, in order, as the caller spelt them.
  const std::vector<std::u16string>& log() const { return log_; }

  automation::Variant invoke(std::u16string_view name, automation::InvokeKind kind,
                             automation::Args& args) override;

 private:
  FakeObject& answer(std::u16string_view name, Handler handler);

  std::string label_;
  std::shared_ptr<Journal> journal_;
  std::map<std::u16string, automation::Variant> values_;
  std::map<std::u16string, Handler> handlers_;
  std::vector<std::u16string> log_;
};

}  // namespace r58046::testsupport
