// Member tables: a C++ class declares its automation members once, by name, and answers
// late-bound calls through the table.
//
//   class Fichiers : public Automatable<Fichiers> {
//    public:
//     static const MemberTable<Fichiers>& members() {
//       static const auto table = MemberTable<Fichiers>()
//           .method(u"add", {u"siNomSource", u"siNomDest", u"biModele"}, &Fichiers::add)
//           .get(u"count", &Fichiers::count)
//           .get(u"Item", {u"noItem"}, &Fichiers::item).asDefault();
//       return table;
//     }
//   };
//
// Arguments are converted from the caller's Variants to the parameter types of the bound
// function (VB's conversions); a std::optional parameter may be omitted; a Variant&
// parameter is by reference. The result goes back as a Variant.
#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "automation/dispatch.h"

namespace r58046::automation {

// The arguments of one call after named arguments have been put in their places.
class CallArgs {
 public:
  explicit CallArgs(std::span<Arg*> slots) : slots_(slots) {}

  size_t size() const { return slots_.size(); }
  // Whether argument i was given (not omitted).
  bool has(size_t i) const {
    return i < slots_.size() && slots_[i] != nullptr && !slots_[i]->isMissing();
  }
  // Argument i; Missing when omitted.
  const Variant& operator[](size_t i) const;
  // Argument i, required: error 449 when omitted.
  const Variant& required(size_t i) const;
  // Where argument i is written back (by reference); a scratch value when omitted.
  Variant& target(size_t i);

 private:
  std::span<Arg*> slots_;
  Variant scratch_;
};

namespace binding {

template <class T>
struct ArgConv;

template <>
struct ArgConv<Variant> {
  static Variant from(CallArgs& a, size_t i) { return a[i]; }
};
template <>
struct ArgConv<const Variant&> {
  static const Variant& from(CallArgs& a, size_t i) { return a[i]; }
};
template <>
struct ArgConv<Variant&> {
  static Variant& from(CallArgs& a, size_t i) { return a.target(i); }
};
template <>
struct ArgConv<std::u16string> {
  static std::u16string from(CallArgs& a, size_t i) { return a.required(i).toString(); }
};
template <>
struct ArgConv<const std::u16string&> : ArgConv<std::u16string> {};
template <>
struct ArgConv<std::u16string_view> : ArgConv<std::u16string> {};
template <>
struct ArgConv<int32_t> {
  static int32_t from(CallArgs& a, size_t i) { return a.required(i).toLong(); }
};
template <>
struct ArgConv<int16_t> {
  static int16_t from(CallArgs& a, size_t i) { return a.required(i).toInteger(); }
};
template <>
struct ArgConv<float> {
  static float from(CallArgs& a, size_t i) { return a.required(i).toSingle(); }
};
template <>
struct ArgConv<double> {
  static double from(CallArgs& a, size_t i) { return a.required(i).toDouble(); }
};
template <>
struct ArgConv<bool> {
  static bool from(CallArgs& a, size_t i) { return a.required(i).toBool(); }
};
template <>
struct ArgConv<ObjectRef> {
  static ObjectRef from(CallArgs& a, size_t i) { return a.required(i).toObject(); }
};
template <>
struct ArgConv<Object> {
  static Object from(CallArgs& a, size_t i) { return Object(a.required(i).toObject()); }
};
template <class T>
struct ArgConv<std::optional<T>> {
  static std::optional<T> from(CallArgs& a, size_t i) {
    if (!a.has(i)) {
      return std::nullopt;
    }
    return ArgConv<T>::from(a, i);
  }
};

template <class R>
Variant toVariant(R&& r) {
  using D = std::decay_t<R>;
  if constexpr (std::is_same_v<D, bool>) {
    return Variant::boolean(r);
  } else if constexpr (std::is_same_v<D, Object>) {
    return Variant(r.ref());
  } else {
    return Variant(std::forward<R>(r));
  }
}

template <class T, class F, class... A, size_t... I>
Variant callBound(T& self, F fn, CallArgs& a, std::index_sequence<I...> /*unused*/) {
  using R = std::invoke_result_t<F, T&, A...>;
  if constexpr (std::is_void_v<R>) {
    std::invoke(fn, self, ArgConv<A>::from(a, I)...);
    return {};
  } else {
    return toVariant(std::invoke(fn, self, ArgConv<A>::from(a, I)...));
  }
}

template <class T>
using Handler = std::function<Variant(T&, CallArgs&)>;

// The number of parameters of a bound member function.
template <class F>
struct Arity;
template <class C, class R, class... A>
struct Arity<R (C::*)(A...)> : std::integral_constant<int, sizeof...(A)> {};
template <class C, class R, class... A>
struct Arity<R (C::*)(A...) const> : std::integral_constant<int, sizeof...(A)> {};

// A member function bound as a handler.
template <class T, class C, class R, class... A>
requires std::is_base_of_v<C, T> Handler<T> bind(R (C::*fn)(A...)) {
  return [fn](T& self, CallArgs& a) {
    return callBound<T, decltype(fn), A...>(self, fn, a, std::index_sequence_for<A...>{});
  };
}
template <class T, class C, class R, class... A>
requires std::is_base_of_v<C, T> Handler<T> bind(R (C::*fn)(A...) const) {
  return [fn](T& self, CallArgs& a) {
    return callBound<T, decltype(fn), A...>(self, fn, a, std::index_sequence_for<A...>{});
  };
}
}  // namespace binding

// The members of class T by name. A member may have a getter, a setter and a method; for a
// setter the assigned value comes after the property's own arguments (the bound function's
// last parameter).
template <class T>
class MemberTable {
 public:
  using Handler = binding::Handler<T>;
  using Params = std::vector<std::u16string>;

