#include "com/class_registry.h"

#include <windows.h>

#include <ole2.h>
#include <oleauto.h>

#include <string>

#include "com/bridge.h"

namespace r58046::com {
namespace {

namespace errors = automation::errors;

CLSID classOf(std::u16string_view progId) {
  std::wstring name(progId.begin(), progId.end());
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(name.c_str(), &clsid))) {
    automation::raiseError(errors::kCannotCreateObject);
  }
  return clsid;
}

automation::ObjectRef adopt(IUnknown* unknown) {
  automation::ObjectRef object;
  try {
    object = objectOf(unknown);
  } catch (...) {
    unknown->Release();
    throw;
  }
  unknown->Release();
  return object;
}

}  // namespace

automation::ObjectRef ComClassRegistry::getActiveObject(std::u16string_view progId) {
  CLSID clsid = classOf(progId);
  IUnknown* unknown = nullptr;
  if (FAILED(GetActiveObject(clsid, nullptr, &unknown)) || unknown == nullptr) {
    automation::raiseError(errors::kCannotCreateObject);
  }
  return adopt(unknown);
}

automation::ObjectRef ComClassRegistry::createObject(std::u16string_view progId) {
  CLSID clsid = classOf(progId);
  IUnknown* unknown = nullptr;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&unknown));
  if (FAILED(hr) || unknown == nullptr) {
    traceFailure(progId, "CoCreateInstance", hr);
    automation::raiseError(errors::kCannotCreateObject);
  }
  return adopt(unknown);
}

}  // namespace r58046::com
