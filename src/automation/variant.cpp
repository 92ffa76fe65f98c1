#include "automation/variant.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "automation/dispatch.h"
#include "automation/error.h"
#include "automation/text.h"

namespace r58046::automation {
namespace {

// The value of an object's default member, as VB reads it when an object is used as a value.
Variant defaultValue(const ObjectRef& object) {
  if (!object) {
    raiseError(errors::kObjectVariableNotSet);
  }
  Args none;
  return object->invoke(u"", InvokeKind::Get, none);
}

template <class I>
I toWhole(double value) {
  double r = roundHalfEven(value);
  if (std::isnan(r) || r < static_cast<double>(std::numeric_limits<I>::min()) ||
      r > static_cast<double>(std::numeric_limits<I>::max())) {
    raiseError(errors::kOverflow);
  }
  return static_cast<I>(r);
}

}  // namespace

double roundHalfEven(double value) {
  return std::nearbyint(value);
}

std::u16string formatNumber(double value, int significantDigits) {
  if (value == 0) {
    return u"0";
  }
  std::array<char, 64> buf{};
  std::snprintf(buf.data(), buf.size(), "%.*G", significantDigits, value);
  std::string s(buf.data());
  // VB writes no exponent for ordinary magnitudes and no trailing zeros.
  auto e = s.find('E');
  std::string mantissa = e == std::string::npos ? s : s.substr(0, e);
  std::string exponent = e == std::string::npos ? "" : s.substr(e);
  if (mantissa.find('.') != std::string::npos) {
    while (!mantissa.empty() && mantissa.back() == '0') {
      mantissa.pop_back();
    }
    if (!mantissa.empty() && mantissa.back() == '.') {
      mantissa.pop_back();
    }
  }
  if (!exponent.empty()) {
    // E+05 -> E+5, as VB writes it.
    std::string sign(1, exponent[1]);
    std::string digits = exponent.substr(2);
    while (digits.size() > 1 && digits[0] == '0') {
      digits.erase(0, 1);
    }
    exponent = "E" + sign + digits;
  }
  return fromUtf8(mantissa + exponent);
}

bool parseNumber(std::u16string_view text, double& out) {
  std::string s = toUtf8(trim(text));
  if (s.empty()) {
    return false;
  }
  // VB accepts a decimal comma where the locale uses one; the module's texts use a point.
  for (auto& c : s) {
    if (c == ',') {
      c = '.';
    }
  }
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return end == s.c_str() + s.size() && std::isfinite(out);
}

bool Variant::isNumeric() const {
  switch (type()) {
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
      return true;
    default:
      return false;
  }
}

double Variant::toDouble() const {
  switch (type()) {
    case VarType::Empty:
      return 0;
    case VarType::Null:
      raiseError(errors::kInvalidUseOfNull);
    case VarType::Boolean:
      return std::get<BoolValue>(value_).value;
    case VarType::Integer:
      return std::get<int16_t>(value_);
    case VarType::Long:
      return std::get<int32_t>(value_);
    case VarType::Single:
      return std::get<float>(value_);
    case VarType::Double:
      return std::get<double>(value_);
    case VarType::String: {
      const auto& s = std::get<std::u16string>(value_);
      if (equalsAsciiNoCase(trim(s), u"true")) {
        return -1;
      }
      if (equalsAsciiNoCase(trim(s), u"false")) {
        return 0;
      }
      double d = 0;
      if (!parseNumber(s, d)) {
        raiseError(errors::kTypeMismatch);
      }
      return d;
    }
    case VarType::Date:
      return std::get<DateValue>(value_).days;
    case VarType::Object:
      return defaultValue(std::get<ObjectRef>(value_)).toDouble();
    case VarType::Missing:
      raiseError(errors::kTypeMismatch);
  }
  raiseError(errors::kTypeMismatch);
}

float Variant::toSingle() const {
  if (type() == VarType::Single) {
    return std::get<float>(value_);
  }
  double d = toDouble();
  if (std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max())) {
    raiseError(errors::kOverflow);
  }
  return static_cast<float>(d);
}

int32_t Variant::toLong() const {
  return toWhole<int32_t>(toDouble());
}

int16_t Variant::toInteger() const {
  return toWhole<int16_t>(toDouble());
}

bool Variant::toBool() const {
  if (type() == VarType::Boolean) {
    return std::get<BoolValue>(value_).value != 0;
  }
  return toDouble() != 0;
}

std::u16string Variant::toString() const {
  switch (type()) {
    case VarType::Empty:
      return {};
    case VarType::Null:
      raiseError(errors::kInvalidUseOfNull);
    case VarType::Boolean:
      return std::get<BoolValue>(value_).value != 0 ? u"True" : u"False";
    case VarType::Integer:
      return fromUtf8(std::to_string(std::get<int16_t>(value_)));
    case VarType::Long:
      return fromUtf8(std::to_string(std::get<int32_t>(value_)));
    case VarType::Single:
      return formatNumber(std::get<float>(value_), 7);
    case VarType::Double:
      return formatNumber(std::get<double>(value_), 15);
    case VarType::String:
      return std::get<std::u16string>(value_);
    case VarType::Date:
      return formatNumber(std::get<DateValue>(value_).days, 15);
    case VarType::Object:
      return defaultValue(std::get<ObjectRef>(value_)).toString();
    case VarType::Missing:
      raiseError(errors::kTypeMismatch);
  }
  raiseError(errors::kTypeMismatch);
}

ObjectRef Variant::toObject() const {
  if (type() != VarType::Object) {
    raiseError(errors::kObjectRequired);
  }
  return std::get<ObjectRef>(value_);
}

std::u16string Variant::describe() const {
  switch (type()) {
    case VarType::Empty:
      return u"Empty";
    case VarType::Null:
      return u"Null";
    case VarType::Missing:
      return u"(omitted)";
    case VarType::String:
      return u"\"" + std::get<std::u16string>(value_) + u"\"";
    case VarType::Object:
      return std::get<ObjectRef>(value_) ? u"<object>" : u"Nothing";
    default:
      return toString();
  }
}

}  // namespace r58046::automation
