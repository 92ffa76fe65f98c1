#include "com/errors.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "automation/text.h"
#include "com/owners.h"
#include "com/values.h"

namespace r58046::com {

using automation::AutomationError;
namespace errors = automation::errors;

namespace {

std::u16string systemText(HRESULT hr) {
  LPWSTR buffer = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  auto freeBuffer = scopeExit([&buffer] { LocalFree(buffer); });
  std::u16string text;
  if (n > 0 && buffer != nullptr) {
    text.assign(reinterpret_cast<const char16_t*>(buffer), n);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
      text.pop_back();
    }
  }
  return text;
}

// The error of a call that answered DISP_E_EXCEPTION, from its EXCEPINFO.
AutomationError exceptionOf(EXCEPINFO& info) {
  if (info.pfnDeferredFillIn != nullptr) {
    info.pfnDeferredFillIn(&info);
  }
  UniqueBstr source(std::exchange(info.bstrSource, nullptr));
  UniqueBstr description(std::exchange(info.bstrDescription, nullptr));
  UniqueBstr helpFile(std::exchange(info.bstrHelpFile, nullptr));
  int32_t number = info.wCode != 0 ? info.wCode : vbNumberOf(info.scode);
  std::u16string text = fromBstr(description.get());
  if (text.empty()) {
    text = automation::standardDescription(number);
    if (text.empty()) {
      text = describeHresult(info.scode);
    }
  }
  return AutomationError(number, fromBstr(source.get()), std::move(text));
}

}  // namespace

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

void raiseFailure(HRESULT hr, EXCEPINFO* info, IUnknown* object, REFIID iid) {
  if (hr == DISP_E_EXCEPTION && info != nullptr) {
    throw exceptionOf(*info);
  }
  int32_t number = vbNumberOf(hr);
  std::u16string source(automation::kModuleSource);
  std::u16string description = automation::standardDescription(number);
  if (description.empty()) {
    description = describeHresult(hr);
  }
  ComPtr<ISupportErrorInfo> support;
  ComPtr<IErrorInfo> error;
  if (object != nullptr &&
      SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, support.putVoid())) &&
      support->InterfaceSupportsErrorInfo(iid) == S_OK && GetErrorInfo(0, error.put()) == S_OK &&
      error) {
    UniqueBstr text;
    if (SUCCEEDED(error->GetSource(text.put()))) {
      source = fromBstr(text.get());
    }
    if (SUCCEEDED(error->GetDescription(text.put())) && text.get() != nullptr) {
      description = fromBstr(text.get());
    }
  }
  throw AutomationError(number, std::move(source), std::move(description));
}

AutomationError currentFailure() {
  try {
    throw;
  } catch (const AutomationError& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return AutomationError(static_cast<int32_t>(E_OUTOFMEMORY),
                           std::u16string(automation::kModuleSource),
                           automation::standardDescription(7));
  } catch (const std::exception& e) {
    std::u16string text = automation::fromUtf8(e.what());
    return AutomationError(static_cast<int32_t>(E_UNEXPECTED),
                           std::u16string(automation::kModuleSource),
                           text.empty() ? describeHresult(E_UNEXPECTED) : text);
  } catch (...) {
    return AutomationError(static_cast<int32_t>(E_UNEXPECTED),
                           std::u16string(automation::kModuleSource),
                           describeHresult(E_UNEXPECTED));
  }
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

void traceFailure(std::u16string_view what, const char* step, const AutomationError& error) {
  if (tracing()) {
    std::fprintf(stderr, "[%lu] %s %s failed: %ld %s\n", GetTickCount(), step,
                 automation::toUtf8(what).c_str(), static_cast<long>(error.number()),
                 automation::toUtf8(error.description()).c_str());
  }
}

}  // namespace r58046::com
