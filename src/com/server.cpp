#include "com/server.h"

#include <map>
#include <mutex>
#include <optional>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "automation/text.h"
#include "com/dispids.h"
#include "com/errors.h"
#include "com/values.h"

namespace r58046::com {

using automation::Arg;
using automation::Args;
using automation::AutomationError;
using automation::InvokeKind;
using automation::ObjectRef;
using automation::Variant;
namespace errors = automation::errors;

namespace {

// --- the names of members and their dispatch identifiers

class NameTable {
 public:
  NameTable() {
    static const struct {
      const char16_t* name;
      DISPID id;
    } kFixed[] = {
        {u"BravoNuance", R58046_DISPID_BRAVONUANCE},
        {u"Complement", R58046_DISPID_COMPLEMENT},
        {u"CauseErreur", R58046_DISPID_CAUSEERREUR},
        {u"ErreurGenerale", R58046_DISPID_ERREURGENERALE},
        {u"Fermer", R58046_DISPID_FERMER},
        {u"InitQuestion", R58046_DISPID_INITQUESTION},
        {u"Quitter", R58046_DISPID_QUITTER},
        {u"TestePoint", R58046_DISPID_TESTEPOINT},
        {u"ComplementInfo", R58046_DISPID_COMPLEMENTINFO},
        {u"FichiersDeTravail", R58046_DISPID_FICHIERSDETRAVAIL},
        {u"PathDossierParDefaut", R58046_DISPID_PATHDOSSIERPARDEFAUT},
        {u"Prepare", R58046_DISPID_PREPARE},
        {u"add", R58046_DISPID_ADD},
        {u"count", R58046_DISPID_COUNT},
        {u"NomSource", R58046_DISPID_NOMSOURCE},
        {u"NomDest", R58046_DISPID_NOMDEST},
        {u"Modele", R58046_DISPID_MODELE},
        {u"Item", R58046_DISPID_ITEM},
    };
    for (const auto& f : kFixed) {
      byName_[automation::asciiLower(f.name)] = f.id;
      byId_[f.id] = f.name;
    }
  }

  DISPID idOf(std::u16string_view name) {
    if (name.empty()) {
      return DISPID_VALUE;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    auto key = automation::asciiLower(name);
    auto it = byName_.find(key);
    if (it != byName_.end()) {
      return it->second;
    }
    // Two names of one hash: the one asked later takes the next free number (so far no two
    // member names in use share one).
    DISPID id = hashed(key);
    while (byId_.count(id) != 0) {
      id = id == kLast ? R58046_DISPID_FIRST_DYNAMIC : id + 1;
    }
    byName_.emplace(std::move(key), id);
    byId_.emplace(id, std::u16string(name));
    return id;
  }

  bool nameOf(DISPID id, std::u16string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = byId_.find(id);
    if (it == byId_.end()) {
      return false;
    }
    name = it->second;
    return true;
  }

 private:
  static constexpr DISPID kLast = 0x7FFFFFFE;

  // FNV-1a over the lower-cased name's UTF-16 units, folded into the dynamic range.
  static DISPID hashed(std::u16string_view key) {
    uint32_t h = 2166136261u;
    for (char16_t c : key) {
      h = (h ^ (c & 0xFFu)) * 16777619u;
      h = (h ^ (c >> 8)) * 16777619u;
    }
    constexpr uint32_t span = kLast - R58046_DISPID_FIRST_DYNAMIC + 1;
    return static_cast<DISPID>(R58046_DISPID_FIRST_DYNAMIC + h % span);
  }

  std::mutex mutex_;
  std::unordered_map<std::u16string, DISPID> byName_;
  std::map<DISPID, std::u16string> byId_;
};

NameTable& names() {
  static NameTable table;
  return table;
}

// --- the objects this process serves

struct Served {
  std::mutex mutex;
  // By what the object answers for "Is" and by its class: the simulated Word answers one
  // identity for the objects of one window (its View and its Zoom), which are still
  // different objects to serve.
  std::map<std::pair<const void*, std::type_index>, ServerBase*> byObject;
  std::unordered_map<IUnknown*, ServerBase*> byUnknown;
};

std::pair<const void*, std::type_index> keyOf(const automation::Dispatch& object) {
  return {object.identity(), std::type_index(typeid(object))};
}

Served& served() {
  static Served table;
  return table;
}

ServerMaker& maker() {
  static ServerMaker current = &makePlainServer;
  return current;
}

void (*&callHook())() {
  static void (*hook)() = nullptr;
  return hook;
}

bool& channelErrors() {
  static bool channel = false;
  return channel;
}

// The call hook, run when a served call ends.
void runCallHook() noexcept {
  if (callHook() != nullptr) {
    try {
      callHook()();
    } catch (...) {
      // The hook only brings windows up to date: the call's own answer stands.
    }
  }
}

// The arguments of a served call, as automation::Args in the callee's order, and the
// by-reference ones written back to the caller.
class ServedArguments {
 public:
  // The values live here: Args point into them.
  ServedArguments(DISPPARAMS* params, InvokeKind kind) {
    UINT total = params != nullptr ? params->cArgs : 0;
    UINT namedCount = params != nullptr ? params->cNamedArgs : 0;
    if (namedCount > total || (total > 0 && params->rgvarg == nullptr) ||
        (namedCount > 0 && params->rgdispidNamedArgs == nullptr)) {
      valid_ = false;
      return;
    }
    values_.reserve(total);  // no reallocation: Args point into it
    for (UINT i = total; i > namedCount; --i) {
      args_.push_back(argument(params->rgvarg[i - 1]));
    }
    std::vector<Arg> named;
    for (UINT k = 0; k < namedCount; ++k) {
      DISPID argId = params->rgdispidNamedArgs[k];
      if (argId == DISPID_PROPERTYPUT && kind == InvokeKind::Put) {
        args_.push_back(argument(params->rgvarg[k]));  // the assigned value, last positional
        continue;
      }
      std::u16string argName;
      if (!names().nameOf(argId, argName)) {
        automation::raiseError(errors::kNamedArgumentNotFound);
      }
      Arg a = argument(params->rgvarg[k]);
      a.name = std::move(argName);
      named.push_back(std::move(a));
    }
    for (Arg& a : named) {
      args_.push_back(std::move(a));
    }
  }

