#include "com/client.h"

#include "automation/text.h"
#include "com/errors.h"
#include "com/values.h"

namespace r58046::com {

using automation::Arg;
using automation::Args;
using automation::InvokeKind;
using automation::ObservedCall;
using automation::Variant;
namespace errors = automation::errors;

// --- the identifier cache

IdentifierCache::Key IdentifierCache::keyOf(const automation::Interface& through,
                                            const Names& names) {
  std::u16string text;
  for (std::u16string_view name : names) {
    text += automation::asciiLower(name);
    text += u'\0';  // no name holds one
  }
  return {&through, std::move(text)};
}

std::optional<std::vector<DISPID>> IdentifierCache::find(const automation::Interface& through,
                                                         const Names& names) const {
  Key key = keyOf(through, names);
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = ids_.find(key);
  if (it == ids_.end()) {
    return std::nullopt;
  }
  return it->second;
}

void IdentifierCache::remember(const automation::Interface& through, const Names& names,
                               std::vector<DISPID> ids) {
  Key key = keyOf(through, names);
  std::lock_guard<std::mutex> lock(mutex_);
  ids_[std::move(key)] = std::move(ids);
}

void IdentifierCache::forget(const automation::Interface& through, const Names& names) {
  Key key = keyOf(through, names);
  std::lock_guard<std::mutex> lock(mutex_);
  ids_.erase(key);
}

void IdentifierCache::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  ids_.clear();
}

IdentifierCache& identifierCache() {
  static IdentifierCache cache;
  return cache;
}

// --- the arguments of a call

// The arguments of one call as DISPPARAMS takes them: the named ones first (for a put, the
// assigned value as the named argument DISPID_PROPERTYPUT), then the positional ones in
// reverse order. Converted once and owned here; a by-reference argument goes as
// VT_BYREF | VT_VARIANT pointing at a holder, read back into the caller's variable.
class ComObject::Arguments {
 public:
  Arguments(InvokeKind kind, Args& args) : Arguments(kind, Order::of(kind, args)) {}

  // The names a call asks identifiers for: the member's, then the named arguments'.
  IdentifierCache::Names names(std::u16string_view member) const {
    IdentifierCache::Names out{member};
    for (const Arg* a : order_.named) {
      out.push_back(a->name);
    }
    return out;
  }

  bool isPut() const { return order_.assigned != nullptr; }
  WORD flags() const {
    if (kind_ == InvokeKind::Get) {
      return DISPATCH_PROPERTYGET | DISPATCH_METHOD;
    }
    if (kind_ == InvokeKind::Put) {
      const Variant& value = order_.assigned->get();
      return value.isObject() && !value.isNothing() ? DISPATCH_PROPERTYPUTREF
                                                    : DISPATCH_PROPERTYPUT;
    }
    return DISPATCH_METHOD;
  }

  // The parameters, with the named arguments' identifiers (ids after the member's).
  DISPPARAMS params(const std::vector<DISPID>& ids) {
    namedIds_.clear();
    if (isPut()) {
      namedIds_.push_back(DISPID_PROPERTYPUT);
    }
    namedIds_.insert(namedIds_.end(), ids.begin() + 1, ids.end());
    return DISPPARAMS{slots_.data(), namedIds_.empty() ? nullptr : namedIds_.data(),
                      static_cast<UINT>(slots_.size()), static_cast<UINT>(namedIds_.size())};
  }

  // What the callee wrote into the by-reference arguments, into the caller's variables.
  void writeBack() {
    for (auto& [a, holder] : byRef_) {
      *a->ref = fromVariant(*holder);
    }
  }

 private:
  struct Order {
    std::vector<Arg*> positional;
    std::vector<Arg*> named;
    Arg* assigned = nullptr;

    static Order of(InvokeKind kind, Args& args) {
      Order o;
      for (Arg& a : args) {
        (a.name.empty() ? o.positional : o.named).push_back(&a);
      }
      if (kind == InvokeKind::Put) {
        if (o.positional.empty()) {
          automation::raiseError(errors::kWrongNumberOfArguments);
        }
        o.assigned = o.positional.back();
        o.positional.pop_back();
      }
      return o;
    }
    size_t total() const {
      return positional.size() + named.size() + (assigned != nullptr ? 1 : 0);
    }
  };

  Arguments(InvokeKind kind, Order order)
      : kind_(kind), order_(std::move(order)), slots_(order_.total()), holders_(order_.total()) {
    size_t slot = 0;
    if (order_.assigned != nullptr) {
      place(slot++, order_.assigned);
    }
    for (Arg* a : order_.named) {
      place(slot++, a);
    }
    for (size_t i = order_.positional.size(); i > 0; --i) {
      place(slot++, order_.positional[i - 1]);
    }
  }

