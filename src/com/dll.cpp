// The four entry points of r58046.dll and the class factory of Module. They carry no logic
// of the module: registration writes the class, its ProgID and the type library; the
// factory makes a Module on the Windows platform.
#include <windows.h>

#include <ole2.h>
#include <olectl.h>

#include <atomic>
#include <cwchar>
#include <string>

#include "com/bridge.h"
#include "com/diagnostics.h"
#include "com/r58046.h"
#include "com/registration.h"
#include "com/servers.h"
#include "com/windows_platform.h"
#include "external/host.h"
#include "module/module.h"

namespace r58046::com {
namespace {

std::atomic<long> gLocks{0};

WindowsPlatform& windowsPlatform() {
  static WindowsPlatform platform;
  return platform;
}

class ModuleFactory : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) {
      return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // The factory is a static object: its references only keep the DLL loaded.
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++gLocks); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--gLocks); }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) {
      return E_POINTER;
    }
    *out = nullptr;
    if (outer != nullptr) {
      return CLASS_E_NOAGGREGATION;
    }
    try {
      automation::ObjectRef module = module::createModule(windowsPlatform().platform());
      return ComPtr<IDispatch>::adopt(dispatchOf(module))->QueryInterface(iid, out);
    } catch (...) {
      return answerCurrentException(nullptr, IID_IClassFactory);
    }
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ++gLocks;
    } else {
      --gLocks;
    }
    return S_OK;
  }
};

ModuleFactory gFactory;

const std::wstring kProgId = L"R58046.Module";

// HKCR\Interface keys of the host's interfaces that another library (the host's own)
// registered: registering this library's copy of them must not take them over.
struct HostInterfaces {
  InterfaceKeys module;
  InterfaceKeys list;

  static HostInterfaces read() {
    return HostInterfaces{InterfaceKeys::read(IID_AbstractModule),
                          InterfaceKeys::read(IID_ComplementInfo)};
  }
  void restoreForeign() const {
    std::wstring ours = guidText(LIBID_R58046);
    for (const InterfaceKeys* keys : {&module, &list}) {
      if (keys->present() && !keys->typeLibrary().empty() &&
          _wcsicmp(keys->typeLibrary().c_str(), ours.c_str()) != 0) {
        keys->restore();
      }
    }
  }
};

// The status of the last system call that failed, as an HRESULT (`otherwise` when it left
// none).
HRESULT lastFailure(HRESULT otherwise) {
  DWORD status = GetLastError();
  return status != ERROR_SUCCESS ? HRESULT_FROM_WIN32(status) : otherwise;
}

// Every failure keeps its cause: the type library functions' own HRESULT, the registry's
// status as HRESULT_FROM_WIN32 (regsvr32 shows its text: "Access is denied." without
// administrator rights).
HRESULT registerServer() {
  std::wstring path = modulePath(dllInstance());
  if (path.empty()) {
    return lastFailure(SELFREG_E_CLASS);
  }
  ComPtr<ITypeLib> library;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.put());
  if (FAILED(hr)) {
    return hr;
  }
  HostInterfaces host = HostInterfaces::read();
  std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
  hr = RegisterTypeLib(library.get(), path.data(), folder.data());
  host.restoreForeign();
  if (FAILED(hr)) {
    return hr;
  }

  std::wstring clsid = guidText(CLSID_Module);
  std::wstring key = L"CLSID\\" + clsid;
  return setValues({
      {key, nullptr, kProgId},
      {key + L"\\InprocServer32", nullptr, path},
      {key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {key + L"\\ProgID", nullptr, kProgId},
      {key + L"\\VERSION", nullptr, L"1.0"},
      {key + L"\\TypeLib", nullptr, guidText(LIBID_R58046)},
      {key + L"\\Programmable", nullptr, L""},
      {kProgId, nullptr, kProgId},
      {kProgId + L"\\CLSID", nullptr, clsid},
  });
}

HRESULT unregisterServer() {
  HostInterfaces host = HostInterfaces::read();
  HRESULT hr = S_OK;
  // Only a library that is registered is removed (unregistering twice is no failure).
  if (readValue(L"TypeLib\\" + guidText(LIBID_R58046) + L"\\1.0", nullptr).has_value() ||
      readValue(L"TypeLib\\" + guidText(LIBID_R58046) + L"\\1.0\\0\\win32", nullptr).has_value()) {
    hr = UnRegisterTypeLib(LIBID_R58046, external::ids::kTypeLibraryMajor,
                           external::ids::kTypeLibraryMinor, 0, SYS_WIN32);
  }
  host.restoreForeign();
  HRESULT removed = removeTrees({L"CLSID\\" + guidText(CLSID_Module), kProgId});
  return FAILED(hr) ? hr : removed;
}

}  // namespace
}  // namespace r58046::com

using namespace r58046;

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    com::setDllInstance(instance);
    com::setServerMaker(&com::makeDllServer);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) {
    return E_POINTER;
  }
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_Module)) {
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  return com::gFactory.QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() {
  return com::liveServers() == 0 && com::gLocks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
  try {
    return com::registerServer();
  } catch (...) {
    return com::answerCurrentException(nullptr, IID_NULL);
  }
}

STDAPI DllUnregisterServer() {
  try {
    return com::unregisterServer();
  } catch (...) {
    return com::answerCurrentException(nullptr, IID_NULL);
  }
}

// The diagnostic entry points (com/diagnostics.h): the runner's Word-call trace and the
// benchmark.
void WINAPI R58046ObserveWordCalls(R58046WordCallSink sink, void* context) {
  com::observeWordCallsWith(sink, context);
}

void WINAPI R58046UseIdentifierCache(BOOL use) {
  com::useIdentifierCache(use != FALSE);
}

}  // extern "C"
