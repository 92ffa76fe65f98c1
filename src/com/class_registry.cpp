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

}  // namespace

automation::ObjectRef ComClassRegistry::getActiveObject(std::u16string_view progId) {
  CLSID clsid = classOf(progId);
  ComPtr<IUnknown> unknown;
  if (FAILED(GetActiveObject(clsid, nullptr, unknown.put())) || !unknown) {
    automation::raiseError(errors::kCannotCreateObject);
  }
  return objectOf(unknown.get());
}

automation::ObjectRef ComClassRegistry::createObject(std::u16string_view progId) {
  CLSID clsid = classOf(progId);
  ComPtr<IUnknown> unknown;
  HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IUnknown, unknown.putVoid());
  if (FAILED(hr) || !unknown) {
    traceFailure(progId, "CoCreateInstance", hr);
    automation::raiseError(errors::kCannotCreateObject);
  }
  return objectOf(unknown.get());
}

}  // namespace r58046::com
