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
      IDispatch* dispatch = dispatchOf(module);
      HRESULT hr = dispatch->QueryInterface(iid, out);
      dispatch->Release();
      return hr;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (...) {
      return E_UNEXPECTED;
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

HRESULT registerServer() {
  std::wstring path = modulePath(dllInstance());
  if (path.empty()) {
    return SELFREG_E_CLASS;
  }
  ITypeLib* library = nullptr;
  HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
  if (FAILED(hr)) {
    return SELFREG_E_TYPELIB;
  }
  HostInterfaces host = HostInterfaces::read();
  std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
  hr = RegisterTypeLib(library, path.data(), folder.data());
  library->Release();
  host.restoreForeign();
  if (FAILED(hr)) {
    return SELFREG_E_TYPELIB;
  }

  std::wstring clsid = guidText(CLSID_Module);
  std::wstring key = L"CLSID\\" + clsid;
  bool ok = setValue(key, nullptr, kProgId) && setValue(key + L"\\InprocServer32", nullptr, path) &&
            setValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
            setValue(key + L"\\ProgID", nullptr, kProgId) &&
            setValue(key + L"\\VERSION", nullptr, L"1.0") &&
            setValue(key + L"\\TypeLib", nullptr, guidText(LIBID_R58046)) &&
            setValue(key + L"\\Programmable", nullptr, L"") &&
            setValue(kProgId, nullptr, kProgId) && setValue(kProgId + L"\\CLSID", nullptr, clsid);
  return ok ? S_OK : SELFREG_E_CLASS;
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
  bool ok = removeTree(L"CLSID\\" + guidText(CLSID_Module)) && removeTree(kProgId);
  if (FAILED(hr)) {
    return SELFREG_E_TYPELIB;
  }
  return ok ? S_OK : SELFREG_E_CLASS;
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
    return E_UNEXPECTED;
  }
}

STDAPI DllUnregisterServer() {
  try {
    return com::unregisterServer();
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // extern "C"
