// The bridges between the automation layer and COM, both ways:
// - ComObject: a COM object's IDispatch (Word in another process, or any automation server)
//   seen as an automation::Dispatch, invoked by name as VB's late binding invokes it;
// - Server: an automation::Dispatch served as IDispatch (and, in derived classes, through a
//   dual interface's table of functions), answering failures as a VB component raises them.
// Values cross as VARIANTs with VB's kinds; failures cross as HRESULTs, EXCEPINFO and
// IErrorInfo one way and as AutomationErrors with VB's error numbers the other way.
//
// Everything here runs on the thread of one single-threaded apartment; no C++ exception
// leaves a COM method.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <ole2.h>

#include <atomic>
#include <string>
#include <string_view>

#include "automation/dispatch.h"
#include "automation/error.h"

namespace r58046::com {

// --- error numbers

// The number a VB program sees for a failed call's HRESULT: an HRESULT of the control or
// dispatch facility that carries a VB error number gives that number, the standard
// dispatch failures give VB's numbers (438, 13, 449, ...), a server that has gone gives
// 462, and any other HRESULT is the number itself (as the call-rejected error
// -2147418111 is).
int32_t vbNumberOf(HRESULT hr);
// The HRESULT that carries a VB error number, as a VB component raises it: the control
// facility for numbers up to 65535, the number itself for an HRESULT.
HRESULT hresultOf(int32_t vbNumber);
// The text for an HRESULT that carries no description of its own ("Automation error" and
// the system's text, as VB shows it).
std::u16string describeHresult(HRESULT hr);

// --- strings

BSTR toBstr(std::u16string_view text);
std::u16string fromBstr(BSTR text);

// --- values

// A VARIANT from an automation value (the caller owns it: VariantClear). An object goes as
// the IDispatch of the COM object it wraps, or as a served Server.
void toVariant(const automation::Variant& value, VARIANT* out);
// An automation value from a VARIANT (by-reference VARIANTs are followed). A COM object
// becomes a ComObject, except an object served by this module, which is unwrapped.
// Arrays and other kinds VB has no Variant for fail with error 13.
automation::Variant fromVariant(const VARIANT& value);

// The IDispatch (added a reference) of an automation object: the COM object it wraps, or
// the Server that serves it (one per object, made on first use). Null for Nothing.
IDispatch* dispatchOf(const automation::ObjectRef& object);
// An automation object for a COM object (its own reference is added). Null gives Nothing.
automation::ObjectRef objectOf(IUnknown* unknown);

// Raises the AutomationError a VB program sees for a failed call: from EXCEPINFO when the
// call answered DISP_E_EXCEPTION (given), else from the object's IErrorInfo when it has
// one for this interface (object given), else from the HRESULT alone.
// Whether R58046_TRACE is set in the environment: the Windows programs then tell failures on
// their error output (a diagnostic of the tests under Wine, which keep it in their logs).
bool tracing();
// When tracing, tells a failed COM call: the time in milliseconds, the step, what was
// called and the HRESULT.
void traceFailure(std::u16string_view what, const char* step, HRESULT hr);

[[noreturn]] void raiseFailure(HRESULT hr, EXCEPINFO* info = nullptr, IUnknown* object = nullptr,
                               REFIID iid = IID_NULL);

// --- the client side

class ComObject : public automation::Dispatch {
 public:
  explicit ComObject(IDispatch* dispatch);  // adds a reference
  ~ComObject() override;

  // GetIDsOfNames for the member and the named arguments, then Invoke: a get as
  // DISPATCH_PROPERTYGET | DISPATCH_METHOD, a call as DISPATCH_METHOD, a put as
  // DISPATCH_PROPERTYPUT (DISPATCH_PROPERTYPUTREF for an object). By-reference arguments go
  // as VT_BYREF | VT_VARIANT and are written back.
  automation::Variant invoke(std::u16string_view name, automation::InvokeKind kind,
                             automation::Args& args) override;
  // The object's IUnknown: two proxies of one object are the same object.
  const void* identity() const noexcept override { return unknown_; }

  IDispatch* dispatch() const { return dispatch_; }

