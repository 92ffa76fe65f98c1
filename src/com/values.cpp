#include "com/values.h"

#include <new>

#include "com/client.h"
#include "com/errors.h"
#include "com/owners.h"
#include "com/server.h"

namespace r58046::com {

using automation::ObjectRef;
using automation::Variant;
using automation::VarType;
namespace errors = automation::errors;

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
    UniqueVariant direct;
    if (FAILED(VariantCopyInd(direct.get(), const_cast<VARIANT*>(&value)))) {
      automation::raiseError(errors::kTypeMismatch);
    }
    return fromVariant(*direct);
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
      UniqueVariant number;
      if (FAILED(VariantChangeType(number.get(), const_cast<VARIANT*>(&value), 0, VT_R8))) {
        automation::raiseError(errors::kOverflow);
      }
      return Variant(V_R8(number.get()));
    }
    default:
      automation::raiseError(errors::kTypeMismatch);
  }
}

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
      UniqueBstr previous(std::exchange(*V_BSTRREF(&ref), toBstr(value.toString())));
      break;
    }
    case VT_DISPATCH: {
      auto previous = ComPtr<IDispatch>::adopt(
          std::exchange(*V_DISPATCHREF(&ref), dispatchOf(value.toObject())));
      break;
    }
    default:
      break;  // a kind the module never writes back
  }
}

IDispatch* dispatchOf(const ObjectRef& object) {
  if (!object) {
    return nullptr;
  }
  if (auto* client = dynamic_cast<ComObject*>(object.get())) {
    return ComPtr<IDispatch>::share(client->dispatch()).detach();
  }
  return serve(object);
}

ObjectRef objectOf(IUnknown* unknown) {
  if (unknown == nullptr) {
    return nullptr;
  }
  ComPtr<IUnknown> canonical;
  if (FAILED(unknown->QueryInterface(IID_IUnknown, canonical.putVoid()))) {
    automation::raiseError(errors::kTypeMismatch);
  }
  if (ObjectRef served = servedObject(canonical.get())) {
    return served;
  }
  ComPtr<IDispatch> dispatch;
  HRESULT hr = unknown->QueryInterface(IID_IDispatch, dispatch.putVoid());
  if (FAILED(hr)) {
    raiseFailure(hr == E_NOINTERFACE ? DISP_E_TYPEMISMATCH : hr);
  }
  return std::make_shared<ComObject>(dispatch.get());
}

}  // namespace r58046::com