  // A read-only property (or a read/write one with a setter).
  template <class G>
  MemberTable&& get(std::u16string_view name, G getter) && {
    auto& e = entry(name, {});
    e.getter = binding::bind<T>(getter);
    e.getterArity = binding::Arity<G>::value;
    return std::move(*this);
  }
  template <class G>
  MemberTable&& get(std::u16string_view name, Params params, G getter) && {
    auto& e = entry(name, std::move(params));
    e.getter = binding::bind<T>(getter);
    e.getterArity = binding::Arity<G>::value;
    return std::move(*this);
  }
  template <class G, class S>
  MemberTable&& prop(std::u16string_view name, G getter, S setter) && {
    auto& e = entry(name, {});
    e.getter = binding::bind<T>(getter);
    e.getterArity = binding::Arity<G>::value;
    e.setter = binding::bind<T>(setter);
    return std::move(*this);
  }
  template <class G, class S>
  MemberTable&& prop(std::u16string_view name, Params params, G getter, S setter) && {
    auto& e = entry(name, std::move(params));
    e.getter = binding::bind<T>(getter);
    e.getterArity = binding::Arity<G>::value;
    e.setter = binding::bind<T>(setter);
    return std::move(*this);
  }
  template <class M>
  MemberTable&& method(std::u16string_view name, M fn) && {
    entry(name, {}).method = binding::bind<T>(fn);
    return std::move(*this);
  }
  template <class M>
  MemberTable&& method(std::u16string_view name, Params params, M fn) && {
    entry(name, std::move(params)).method = binding::bind<T>(fn);
    return std::move(*this);
  }
  // Raw handlers, for members whose arguments do not fit a plain signature.
  MemberTable&& raw(std::u16string_view name, Params params, Handler getter, Handler setter,
                    Handler method) && {
    auto& e = entry(name, std::move(params));
    e.getter = std::move(getter);
    e.setter = std::move(setter);
    e.method = std::move(method);
    return std::move(*this);
  }
  // Makes the last declared member the default member (invoked with an empty name).
  MemberTable&& asDefault() && {
    default_ = last_;
    return std::move(*this);
  }

  Variant invoke(T& self, std::u16string_view name, InvokeKind kind, Args& args) const {
    const Entry* e = find(name);
    const Handler* h = nullptr;
    switch (kind) {
      case InvokeKind::Get:
        h = e->getter ? &e->getter : (e->method ? &e->method : nullptr);
        break;
      case InvokeKind::Method:
        h = e->method ? &e->method : (e->getter ? &e->getter : nullptr);
        break;
      case InvokeKind::Put:
        h = e->setter ? &e->setter : nullptr;
        break;
    }
    if (h == nullptr) {
      raiseError(errors::kMemberNotSupported);
    }
    if (h == &e->getter && e->takesNoParameters() && !args.empty()) {
      // As automation does for a property without parameters called with arguments, the
      // arguments go to the default member of the object it returns: Documents(1) is
      // Documents.Item(1).
      std::vector<Arg*> none;
      CallArgs call(none);
      Variant result = (*h)(self, call);
      if (!result.isObject()) {
        raiseError(errors::kWrongNumberOfArguments);
      }
      return Object(result.toObject()).invoke(u"", kind, args);
    }
    std::vector<Arg*> slots = place(*e, kind, args);
    CallArgs call(slots);
    return (*h)(self, call);
  }

