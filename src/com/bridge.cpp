#include "com/bridge.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <new>
#include <typeindex>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "automation/text.h"
#include "com/dispids.h"

namespace r58046::com {

using automation::Arg;
using automation::Args;
using automation::AutomationError;
using automation::InvokeKind;
using automation::ObjectRef;
using automation::Variant;
using automation::VarType;
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
    DISPID id = next_++;
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
  std::mutex mutex_;
  std::unordered_map<std::u16string, DISPID> byName_;
  std::map<DISPID, std::u16string> byId_;
  DISPID next_ = R58046_DISPID_FIRST_DYNAMIC;
};

NameTable& names() {
  static NameTable table;
  return table;
}

// --- the objects this module serves

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

// Runs the call hook when a served call ends.
struct AfterCall {
  ~AfterCall() {
    if (callHook() != nullptr) {
      try {
        callHook()();
      } catch (...) {
      }
    }
  }
};

bool& channelErrors() {
  static bool channel = false;
  return channel;
}

// A reference released at the end of a scope.
template <class T>
struct Releasing {
  T* p = nullptr;
  ~Releasing() {
    if (p != nullptr) {
      p->Release();
    }
  }
};

std::u16string systemText(HRESULT hr) {
  LPWSTR buffer = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::u16string text;
  if (n > 0 && buffer != nullptr) {
    text.assign(reinterpret_cast<const char16_t*>(buffer), n);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
      text.pop_back();
    }
  }
  if (buffer != nullptr) {
    LocalFree(buffer);
  }
  return text;
}

// Writes a value back into a by-reference argument of the caller's type.
void writeBack(const Variant& value, VARIANT& ref) {
  switch (V_VT(&ref) & ~VT_BYREF) {
    case VT_VARIANT:
      VariantClear(V_VARIANTREF(&ref));
      toVariant(value, V_VARIANTREF(&ref));
      break;
    case VT_I4:
      *V_I4REF(&ref) = value.toLong();
      break;
    case VT_I2:
      *V_I2REF(&ref) = value.toInteger();
      break;
    case VT_BOOL:
      *V_BOOLREF(&ref) = value.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case VT_R4:
      *V_R4REF(&ref) = value.toSingle();
      break;
    case VT_R8:
      *V_R8REF(&ref) = value.toDouble();
      break;
    case VT_DATE:
      *V_DATEREF(&ref) = value.toDouble();
      break;
    case VT_BSTR: {
      BSTR text = toBstr(value.toString());
      SysFreeString(*V_BSTRREF(&ref));
      *V_BSTRREF(&ref) = text;
      break;
    }
    case VT_DISPATCH: {
      IDispatch* object = dispatchOf(value.toObject());
      if (*V_DISPATCHREF(&ref) != nullptr) {
        (*V_DISPATCHREF(&ref))->Release();
      }
      *V_DISPATCHREF(&ref) = object;
      break;
    }
    default:
      break;  // a kind the module never writes back
  }
}

}  // namespace

// --- error numbers