 private:
  IDispatch* dispatch_;
  IUnknown* unknown_;
};

// --- the server side

// Objects served and class-factory locks of this module (for DllCanUnloadNow).
std::atomic<long>& liveServers();

// Whether the call-rejected error (and 462) leave a served object as the COM channel
// reports them (the HRESULT itself, as a busy Word answers) rather than as an exception.
// Set by the out-of-process simulated Word.
void setChannelErrors(bool channel);
// Runs after every call that a served object answered (also a failed one): the
// out-of-process simulated Word brings its real windows up to date there, before the
// caller hears back.
void setCallHook(void (*hook)());

// Serves an automation object as IDispatch, plus ISupportErrorInfo. A dual interface is
// served by deriving from Server<ThatInterface> and implementing its functions with
// `guard`. Member names map to dispatch identifiers through one table (dispids.h for the
// names of the type library, then new numbers in order of asking); the default member is
// DISPID_VALUE.
class ServerBase {
 public:
  virtual ~ServerBase();
  const automation::ObjectRef& object() const { return object_; }
  // The object's interface as IDispatch (no reference added).
  virtual IDispatch* asDispatch() = 0;
  // Cuts every client off this object (CoDisconnectObject), as a process that ends does.
  static void disconnectAll();

 protected:
  explicit ServerBase(automation::ObjectRef object);
  // Records the server's IUnknown, by which objectOf recognises it.
  void enlist(IUnknown* unknown);

  HRESULT invokeByName(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info);
  HRESULT idsOfNames(LPOLESTR* names, UINT count, DISPID* ids);
  // Answers a failure as a VB component does: EXCEPINFO (when given) and IErrorInfo with
  // the number's HRESULT, source and description; returns the HRESULT for the call.
  HRESULT fail(const automation::AutomationError& error, EXCEPINFO* info, REFIID iid);
  // Runs a body; an AutomationError becomes the failure of a function of interface iid,
  // any other exception E_UNEXPECTED (or E_OUTOFMEMORY).
  template <class Body>
  HRESULT guard(REFIID iid, Body&& body) {
    try {
      body();
      return S_OK;
    } catch (const automation::AutomationError& e) {
      return fail(e, nullptr, iid);
    } catch (...) {
      return unexpected();
    }
  }
  static HRESULT unexpected();

  automation::ObjectRef object_;
  IUnknown* unknown_ = nullptr;
};

// Interface I is IDispatch or a dual interface. Extra interface identifiers answered by
// QueryInterface with the same pointer (dispinterfaces and empty duals) come from
// `answers`.
template <class I>
class Server : public I, public ISupportErrorInfo, public ServerBase {
 public:
  explicit Server(automation::ObjectRef object, REFIID primary = IID_IDispatch)
      : ServerBase(std::move(object)), primary_(primary) {
    enlist(static_cast<I*>(this));
  }

  IDispatch* asDispatch() override { return static_cast<I*>(this); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) {
      return E_POINTER;
    }
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, primary_) || answers(iid)) {
      *out = static_cast<I*>(this);
    } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
      *out = static_cast<ISupportErrorInfo*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    long left = --references_;
    if (left == 0) {
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) {
      return E_POINTER;
    }
    *count = typeInfo() != nullptr ? 1 : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
    if (out == nullptr) {
      return E_POINTER;
    }
    *out = index == 0 ? typeInfo() : nullptr;
    if (*out == nullptr) {
      return DISP_E_BADINDEX;
    }
    (*out)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return idsOfNames(names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* argError) override {
    if (argError != nullptr) {
      *argError = 0;
    }
    return invokeByName(id, flags, params, result, info);
  }

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, primary_) || answers(iid) ? S_OK
                                                                                       : S_FALSE;
  }

 protected:
  virtual bool answers(REFIID) const { return false; }
  // The type information of the served interface, when the module has a type library.
  virtual ITypeInfo* typeInfo() { return nullptr; }
  REFIID primary() const { return primary_; }

 private:
  std::atomic<long> references_{1};
  IID primary_;
};

// How a served object is made: the default serves any object as plain IDispatch; the DLL
// installs one that serves its own classes through their dual interfaces. Returns a new
// server with one reference.
using ServerMaker = ServerBase* (*)(const automation::ObjectRef& object);
void setServerMaker(ServerMaker maker);
ServerBase* makePlainServer(const automation::ObjectRef& object);

}  // namespace r58046::com
