// The client side: a COM object's IDispatch (Word in another process, or any automation
// server) seen as an automation::Dispatch and invoked by name, as VB's late binding does,
// with the dispatch identifiers of each known interface asked once.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/call_observer.h"
#include "automation/dispatch.h"
#include "com/owners.h"

namespace r58046::com {

// The dispatch identifiers a server answered, per interface: of a member and of the named
// arguments it was called with. An identifier belongs to an interface, not to a name, so
// the interface is part of the key; a call through an interface it does not know is never
// answered from here. One per process, for the life of the module.
class IdentifierCache {
 public:
  // What a call asks for: the member's name, then the named arguments' names.
  using Names = std::vector<std::u16string_view>;

  // The identifiers answered for these names through this interface, if they are kept.
  std::optional<std::vector<DISPID>> find(const automation::Interface& through,
                                          const Names& names) const;
  void remember(const automation::Interface& through, const Names& names, std::vector<DISPID> ids);
  void forget(const automation::Interface& through, const Names& names);
  void clear();

  // Whether calls use it (on by default). Only the benchmark turns it off, to measure the
  // calls as they cost without it.
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }

 private:
  using Key = std::pair<const automation::Interface*, std::u16string>;
  static Key keyOf(const automation::Interface& through, const Names& names);

  mutable std::mutex mutex_;
  std::map<Key, std::vector<DISPID>> ids_;
  std::atomic<bool> enabled_{true};
};

// The identifier cache of this process.
IdentifierCache& identifierCache();

class ComObject : public automation::Dispatch {
 public:
  explicit ComObject(IDispatch* dispatch);  // adds a reference

  // The identifiers (of the member and the named arguments) by GetIDsOfNames, then Invoke:
  // a get as DISPATCH_PROPERTYGET | DISPATCH_METHOD, a call as DISPATCH_METHOD, a put as
  // DISPATCH_PROPERTYPUT (DISPATCH_PROPERTYPUTREF for an object). By-reference arguments go
  // as VT_BYREF | VT_VARIANT and are written back. The identifiers are asked each time.
  automation::Variant invoke(std::u16string_view name, automation::InvokeKind kind,
                             automation::Args& args) override;
  // The same, with the identifiers kept per interface in the identifier cache: asked once,
  // and once more when the server answers "member not found" to a kept one.
  automation::Variant invokeThrough(const automation::Interface& through, std::u16string_view name,
                                    automation::InvokeKind kind, automation::Args& args) override;
  // The object's IUnknown: two proxies of one object are the same object.
  const void* identity() const noexcept override { return unknown_.get(); }

  IDispatch* dispatch() const { return dispatch_.get(); }

 private:
  class Arguments;
  struct Identifiers {
    std::vector<DISPID> ids;  // the member's, then the named arguments'
    bool kept = false;        // from the identifier cache
  };

  automation::Variant call(const automation::Interface* through, std::u16string_view name,
                           automation::InvokeKind kind, automation::Args& args);
  Identifiers identifiers(const automation::Interface* through, const IdentifierCache::Names& names,
                          automation::ObservedCall& cost);
  std::vector<DISPID> lookUp(const IdentifierCache::Names& names, automation::ObservedCall& cost);
  HRESULT send(const std::vector<DISPID>& ids, Arguments& arguments, VARIANT* result,
               EXCEPINFO& info, automation::ObservedCall& cost);

  ComPtr<IDispatch> dispatch_;
  ComPtr<IUnknown> unknown_;
};

}  // namespace r58046::com
