// Values between the automation layer and COM: strings as BSTRs, values as VARIANTs with VB's
// kinds, objects as IDispatch both ways.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <string_view>

#include "automation/variant.h"

namespace r58046::com {

// A new BSTR (std::bad_alloc when there is no memory for it); the caller frees it.
BSTR toBstr(std::u16string_view text);
std::u16string fromBstr(BSTR text);

// A VARIANT from an automation value (the caller owns it: VariantClear). An object goes as
// the IDispatch of the COM object it wraps, or as a served Server.
void toVariant(const automation::Variant& value, VARIANT* out);
// An automation value from a VARIANT (by-reference VARIANTs are followed). A COM object
// becomes a ComObject, except an object served by this module, which is unwrapped.
// Arrays and other kinds VB has no Variant for fail with error 13.
automation::Variant fromVariant(const VARIANT& value);
// Writes a value back into a by-reference VARIANT of the caller's type.
void writeBack(const automation::Variant& value, VARIANT& ref);

// The IDispatch (added a reference) of an automation object: the COM object it wraps, or
// the Server that serves it (one per object, made on first use). Null for Nothing.
IDispatch* dispatchOf(const automation::ObjectRef& object);
// An automation object for a COM object (its own reference is added). Null gives Nothing.
automation::ObjectRef objectOf(IUnknown* unknown);

}  // namespace r58046::com
