// Failures between COM and the automation layer: HRESULTs as the VB error numbers a program
// sees and back, the error a failed call raises (from EXCEPINFO, IErrorInfo or the HRESULT
// alone), and the diagnostic trace of failures on the error output (R58046_TRACE).
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/error.h"

namespace r58046::com {

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

// Raises the AutomationError a VB program sees for a failed call: from EXCEPINFO when the
// call answered DISP_E_EXCEPTION (given; its strings are freed), else from the object's
// IErrorInfo when it has one for this interface (object given), else from the HRESULT
// alone.
[[noreturn]] void raiseFailure(HRESULT hr, EXCEPINFO* info = nullptr, IUnknown* object = nullptr,
                               REFIID iid = IID_NULL);

// The exception being handled (call it inside a catch block) as an AutomationError: an
// AutomationError as it is; std::bad_alloc as E_OUTOFMEMORY; any other exception as
// E_UNEXPECTED, keeping its text as the description, so that the cause of an unexpected
// failure reaches the caller and the trace.
automation::AutomationError currentFailure();

// Whether R58046_TRACE is set in the environment: the Windows programs then tell failures
// on their error output (a diagnostic of the tests under Wine, which keep it in their logs).
bool tracing();
// When tracing, tells a failed COM call: the time in milliseconds, the step, what was
// called and the HRESULT.
void traceFailure(std::u16string_view what, const char* step, HRESULT hr);
// When tracing, tells a failure with its number and description.
void traceFailure(std::u16string_view what, const char* step,
                  const automation::AutomationError& error);

}  // namespace r58046::com