int32_t vbNumberOf(HRESULT hr) {
  if (HRESULT_FACILITY(hr) == FACILITY_CONTROL && FAILED(hr)) {
    return HRESULT_CODE(hr);
  }
  switch (hr) {
    case DISP_E_UNKNOWNNAME:
    case DISP_E_MEMBERNOTFOUND:
      return errors::kMemberNotSupported;
    case DISP_E_TYPEMISMATCH:
      return errors::kTypeMismatch;
    case DISP_E_PARAMNOTOPTIONAL:
      return errors::kArgumentNotOptional;
    case DISP_E_BADPARAMCOUNT:
      return errors::kWrongNumberOfArguments;
    case DISP_E_PARAMNOTFOUND:
      return errors::kNamedArgumentNotFound;
    case DISP_E_NONAMEDARGS:
      return 446;
    case DISP_E_UNKNOWNLCID:
      return 447;
    case DISP_E_NOTACOLLECTION:
      return 451;
    case DISP_E_BADVARTYPE:
      return 458;
    case DISP_E_OVERFLOW:
      return errors::kOverflow;
    case DISP_E_BADINDEX:
      return errors::kSubscriptOutOfRange;
    case DISP_E_ARRAYISLOCKED:
      return 10;
    case DISP_E_DIVBYZERO:
      return 11;
    case E_OUTOFMEMORY:
      return 7;
    case E_INVALIDARG:
      return errors::kInvalidProcedureCall;
    case E_NOINTERFACE:
      return 430;
    case E_ACCESSDENIED:
      return errors::kPermissionDenied;
    case CO_E_CLASSSTRING:
    case REGDB_E_CLASSNOTREG:
    case CO_E_SERVER_EXEC_FAILURE:
    case CO_E_APPNOTFOUND:
    case MK_E_UNAVAILABLE:
      return errors::kCannotCreateObject;
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case RPC_E_CONNECTION_TERMINATED:
    case CO_E_OBJNOTCONNECTED:
    case CO_E_SERVER_STOPPING:
    case HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE):
    case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED):
    case HRESULT_FROM_WIN32(RPC_S_CALL_FAILED_DNE):
    case HRESULT_FROM_WIN32(RPC_S_UNKNOWN_IF):  // the process that served it has ended
      return errors::kServerNotAvailable;
    default:
      return static_cast<int32_t>(hr);
  }
}

HRESULT hresultOf(int32_t vbNumber) {
  if (vbNumber > 0 && vbNumber <= 0xFFFF) {
    return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, vbNumber);
  }
  if (vbNumber < 0) {
    return static_cast<HRESULT>(vbNumber);
  }
  return E_FAIL;
}

std::u16string describeHresult(HRESULT hr) {
  std::u16string text = u"Automation error";
  std::u16string system = systemText(hr);
  if (!system.empty()) {
    text += u"\n" + system;
  }
  return text;
}

// --- strings

BSTR toBstr(std::u16string_view text) {
  BSTR out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                               static_cast<UINT>(text.size()));
  if (out == nullptr) {
    throw std::bad_alloc();
  }
  return out;
}

