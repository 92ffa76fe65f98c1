// The server side: automation objects served as IDispatch (and, in derived classes, through
// a dual interface's table of functions), answering failures as a VB component raises them.
// Member names map to dispatch identifiers through one table per process: dispids.h for the
// names of the type library, then numbers made from the names themselves.
#pragma once

#include <windows.h>

#include <oaidl.h>
#include <ole2.h>

#include <atomic>

#include "automation/dispatch.h"
#include "automation/error.h"
#include "com/owners.h"

namespace r58046::com {

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

// The dispatch identifier this process answers for a member name (compared without regard
// to case): the type library's for its names, DISPID_VALUE for the default member (empty
// name), else a number made from the name alone, so that every process that serves objects
// answers the same one (a simulated Word started after another one answers as it did, as
// Word's type library does), and clients may keep it.
DISPID dispatchIdOf(std::u16string_view name);

// Answers a failure as a VB component does: EXCEPINFO (when given) and IErrorInfo with the
// number's HRESULT, source and description; returns the HRESULT for the call.
HRESULT answerError(const automation::AutomationError& error, EXCEPINFO* info, REFIID iid) noexcept;
// Answers the exception being handled (call it inside a catch block) as answerError does,
// the exception made an AutomationError by currentFailure; an unexpected one is also told
// on the trace with its text.
HRESULT answerCurrentException(EXCEPINFO* info, REFIID iid) noexcept;

// Serves an automation object as IDispatch, plus ISupportErrorInfo. A dual interface is
// served by deriving from Server<ThatInterface> and implementing its functions with
// `guard`.
class ServerBase {
 public:
  virtual ~ServerBase();
  ServerBase(const ServerBase&) = delete;
  ServerBase& operator=(const ServerBase&) = delete;

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
  static HRESULT idsOfNames(LPOLESTR* names, UINT count, DISPID* ids);
  // Runs a body: a failure becomes the failure of a function of interface iid.
  template <class Body>
  HRESULT guard(REFIID iid, Body&& body) noexcept {
    try {
      body();
      return S_OK;
    } catch (...) {
      return answerCurrentException(nullptr, iid);
    }
  }

  automation::ObjectRef object_;
  IUnknown* unknown_ = nullptr;  // the server's own, not a reference
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
    *out = index == 0 ? ComPtr<ITypeInfo>::share(typeInfo()).detach() : nullptr;
    return *out != nullptr ? S_OK : DISP_E_BADINDEX;
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

// The IDispatch (a reference added) of the server of an object, made on first use.
IDispatch* serve(const automation::ObjectRef& object);
// The object that a server of this process serves, when `unknown` (a canonical IUnknown)
// is one; null otherwise.
automation::ObjectRef servedObject(IUnknown* unknown);

}  // namespace r58046::com
