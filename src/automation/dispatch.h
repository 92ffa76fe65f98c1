// Late binding: invoking a member of an automation object by name.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/error.h"
#include "automation/variant.h"

namespace r58046::automation {

// How a member is invoked: read as a property, assigned as a property, or called as a
// method. As in automation, a property read may reach a method and a method call may reach
// a property read; a property assignment reaches only a property that can be written.
enum class InvokeKind : uint8_t { Get, Put, Method };

// One argument of a call: positional or named, by value or by reference.
struct Arg {
  Variant value;           // the value; Missing for an omitted argument
  Variant* ref = nullptr;  // by reference: the callee reads and may write the caller's variable
  std::u16string name;     // named argument (Name:=value); empty for a positional one

  Arg() : value(Variant::missing()) {}
  Arg(Variant v) : value(std::move(v)) {}  // NOLINT(google-explicit-constructor)
  // Constrained to what makes a Variant, which an Arg does not: the copy and move constructors
  // stay reachable (clang-tidy 14 does not read the constraint).
  // NOLINTBEGIN(bugprone-forwarding-reference-overload,google-explicit-constructor)
  template <class T>
  requires std::is_constructible_v<Variant, T> Arg(T&& v) : value(std::forward<T>(v)) {}
  // NOLINTEND(bugprone-forwarding-reference-overload,google-explicit-constructor)

  static Arg omitted() { return Arg(); }
  static Arg byRef(Variant& target) {
    Arg a;
    a.ref = &target;
    return a;
  }
  static Arg named(std::u16string argName, Variant v) {
    Arg a(std::move(v));
    a.name = std::move(argName);
    return a;
  }

  // The current value (the caller's variable for a by-reference argument).
  const Variant& get() const { return ref != nullptr ? *ref : value; }
  // Where a callee writes an out value.
  Variant& target() { return ref != nullptr ? *ref : value; }
  bool isMissing() const { return get().isMissing(); }
};

// Positional arguments first (omitted ones as Missing), then named ones. For InvokeKind::Put
// the assigned value is the last positional argument.
using Args = std::vector<Arg>;

// An interface of automation objects, named by a caller that knows which one it holds (the
// typed Word wrappers do). Each interface is one static object, told apart by its address:
// members of one name on two interfaces (Item, Count, Range, Text) never share what a
// server learned about one of them.
struct Interface {
  std::u16string_view name;
};

// An automation object: every object the module, the host or Word exposes.
class Dispatch : public std::enable_shared_from_this<Dispatch> {
 public:
  Dispatch() = default;
  Dispatch(const Dispatch&) = delete;
  Dispatch& operator=(const Dispatch&) = delete;
  virtual ~Dispatch() = default;

  // Invokes a member by name (compared without regard to case); an empty name is the
  // default member. Failures are AutomationError exceptions.
  virtual Variant invoke(std::u16string_view name, InvokeKind kind, Args& args) = 0;

  // The same call, made through an interface that the caller knows the object has. An
  // object that gains from knowing it overrides this (a COM client keeps the dispatch
  // identifiers of each interface's members); by default the interface is not needed.
  virtual Variant invokeThrough(const Interface& through, std::u16string_view name, InvokeKind kind,
                                Args& args) {
    (void)through;
    return invoke(name, kind, args);
  }

  // What identifies the object for "Is": two references to the same object answer the
  // same identity, also when they reach it through different wrappers.
  virtual const void* identity() const noexcept { return this; }
};

// VB's "a Is b". Nothing is Nothing.
bool sameObject(const ObjectRef& a, const ObjectRef& b);

// A late-bound object reference with convenient calls, the way VB code reads:
//   Object doc = app.get(u"ActiveDocument");
//   doc.get(u"Bookmarks", u"s01").get(u"Range").get(u"Text").toString();
class Object {
 public:
  Object() = default;
  Object(ObjectRef ref) : ref_(std::move(ref)) {}   // NOLINT(google-explicit-constructor)
  Object(const Variant& v) : ref_(v.toObject()) {}  // NOLINT(google-explicit-constructor)
  // NOLINTBEGIN(google-explicit-constructor)
  template <class T>
  requires std::is_base_of_v<Dispatch, T> Object(std::shared_ptr<T> ref) : ref_(std::move(ref)) {}
  // NOLINTEND(google-explicit-constructor)

  const ObjectRef& ref() const { return ref_; }
  bool isNothing() const { return !ref_; }
  explicit operator bool() const { return static_cast<bool>(ref_); }

  // Property read (or method call used as a value), with arguments.
  template <class... A>
  Variant get(std::u16string_view name, A&&... args) const {
    Args list{Arg(std::forward<A>(args))...};
    return invoke(name, InvokeKind::Get, list);
  }
  // Method call (as a statement), with arguments.
  template <class... A>
  Variant call(std::u16string_view name, A&&... args) const {
    Args list{Arg(std::forward<A>(args))...};
    return invoke(name, InvokeKind::Method, list);
  }
  // Property assignment: obj.name = value.
  void put(std::u16string_view name, Variant value) const;
  // Property assignment with arguments: obj.name(args) = value.
  void putWith(std::u16string_view name, Args args, Variant value) const;

  // The raw invocation; error 91 when the reference is Nothing.
  Variant invoke(std::u16string_view name, InvokeKind kind, Args& args) const;
  // The same through a known interface of the object.
  Variant invokeThrough(const Interface& through, std::u16string_view name, InvokeKind kind,
                        Args& args) const;

 private:
  ObjectRef ref_;
};

inline bool operator==(const Object& a, const Object& b) {
  return sameObject(a.ref(), b.ref());
}

}  // namespace r58046::automation