std::u16string fromBstr(BSTR text) {
  if (text == nullptr) {
    return {};
  }
  return std::u16string(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

// --- values

void toVariant(const Variant& value, VARIANT* out) {
  VariantInit(out);
  switch (value.type()) {
    case VarType::Empty:
      break;
    case VarType::Null:
      V_VT(out) = VT_NULL;
      break;
    case VarType::Boolean:
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = value.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
      break;
    case VarType::Integer:
      V_VT(out) = VT_I2;
      V_I2(out) = value.toInteger();
      break;
    case VarType::Long:
      V_VT(out) = VT_I4;
      V_I4(out) = value.toLong();
      break;
    case VarType::Single:
      V_VT(out) = VT_R4;
      V_R4(out) = value.toSingle();
      break;
    case VarType::Double:
      V_VT(out) = VT_R8;
      V_R8(out) = value.toDouble();
      break;
    case VarType::String:
      V_BSTR(out) = toBstr(value.stringRef());
      V_VT(out) = VT_BSTR;
      break;
    case VarType::Date:
      V_VT(out) = VT_DATE;
      V_DATE(out) = value.toDouble();
      break;
    case VarType::Object:
      V_DISPATCH(out) = dispatchOf(value.objectRef());
      V_VT(out) = VT_DISPATCH;
      break;
    case VarType::Missing:
      V_VT(out) = VT_ERROR;
      V_ERROR(out) = DISP_E_PARAMNOTFOUND;
      break;
  }
}

Variant fromVariant(const VARIANT& value) {
  VARTYPE vt = V_VT(&value);
  if (vt == (VT_BYREF | VT_VARIANT)) {
    if (V_VARIANTREF(&value) == nullptr) {
      return {};
    }
    return fromVariant(*V_VARIANTREF(&value));
  }
  if ((vt & VT_BYREF) != 0) {
    VARIANT direct;
    VariantInit(&direct);
    HRESULT hr = VariantCopyInd(&direct, const_cast<VARIANT*>(&value));
    if (FAILED(hr)) {
      automation::raiseError(errors::kTypeMismatch);
    }
    struct Clear {
      VARIANT* v;
      ~Clear() { VariantClear(v); }
    } clear{&direct};
    return fromVariant(direct);
  }
  if ((vt & (VT_ARRAY | VT_VECTOR)) != 0) {
    automation::raiseError(errors::kTypeMismatch);
  }
  switch (vt) {
    case VT_EMPTY:
      return {};
    case VT_NULL:
      return Variant::null();
    case VT_BOOL:
      return Variant::boolean(V_BOOL(&value) != VARIANT_FALSE);
    case VT_I2:
      return Variant(static_cast<int16_t>(V_I2(&value)));
    case VT_UI1:
      return Variant(static_cast<int16_t>(V_UI1(&value)));
    case VT_I1:
      return Variant(static_cast<int16_t>(V_I1(&value)));
    case VT_UI2:
      return Variant(static_cast<int32_t>(V_UI2(&value)));
    case VT_I4:
      return Variant(static_cast<int32_t>(V_I4(&value)));
    case VT_INT:
      return Variant(static_cast<int32_t>(V_INT(&value)));
    case VT_UI4:
    case VT_UINT: {
      uint32_t n = vt == VT_UI4 ? V_UI4(&value) : V_UINT(&value);
      if (n <= 0x7FFFFFFFu) {
        return Variant(static_cast<int32_t>(n));
      }
      return Variant(static_cast<double>(n));
    }
    case VT_R4:
      return Variant(V_R4(&value));
    case VT_R8:
      return Variant(V_R8(&value));
    case VT_DATE:
      return Variant(automation::DateValue{V_DATE(&value)});
    case VT_BSTR:
      return Variant(fromBstr(V_BSTR(&value)));
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return Variant(objectOf(V_UNKNOWN(&value)));
    case VT_ERROR:
      if (V_ERROR(&value) == DISP_E_PARAMNOTFOUND) {
        return Variant::missing();
      }
      return Variant(static_cast<int32_t>(V_ERROR(&value)));
    case VT_I8:
    case VT_UI8:
    case VT_CY:
    case VT_DECIMAL: {
      VARIANT number;
      VariantInit(&number);
      if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&value), 0, VT_R8))) {
        automation::raiseError(errors::kOverflow);
      }
      return Variant(V_R8(&number));
    }
    default:
      automation::raiseError(errors::kTypeMismatch);
  }
}

IDispatch* dispatchOf(const ObjectRef& object) {
  if (!object) {
    return nullptr;
  }
  if (auto* client = dynamic_cast<ComObject*>(object.get())) {
    client->dispatch()->AddRef();
    return client->dispatch();
  }
  {
    Served& s = served();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.byObject.find(keyOf(*object));
    if (it != s.byObject.end()) {
      IDispatch* d = it->second->asDispatch();
      d->AddRef();
      return d;
    }
  }
  ServerBase* server = maker()(object);
  return server->asDispatch();  // the new server's one reference goes to the caller
}

ObjectRef objectOf(IUnknown* unknown) {
  if (unknown == nullptr) {
    return nullptr;
  }
  Releasing<IUnknown> canonical;
  if (FAILED(unknown->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&canonical.p)))) {
    automation::raiseError(errors::kTypeMismatch);
  }
  {
    Served& s = served();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.byUnknown.find(canonical.p);
    if (it != s.byUnknown.end()) {
      return it->second->object();
    }
  }
  Releasing<IDispatch> dispatch;
  HRESULT hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch.p));
  if (FAILED(hr)) {
    raiseFailure(hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr);
  }
  return std::make_shared<ComObject>(dispatch.p);
}

bool tracing() {
  static const bool enabled = std::getenv("R58046_TRACE") != nullptr;
  return enabled;
}