  bool valid() const { return valid_; }
  Args& args() { return args_; }
  // The callee's by-reference results, into the caller's variables.
  void writeBackAll() {
    for (auto& [index, ref] : byRef_) {
      writeBack(values_[index], *ref);
    }
  }

 private:
  Arg argument(VARIANT& v) {
    values_.push_back(fromVariant(v));
    if ((V_VT(&v) & VT_BYREF) != 0) {
      byRef_.emplace_back(values_.size() - 1, &v);
      return Arg::byRef(values_.back());
    }
    return Arg(values_.back());
  }

  bool valid_ = true;
  std::vector<Variant> values_;
  std::vector<std::pair<size_t, VARIANT*>> byRef_;  // value index, the caller's VARIANT
  Args args_;
};

InvokeKind kindOf(WORD flags) {
  if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
    return InvokeKind::Put;
  }
  if ((flags & DISPATCH_PROPERTYGET) != 0) {
    return InvokeKind::Get;
  }
  return InvokeKind::Method;
}

}  // namespace

std::atomic<long>& liveServers() {
  static std::atomic<long> count{0};
  return count;
}

void setChannelErrors(bool channel) {
  channelErrors() = channel;
}

void setCallHook(void (*hook)()) {
  callHook() = hook;
}

void setServerMaker(ServerMaker m) {
  maker() = m != nullptr ? m : &makePlainServer;
}

ServerBase* makePlainServer(const ObjectRef& object) {
  return new Server<IDispatch>(object);
}

DISPID dispatchIdOf(std::u16string_view name) {
  return names().idOf(name);
}

HRESULT answerError(const AutomationError& error, EXCEPINFO* info, REFIID iid) noexcept {
  if (channelErrors()) {
    if (error.number() == errors::kCallRejected) {
      return RPC_E_CALL_REJECTED;
    }
    if (error.number() == errors::kServerNotAvailable) {
      return HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
    }
  }
  HRESULT hr = hresultOf(error.number());
  try {
    std::wstring source(error.source().begin(), error.source().end());
    std::wstring description(error.description().begin(), error.description().end());
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.put()))) {
      create->SetGUID(iid);
      create->SetSource(source.data());
      create->SetDescription(description.data());
      ComPtr<IErrorInfo> errorInfo;
      if (SUCCEEDED(create.query(IID_IErrorInfo, errorInfo))) {
        SetErrorInfo(0, errorInfo.get());
      }
    }
    if (info == nullptr) {
      return hr;
    }
    *info = EXCEPINFO{};
    info->scode = hr;
    UniqueBstr bstrSource(toBstr(error.source()));
    info->bstrDescription = toBstr(error.description());
    info->bstrSource = bstrSource.release();
    return DISP_E_EXCEPTION;
  } catch (...) {
    return info == nullptr ? hr : E_OUTOFMEMORY;
  }
}