  void place(size_t slot, Arg* a) {
    if (a->ref != nullptr) {
      toVariant(*a->ref, &holders_[slot]);
      V_VT(&slots_[slot]) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&slots_[slot]) = &holders_[slot];
      byRef_.emplace_back(a, &holders_[slot]);
    } else {
      toVariant(a->value, &slots_[slot]);
    }
  }

  InvokeKind kind_;
  Order order_;
  VariantArray slots_;
  VariantArray holders_;  // the values that by-reference arguments point at
  std::vector<DISPID> namedIds_;
  std::vector<std::pair<Arg*, VARIANT*>> byRef_;
};

// --- the client side

ComObject::ComObject(IDispatch* dispatch) : dispatch_(ComPtr<IDispatch>::share(dispatch)) {
  if (FAILED(dispatch_.query(IID_IUnknown, unknown_))) {
    unknown_ = ComPtr<IUnknown>::share(dispatch_.get());
  }
}

Variant ComObject::invoke(std::u16string_view name, InvokeKind kind, Args& args) {
  return call(nullptr, name, kind, args);
}

Variant ComObject::invokeThrough(const automation::Interface& through, std::u16string_view name,
                                 InvokeKind kind, Args& args) {
  return call(&through, name, kind, args);
}

Variant ComObject::call(const automation::Interface* through, std::u16string_view name,
                        InvokeKind kind, Args& args) {
  ObservedCall observed{through != nullptr ? through->name : std::u16string_view(), name, kind};
  return automation::observeCall(observed, [&](ObservedCall& cost) {
    Arguments arguments(kind, args);
    const IdentifierCache::Names names = arguments.names(name);
    Identifiers found = identifiers(through, names, cost);
    UniqueVariant result;
    EXCEPINFO info{};
    HRESULT hr = send(found.ids, arguments, result.put(), info, cost);
    if (hr == DISP_E_MEMBERNOTFOUND && found.kept) {
      // The server no longer knows the identifier it gave for this interface's member: ask
      // it again, once.
      identifierCache().forget(*through, names);
      found = identifiers(through, names, cost);
      hr = send(found.ids, arguments, result.put(), info, cost);
    }
    if (FAILED(hr)) {
      traceFailure(name, "Invoke", hr);
      raiseFailure(hr, &info);
    }
    arguments.writeBack();
    return fromVariant(*result);
  });
}

ComObject::Identifiers ComObject::identifiers(const automation::Interface* through,
                                              const IdentifierCache::Names& names,
                                              ObservedCall& cost) {
  if (names.size() == 1 && names[0].empty()) {
    return {{DISPID_VALUE}, false};
  }
  IdentifierCache& cache = identifierCache();
  const bool keep = through != nullptr && cache.enabled();
  if (keep) {
    if (auto ids = cache.find(*through, names)) {
      return {std::move(*ids), true};
    }
  }
  std::vector<DISPID> ids = lookUp(names, cost);
  if (keep) {
    cache.remember(*through, names, ids);
  }
  return {std::move(ids), false};
}

std::vector<DISPID> ComObject::lookUp(const IdentifierCache::Names& names, ObservedCall& cost) {
  std::vector<std::wstring> text;
  std::vector<LPOLESTR> pointers;
  text.reserve(names.size());
  for (std::u16string_view name : names) {
    text.emplace_back(name.begin(), name.end());
    pointers.push_back(text.back().data());
  }
  std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
  ++cost.lookups;
  HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, pointers.data(), static_cast<UINT>(names.size()),
                                        LOCALE_USER_DEFAULT, ids.data());
  if (names[0].empty()) {
    ids[0] = DISPID_VALUE;  // only the named arguments of the default member were asked
  }
  if (hr == DISP_E_UNKNOWNNAME) {
    automation::raiseError(ids[0] == DISPID_UNKNOWN ? errors::kMemberNotSupported
                                                    : errors::kNamedArgumentNotFound);
  }
  if (FAILED(hr)) {
    traceFailure(names[0], "GetIDsOfNames", hr);
    raiseFailure(hr);
  }
  return ids;
}

HRESULT ComObject::send(const std::vector<DISPID>& ids, Arguments& arguments, VARIANT* result,
                        EXCEPINFO& info, ObservedCall& cost) {
  DISPPARAMS params = arguments.params(ids);
  WORD flags = arguments.flags();
  UINT argError = 0;
  ++cost.invokes;
  HRESULT hr = dispatch_->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                 arguments.isPut() ? nullptr : result, &info, &argError);
  if (hr == DISP_E_MEMBERNOTFOUND && flags == DISPATCH_PROPERTYPUTREF) {
    // A property that takes an object as its value without Set.
    info = EXCEPINFO{};
    ++cost.invokes;
    hr = dispatch_->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                           nullptr, &info, &argError);
  }
  return hr;
}

}  // namespace r58046::com