void traceFailure(std::u16string_view what, const char* step, HRESULT hr) {
  if (tracing()) {
    std::fprintf(stderr, "[%lu] %s %s failed: 0x%08lx\n", GetTickCount(), step,
                 automation::toUtf8(what).c_str(), static_cast<unsigned long>(hr));
  }
}

void raiseFailure(HRESULT hr, EXCEPINFO* info, IUnknown* object, REFIID iid) {
  if (hr == DISP_E_EXCEPTION && info != nullptr) {
    if (info->pfnDeferredFillIn != nullptr) {
      info->pfnDeferredFillIn(info);
    }
    int32_t number = info->wCode != 0 ? info->wCode : vbNumberOf(info->scode);
    std::u16string source = fromBstr(info->bstrSource);
    std::u16string description = fromBstr(info->bstrDescription);
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    SysFreeString(info->bstrHelpFile);
    info->bstrSource = info->bstrDescription = info->bstrHelpFile = nullptr;
    if (description.empty()) {
      description = automation::standardDescription(number);
      if (description.empty()) {
        description = describeHresult(info->scode);
      }
    }
    throw AutomationError(number, std::move(source), std::move(description));
  }
  int32_t number = vbNumberOf(hr);
  std::u16string source(automation::kModuleSource);
  std::u16string description = automation::standardDescription(number);
  if (description.empty()) {
    description = describeHresult(hr);
  }
  if (object != nullptr) {
    Releasing<ISupportErrorInfo> support;
    Releasing<IErrorInfo> error;
    if (SUCCEEDED(
            object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&support.p))) &&
        support.p->InterfaceSupportsErrorInfo(iid) == S_OK && GetErrorInfo(0, &error.p) == S_OK &&
        error.p != nullptr) {
      BSTR text = nullptr;
      if (SUCCEEDED(error.p->GetSource(&text))) {
        source = fromBstr(text);
        SysFreeString(text);
      }
      text = nullptr;
      if (SUCCEEDED(error.p->GetDescription(&text)) && text != nullptr) {
        description = fromBstr(text);
        SysFreeString(text);
      }
    }
  }
  throw AutomationError(number, std::move(source), std::move(description));
}

// --- the client side

ComObject::ComObject(IDispatch* dispatch) : dispatch_(dispatch), unknown_(nullptr) {
  dispatch_->AddRef();
  if (FAILED(dispatch_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown_)))) {
    unknown_ = dispatch_;
    unknown_->AddRef();
  }
}

ComObject::~ComObject() {
  unknown_->Release();
  dispatch_->Release();
}