HRESULT answerCurrentException(EXCEPINFO* info, REFIID iid) noexcept {
  try {
    throw;
  } catch (const AutomationError& e) {
    return answerError(e, info, iid);
  } catch (...) {
    try {
      AutomationError failure = currentFailure();
      traceFailure(u"a served call", "answering", failure);
      return answerError(failure, info, iid);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
  }
}

IDispatch* serve(const ObjectRef& object) {
  {
    Served& s = served();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.byObject.find(keyOf(*object));
    if (it != s.byObject.end()) {
      return ComPtr<IDispatch>::share(it->second->asDispatch()).detach();
    }
  }
  ServerBase* server = maker()(object);
  return server->asDispatch();  // the new server's one reference goes to the caller
}

ObjectRef servedObject(IUnknown* unknown) {
  Served& s = served();
  std::lock_guard<std::mutex> lock(s.mutex);
  auto it = s.byUnknown.find(unknown);
  return it != s.byUnknown.end() ? it->second->object() : nullptr;
}

ServerBase::ServerBase(ObjectRef object) : object_(std::move(object)) {
  ++liveServers();
  Served& s = served();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.byObject[keyOf(*object_)] = this;
}

void ServerBase::enlist(IUnknown* unknown) {
  unknown_ = unknown;
  Served& s = served();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.byUnknown[unknown] = this;
}

ServerBase::~ServerBase() {
  {
    Served& s = served();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.byObject.find(keyOf(*object_));
    if (it != s.byObject.end() && it->second == this) {
      s.byObject.erase(it);
    }
    if (unknown_ != nullptr) {
      s.byUnknown.erase(unknown_);
    }
  }
  --liveServers();
}

void ServerBase::disconnectAll() {
  std::vector<IUnknown*> all;
  {
    Served& s = served();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (auto& [unknown, server] : s.byUnknown) {
      all.push_back(unknown);
    }
  }
  for (IUnknown* unknown : all) {
    CoDisconnectObject(unknown, 0);
  }
}

HRESULT ServerBase::idsOfNames(LPOLESTR* nameList, UINT count, DISPID* ids) {
  if (nameList == nullptr || ids == nullptr) {
    return E_POINTER;
  }
  try {
    for (UINT i = 0; i < count; ++i) {
      const auto* text = reinterpret_cast<const char16_t*>(nameList[i]);
      ids[i] = dispatchIdOf(text == nullptr ? std::u16string_view{} : std::u16string_view(text));
    }
    return S_OK;
  } catch (...) {
    return answerCurrentException(nullptr, IID_IDispatch);
  }
}

HRESULT ServerBase::invokeByName(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* info) {
  auto afterCall = scopeExit(&runCallHook);
  std::optional<ServedArguments> arguments;
  try {
    std::u16string name;
    if (id != DISPID_VALUE && !names().nameOf(id, name)) {
      return DISP_E_MEMBERNOTFOUND;
    }
    InvokeKind kind = kindOf(flags);
    arguments.emplace(params, kind);
    if (!arguments->valid()) {
      return E_INVALIDARG;
    }
    Variant answer = object_->invoke(name, kind, arguments->args());
    arguments->writeBackAll();
    if (result != nullptr) {
      toVariant(answer, result);
    }
    return S_OK;
  } catch (...) {
    if (arguments) {
      try {
        arguments->writeBackAll();  // the callee's by-reference results stand also when it failed
      } catch (...) {
        // What could not be written back stays as the caller gave it.
      }
    }
    return answerCurrentException(info, IID_IDispatch);
  }
}

}  // namespace r58046::com
