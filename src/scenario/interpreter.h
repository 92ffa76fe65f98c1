// Runs Word statements over late binding, the way a macro in Word runs them.
//
// A root name is looked up among the variables first, then it is Chr or ChrW, a constant,
// or `Application` (the global object itself), and otherwise a member of the global object
// (Word's Application). Constants and Application are known without asking the global
// object, so evaluating them makes no call. The global object is asked for only when a
// statement needs it.
//
// Invocation kinds: the last member of a statement's chain is called as a method, a value
// is read as a property, an assignment's target is put. `x = obj` keeps obj's default value,
// `Set x = obj` the object itself.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "automation/dispatch.h"
#include "scenario/statement.h"

namespace r58046::scenario {

class Interpreter {
 public:
  // Answers the global object when a statement needs it; it may raise an AutomationError
  // (no Word runs).
  using GlobalObject = std::function<automation::ObjectRef()>;

  explicit Interpreter(GlobalObject global) : global_(std::move(global)) {}

  // Failures are AutomationError exceptions, Word's own or VB's.
  void execute(const Statement& statement);
  automation::Variant evaluate(const Expression& expression);

  bool hasVariable(std::u16string_view name) const;
  // Drops every variable (and the objects they hold).
  void clearVariables() { variables_.clear(); }

 private:
  automation::Variant chain(const std::vector<Link>& links, size_t count,
                            automation::InvokeKind lastKind);
  automation::Variant root(const Link& link, automation::InvokeKind kind);
  automation::Args arguments(const Link& link);
  automation::ObjectRef global();

  GlobalObject global_;
  std::map<std::u16string, automation::Variant> variables_;  // keys in lower case
};

// VB's value of a Variant used where a value is wanted: an object gives its default
// member's value (error 91 for Nothing), anything else itself.
automation::Variant valueOf(const automation::Variant& value);

}  // namespace r58046::scenario