Variant ComObject::invoke(std::u16string_view name, InvokeKind kind, Args& args) {
  // The arguments: positional ones in order, then named ones; for a put the assigned value
  // (the last positional one) goes as the named argument DISPID_PROPERTYPUT.
  std::vector<Arg*> positional;
  std::vector<Arg*> named;
  for (Arg& a : args) {
    (a.name.empty() ? positional : named).push_back(&a);
  }
  Arg* assigned = nullptr;
  if (kind == InvokeKind::Put) {
    if (positional.empty()) {
      automation::raiseError(errors::kWrongNumberOfArguments);
    }
    assigned = positional.back();
    positional.pop_back();
  }

  // Dispatch identifiers of the member and the named arguments.
  std::vector<std::wstring> nameText;
  nameText.emplace_back(name.begin(), name.end());
  for (Arg* a : named) {
    nameText.emplace_back(a->name.begin(), a->name.end());
  }
  std::vector<LPOLESTR> namePointers;
  for (auto& n : nameText) {
    namePointers.push_back(n.data());
  }
  std::vector<DISPID> ids(nameText.size(), DISPID_UNKNOWN);
  if (name.empty() && named.empty()) {
    ids[0] = DISPID_VALUE;
  } else {
    HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, namePointers.data(),
                                          static_cast<UINT>(namePointers.size()),
                                          LOCALE_USER_DEFAULT, ids.data());
    if (name.empty()) {
      ids[0] = DISPID_VALUE;
    }
    if (hr == DISP_E_UNKNOWNNAME) {
      automation::raiseError(ids[0] == DISPID_UNKNOWN ? errors::kMemberNotSupported
                                                      : errors::kNamedArgumentNotFound);
    }
    if (FAILED(hr)) {
      traceFailure(name, "GetIDsOfNames", hr);
      raiseFailure(hr);
    }
  }

  // DISPPARAMS: named arguments first, then the positional ones in reverse order.
  size_t namedCount = named.size() + (assigned != nullptr ? 1 : 0);
  size_t total = namedCount + positional.size();
  std::vector<VARIANT> slots(total);
  std::vector<VARIANT> holders(total);  // the values that by-reference arguments point at
  std::vector<DISPID> namedIds;
  std::vector<std::pair<Arg*, VARIANT*>> byRef;
  for (auto& v : slots) {
    VariantInit(&v);
  }
  for (auto& v : holders) {
    VariantInit(&v);
  }
  struct ClearAll {
    std::vector<VARIANT>& a;
    std::vector<VARIANT>& b;
    ~ClearAll() {
      for (auto& v : a) {
        VariantClear(&v);
      }
      for (auto& v : b) {
        VariantClear(&v);
      }
    }
  } clearAll{slots, holders};
  auto place = [&](size_t slot, Arg* a) {
    if (a->ref != nullptr) {
      toVariant(*a->ref, &holders[slot]);
      V_VT(&slots[slot]) = VT_BYREF | VT_VARIANT;
      V_VARIANTREF(&slots[slot]) = &holders[slot];
      byRef.emplace_back(a, &holders[slot]);
    } else {
      toVariant(a->value, &slots[slot]);
    }
  };
  size_t slot = 0;
  if (assigned != nullptr) {
    place(slot++, assigned);
    namedIds.push_back(DISPID_PROPERTYPUT);
  }
  for (size_t i = 0; i < named.size(); ++i) {
    place(slot++, named[i]);
    namedIds.push_back(ids[i + 1]);
  }
  for (size_t i = positional.size(); i > 0; --i) {
    place(slot++, positional[i - 1]);
  }
  DISPPARAMS params{total > 0 ? slots.data() : nullptr,
                    namedIds.empty() ? nullptr : namedIds.data(), static_cast<UINT>(total),
                    static_cast<UINT>(namedIds.size())};

  WORD flags = DISPATCH_METHOD;
  if (kind == InvokeKind::Get) {
    flags = DISPATCH_PROPERTYGET | DISPATCH_METHOD;
  } else if (kind == InvokeKind::Put) {
    flags = assigned->get().isObject() && !assigned->get().isNothing() ? DISPATCH_PROPERTYPUTREF
                                                                       : DISPATCH_PROPERTYPUT;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  UINT argError = 0;
  HRESULT hr = dispatch_->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                 kind == InvokeKind::Put ? nullptr : &result, &info, &argError);
  if (hr == DISP_E_MEMBERNOTFOUND && flags == DISPATCH_PROPERTYPUTREF) {
    info = EXCEPINFO{};
    hr = dispatch_->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                           nullptr, &info, &argError);
  }
  if (FAILED(hr)) {
    traceFailure(name, "Invoke", hr);
    raiseFailure(hr, &info);
  }
  struct ClearResult {
    VARIANT* v;
    ~ClearResult() { VariantClear(v); }
  } clearResult{&result};
  for (auto& [a, holder] : byRef) {
    *a->ref = fromVariant(*holder);
  }
  return fromVariant(result);
}

// --- the server side

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
      ids[i] = names().idOf(text == nullptr ? std::u16string_view{} : std::u16string_view(text));
    }
    return S_OK;
  } catch (...) {
    return unexpected();
  }
}

