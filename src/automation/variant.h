// Variant: the value of late binding, with VB's kinds and VB's conversions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

namespace r58046::automation {

class Dispatch;

// A reference to an automation object; empty is VB's Nothing.
using ObjectRef = std::shared_ptr<Dispatch>;

// VB's value kinds (the order is the index of the stored alternative).
enum class VarType : uint8_t {
  Empty,    // an uninitialised Variant
  Null,     // VB's Null
  Boolean,  // 16-bit, True = -1, False = 0
  Integer,  // 16-bit integer
  Long,     // 32-bit integer
  Single,   // single-precision number
  Double,   // double-precision number
  String,   // UTF-16 text, as a BSTR
  Date,     // an OLE date: days since 30 December 1899
  Object,   // an object reference, possibly Nothing
  Missing,  // an omitted optional argument
};

struct NullTag {
  bool operator==(const NullTag&) const = default;
};
struct MissingTag {
  bool operator==(const MissingTag&) const = default;
};
struct BoolValue {
  int16_t value;  // -1 or 0
  bool operator==(const BoolValue&) const = default;
};
struct DateValue {
  double days;
  bool operator==(const DateValue&) const = default;
};

class Variant {
 public:
  Variant() = default;
  Variant(int16_t v) : value_(v) {}                    // NOLINT(google-explicit-constructor)
  Variant(int32_t v) : value_(v) {}                    // NOLINT(google-explicit-constructor)
  Variant(float v) : value_(v) {}                      // NOLINT(google-explicit-constructor)
  Variant(double v) : value_(v) {}                     // NOLINT(google-explicit-constructor)
  Variant(std::u16string v) : value_(std::move(v)) {}  // NOLINT(google-explicit-constructor)
  Variant(std::u16string_view v) : value_(std::u16string(v)) {}  // NOLINT
  Variant(const char16_t* v) : value_(std::u16string(v)) {}      // NOLINT
  Variant(ObjectRef v) : value_(std::move(v)) {}  // NOLINT(google-explicit-constructor)
  // NOLINTBEGIN(google-explicit-constructor)
  template <class T>
  requires std::is_base_of_v<Dispatch, T> Variant(std::shared_ptr<T> v)
      : value_(ObjectRef(std::move(v))) {}
  // NOLINTEND(google-explicit-constructor)
  Variant(DateValue v) : value_(v) {}  // NOLINT(google-explicit-constructor)

  static Variant boolean(bool v) { return Variant(BoolValue{static_cast<int16_t>(v ? -1 : 0)}); }
  static Variant null() { return Variant(NullTag{}); }
  static Variant missing() { return Variant(MissingTag{}); }
  static Variant nothing() { return Variant(ObjectRef{}); }

  VarType type() const { return static_cast<VarType>(value_.index()); }
  bool isEmpty() const { return type() == VarType::Empty; }
  bool isNull() const { return type() == VarType::Null; }
  bool isMissing() const { return type() == VarType::Missing; }
  bool isObject() const { return type() == VarType::Object; }
  bool isString() const { return type() == VarType::String; }
  bool isNothing() const { return isObject() && !std::get<ObjectRef>(value_); }
  bool isNumeric() const;  // Boolean, Integer, Long, Single, Double

  // VB's conversions: CBool, CInt, CLng, CSng, CDbl, CStr. Integer conversions round half
  // to even and fail with error 6 (overflow) out of range; a text that is no number fails
  // with error 13; an object converts through its default member.
  bool toBool() const;
  int16_t toInteger() const;
  int32_t toLong() const;
  float toSingle() const;
  double toDouble() const;
  std::u16string toString() const;
  // The object held; error 424 (object required) for anything else.
  ObjectRef toObject() const;

  // The stored value without conversion (the caller knows the kind).
  const std::u16string& stringRef() const { return std::get<std::u16string>(value_); }
  const ObjectRef& objectRef() const { return std::get<ObjectRef>(value_); }

  // Same kind and same value (objects: the same reference). For tests and tables.
  bool operator==(const Variant& other) const { return value_ == other.value_; }

  // A readable form for messages: strings quoted, objects as <object>.
  std::u16string describe() const;

 private:
  explicit Variant(NullTag v) : value_(v) {}
  explicit Variant(MissingTag v) : value_(v) {}
  explicit Variant(BoolValue v) : value_(v) {}

  std::variant<std::monostate, NullTag, BoolValue, int16_t, int32_t, float, double, std::u16string,
               DateValue, ObjectRef, MissingTag>
      value_;
};

// Rounds half to even, as VB's CInt and CLng do.
double roundHalfEven(double value);

// Formats a number as VB's CStr does (7 significant digits for a Single, 15 for a Double).
std::u16string formatNumber(double value, int significantDigits);

// Parses a number the way VB converts a text to a number; false when the text is none.
bool parseNumber(std::u16string_view text, double& out);

// Single-precision equality: both values rounded to single precision first.
inline bool singleEquals(double a, double b) {
  return static_cast<float>(a) == static_cast<float>(b);
}

}  // namespace r58046::automation