  bool has(std::u16string_view name) const { return byName_.contains(asciiKey(name)); }

  // The name of the default member as declared; empty when there is none.
  std::u16string_view defaultName() const {
    return default_ == kNone ? std::u16string_view() : std::u16string_view(entries_[default_].name);
  }

 private:
  struct Entry {
    std::u16string name;
    Params params;
    Handler getter;
    Handler setter;
    Handler method;
    int getterArity = -1;  // the bound getter's parameters; -1 for a raw handler

    // A getter without parameters: a bound one of none, or a raw one declared with none.
    bool takesNoParameters() const {
      return getterArity == 0 || (getterArity < 0 && params.empty());
    }
  };

  static std::u16string asciiKey(std::u16string_view name) {
    std::u16string key(name);
    for (auto& c : key) {
      if (c >= u'A' && c <= u'Z') {
        c = static_cast<char16_t>(c - u'A' + u'a');
      }
    }
    return key;
  }

  Entry& entry(std::u16string_view name, Params&& params) {
    auto key = asciiKey(name);
    auto it = byName_.find(key);
    if (it == byName_.end()) {
      entries_.push_back(Entry{std::u16string(name), {}, {}, {}, {}});
      it = byName_.emplace(key, entries_.size() - 1).first;
    }
    Entry& e = entries_[it->second];
    if (!params.empty()) {
      e.params = std::move(params);
    }
    last_ = it->second;
    return e;
  }

  const Entry* find(std::u16string_view name) const {
    if (name.empty()) {
      if (default_ == kNone) {
        raiseError(errors::kMemberNotSupported);
      }
      return &entries_[default_];
    }
    auto it = byName_.find(asciiKey(name));
    if (it == byName_.end()) {
      raiseError(errors::kMemberNotSupported);
    }
    return &entries_[it->second];
  }

  // Puts positional and named arguments in their parameter slots; for a put, the assigned
  // value (the last positional argument) goes after the property's own parameters.
  static std::vector<Arg*> place(const Entry& e, InvokeKind kind, Args& args) {
    std::vector<Arg*> positional;
    std::vector<Arg*> named;
    for (auto& a : args) {
      (a.name.empty() ? positional : named).push_back(&a);
    }
    Arg* assigned = nullptr;
    if (kind == InvokeKind::Put) {
      if (positional.empty()) {
        raiseError(errors::kWrongNumberOfArguments);
      }
      assigned = positional.back();
      positional.pop_back();
    }
    std::vector<Arg*> slots = positional;
    size_t width = std::max(positional.size(), e.params.size());
    if (!e.params.empty() && positional.size() > e.params.size()) {
      raiseError(errors::kWrongNumberOfArguments);
    }
    slots.resize(width, nullptr);
    for (Arg* a : named) {
      size_t k = 0;
      while (k < e.params.size() && asciiKey(e.params[k]) != asciiKey(a->name)) {
        ++k;
      }
      if (k == e.params.size()) {
        raiseError(errors::kNamedArgumentNotFound);
      }
      slots[k] = a;
    }
    if (assigned != nullptr) {
      slots.push_back(assigned);
    }
    return slots;
  }

  static constexpr size_t kNone = static_cast<size_t>(-1);
  std::vector<Entry> entries_;
  std::unordered_map<std::u16string, size_t> byName_;
  size_t last_ = kNone;
  size_t default_ = kNone;
};

// Base of a C++ class that answers late-bound calls through its member table: the class
// provides `static const MemberTable<T>& members()`.
template <class T>
class Automatable : public Dispatch {
 public:
  Variant invoke(std::u16string_view name, InvokeKind kind, Args& args) override {
    return T::members().invoke(static_cast<T&>(*this), name, kind, args);
  }
};

}  // namespace r58046::automation