HRESULT ServerBase::invokeByName(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* info) {
  AfterCall afterCall;
  std::vector<Variant> values;
  std::vector<std::pair<size_t, VARIANT*>> byRef;  // value index, the caller's VARIANT
  auto copyBack = [&] {
    for (auto& [index, ref] : byRef) {
      writeBack(values[index], *ref);
    }
  };
  try {
    std::u16string name;
    if (id != DISPID_VALUE && !names().nameOf(id, name)) {
      return DISP_E_MEMBERNOTFOUND;
    }
    InvokeKind kind = InvokeKind::Method;
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
      kind = InvokeKind::Put;
    } else if ((flags & DISPATCH_PROPERTYGET) != 0) {
      kind = InvokeKind::Get;
    }
    UINT total = params != nullptr ? params->cArgs : 0;
    UINT namedCount = params != nullptr ? params->cNamedArgs : 0;
    if (namedCount > total || (total > 0 && params->rgvarg == nullptr) ||
        (namedCount > 0 && params->rgdispidNamedArgs == nullptr)) {
      return E_INVALIDARG;
    }
    values.reserve(total);  // no reallocation: Args point into it
    auto argument = [&](VARIANT& v) {
      if ((V_VT(&v) & VT_BYREF) != 0) {
        values.push_back(fromVariant(v));
        byRef.emplace_back(values.size() - 1, &v);
        return Arg::byRef(values.back());
      }
      values.push_back(fromVariant(v));
      return Arg(values.back());
    };
    Args args;
    for (UINT i = total; i > namedCount; --i) {
      args.push_back(argument(params->rgvarg[i - 1]));
    }
    std::vector<Arg> namedArgs;
    for (UINT k = 0; k < namedCount; ++k) {
      DISPID argId = params->rgdispidNamedArgs[k];
      if (argId == DISPID_PROPERTYPUT && kind == InvokeKind::Put) {
        args.push_back(argument(params->rgvarg[k]));  // the assigned value, last positional
        continue;
      }
      std::u16string argName;
      if (!names().nameOf(argId, argName)) {
        automation::raiseError(errors::kNamedArgumentNotFound);
      }
      Arg a = argument(params->rgvarg[k]);
      a.name = std::move(argName);
      namedArgs.push_back(std::move(a));
    }
    for (Arg& a : namedArgs) {
      args.push_back(std::move(a));
    }
    Variant answer = object_->invoke(name, kind, args);
    copyBack();
    if (result != nullptr) {
      toVariant(answer, result);
    }
    return S_OK;
  } catch (const AutomationError& e) {
    try {
      copyBack();  // the callee's by-reference results stand also when it failed
    } catch (...) {
    }
    return fail(e, info, IID_IDispatch);
  } catch (...) {
    return unexpected();
  }
}

HRESULT ServerBase::fail(const AutomationError& error, EXCEPINFO* info, REFIID iid) {
  if (channelErrors()) {
    if (error.number() == errors::kCallRejected) {
      return RPC_E_CALL_REJECTED;
    }
    if (error.number() == errors::kServerNotAvailable) {
      return HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
    }
  }
  HRESULT hr = hresultOf(error.number());
  ICreateErrorInfo* create = nullptr;
  if (SUCCEEDED(CreateErrorInfo(&create))) {
    std::wstring source(error.source().begin(), error.source().end());
    std::wstring description(error.description().begin(), error.description().end());
    create->SetGUID(iid);
    create->SetSource(source.data());
    create->SetDescription(description.data());
    IErrorInfo* errorInfo = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&errorInfo)))) {
      SetErrorInfo(0, errorInfo);
      errorInfo->Release();
    }
    create->Release();
  }
  if (info == nullptr) {
    return hr;
  }
  *info = EXCEPINFO{};
  info->scode = hr;
  try {
    info->bstrSource = toBstr(error.source());
    info->bstrDescription = toBstr(error.description());
  } catch (...) {
    SysFreeString(info->bstrSource);
    info->bstrSource = nullptr;
  }
  return DISP_E_EXCEPTION;
}

HRESULT ServerBase::unexpected() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace r58046::com
