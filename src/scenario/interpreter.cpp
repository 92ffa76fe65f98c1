#include "scenario/interpreter.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "automation/error.h"
#include "automation/text.h"
#include "scenario/constants.h"

namespace r58046::scenario {

using automation::Arg;
using automation::Args;
using automation::InvokeKind;
using automation::Object;
using automation::ObjectRef;
using automation::raiseError;
using automation::Variant;
using automation::VarType;
namespace errors = automation::errors;

namespace {

constexpr int32_t kDivisionByZero = 11;

// Windows-1252, the code page of VB's Chr on a Western system, for 128 to 159.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

[[noreturn]] void notAProcedure(std::u16string_view name) {
  raiseError(errors::kInvalidProcedureCall,
             u"Expected a procedure, not a value: " + std::u16string(name));
}

// The numeric kinds of VB's arithmetic, narrowest first.
enum class NumKind { Integer, Long, Single, Double };

NumKind kindOf(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
      return NumKind::Integer;
    case VarType::Long:
      return NumKind::Long;
    case VarType::Single:
      return NumKind::Single;
    default:
      return NumKind::Double;
  }
}

// The kind of a result: the wider operand's, except that a Long with a Single gives a
// Double, as in VB.
NumKind resultKind(NumKind a, NumKind b) {
  if ((a == NumKind::Long && b == NumKind::Single) ||
      (a == NumKind::Single && b == NumKind::Long)) {
    return NumKind::Double;
  }
  return a > b ? a : b;
}

// A result in its kind, widened instead of overflowing.
Variant number(double value, NumKind kind) {
  switch (kind) {
    case NumKind::Integer:
      if (value >= std::numeric_limits<int16_t>::min() &&
          value <= std::numeric_limits<int16_t>::max()) {
        return Variant(static_cast<int16_t>(value));
      }
      [[fallthrough]];
    case NumKind::Long:
      if (value >= std::numeric_limits<int32_t>::min() &&
          value <= std::numeric_limits<int32_t>::max()) {
        return Variant(static_cast<int32_t>(value));
      }
      return Variant(value);
    case NumKind::Single:
      return Variant(static_cast<float>(value));
    case NumKind::Double:
      break;
  }
  return Variant(value);
}

Variant negate(const Variant& v) {
  return number(-v.toDouble(), kindOf(v));
}

Variant arithmetic(char16_t op, const Variant& l, const Variant& r) {
  if (op == u'&') {
    return Variant((l.isNull() ? std::u16string() : l.toString()) +
                   (r.isNull() ? std::u16string() : r.toString()));
  }
  if (op == u'+' && l.isString() && r.isString()) {
    return Variant(l.stringRef() + r.stringRef());
  }
  double a = l.toDouble();
  double b = r.toDouble();
  NumKind kind = resultKind(kindOf(l), kindOf(r));
  switch (op) {
    case u'+':
      return number(a + b, kind);
    case u'-':
      return number(a - b, kind);
    case u'*':
      return number(a * b, kind);
    case u'/':
      if (b == 0) {
        raiseError(kDivisionByZero, u"Division by zero");
      }
      return number(a / b, kind == NumKind::Single ? NumKind::Single : NumKind::Double);
    default:
      raiseError(errors::kInvalidProcedureCall);
  }
}

Variant chr(const Link& link, const Variant& code) {
  bool wide = link.name.size() == 4;  // ChrW
  int32_t n = valueOf(code).toLong();
  if (wide) {
    if (n < -32768 || n > 65535) {
      raiseError(errors::kInvalidProcedureCall);
    }
    return Variant(std::u16string(1, static_cast<char16_t>(n & 0xFFFF)));
  }
  if (n < 0 || n > 255) {
    raiseError(errors::kInvalidProcedureCall);
  }
  char16_t c = (n >= 0x80 && n < 0xA0) ? kCp1252High[n - 0x80] : static_cast<char16_t>(n);
  return Variant(std::u16string(1, c));
}

bool isChr(std::u16string_view name) {
  return automation::equalsAsciiNoCase(name, u"Chr") ||
         automation::equalsAsciiNoCase(name, u"ChrW");
}

bool isBuiltIn(std::u16string_view name) {
  return isChr(name) || automation::equalsAsciiNoCase(name, u"Application") ||
         constantValue(name).has_value();
}

}  // namespace

Variant valueOf(const Variant& value) {
  if (!value.isObject()) {
    return value;
  }
  if (value.isNothing()) {
    raiseError(errors::kObjectVariableNotSet);
  }
  Args none;
  return value.objectRef()->invoke(u"", InvokeKind::Get, none);
}

bool Interpreter::hasVariable(std::u16string_view name) const {
  return variables_.contains(automation::lower(name));
}

ObjectRef Interpreter::global() {
  ObjectRef g = global_ ? global_() : ObjectRef{};
  if (!g) {
    raiseError(errors::kObjectVariableNotSet, u"No Word application to run the statement in");
  }
  return g;
}

Args Interpreter::arguments(const Link& link) {
  Args args;
  args.reserve(link.arguments.size());
  for (const Argument& a : link.arguments) {
    if (!a.value) {
      args.push_back(Arg::omitted());
    } else if (a.name.empty()) {
      args.emplace_back(evaluate(*a.value));
    } else {
      args.push_back(Arg::named(a.name, evaluate(*a.value)));
    }
  }
  return args;
}

Variant Interpreter::root(const Link& link, InvokeKind kind) {
  auto it = variables_.find(automation::lower(link.name));
  if (it != variables_.end()) {
    if (link.hasArguments) {
      // A variable holding a collection: its default member takes the arguments.
      Args args = arguments(link);
      return Object(it->second.toObject()).invoke(u"", kind, args);
    }
    if (kind == InvokeKind::Method) {
      notAProcedure(link.name);
    }
    return it->second;
  }
  if (isChr(link.name)) {
    if (link.arguments.size() != 1 || !link.arguments[0].value || !link.arguments[0].name.empty()) {
      raiseError(errors::kArgumentNotOptional);
    }
    if (kind == InvokeKind::Method) {
      notAProcedure(link.name);
    }
    return chr(link, evaluate(*link.arguments[0].value));
  }
  if (!link.hasArguments) {
    if (auto constant = constantValue(link.name)) {
      if (kind == InvokeKind::Method) {
        notAProcedure(link.name);
      }
      return *constant;
    }
    if (automation::equalsAsciiNoCase(link.name, u"Application")) {
      if (kind == InvokeKind::Method) {
        notAProcedure(link.name);
      }
      return Variant(global());
    }
  }
  ObjectRef g = global();
  Args args = arguments(link);
  return Object(g).invoke(link.name, kind, args);
}

Variant Interpreter::chain(const std::vector<Link>& links, size_t count, InvokeKind lastKind) {
  Variant current = root(links[0], count == 1 ? lastKind : InvokeKind::Get);
  for (size_t i = 1; i < count; ++i) {
    Object target(current.toObject());
    Args args = arguments(links[i]);
    current = target.invoke(links[i].name, i + 1 == count ? lastKind : InvokeKind::Get, args);
  }
  return current;
}

void Interpreter::execute(const Statement& statement) {
  const std::vector<Link>& target = statement.target;
  const Link& last = target.back();
  switch (statement.kind) {
    case Statement::Kind::Call:
      chain(target, target.size(), InvokeKind::Method);
      return;
    case Statement::Kind::Assign:
    case Statement::Kind::Set: {
      bool set = statement.kind == Statement::Kind::Set;
      if (target.size() == 1) {
        Variant value = evaluate(*statement.value);
        if (set && !value.isObject()) {
          raiseError(errors::kObjectRequired);
        }
        if (!set) {
          value = valueOf(value);
        }
        auto key = automation::lower(last.name);
        auto it = variables_.find(key);
        if (!last.hasArguments) {
          if (it != variables_.end() || set) {
            variables_[key] = std::move(value);
          } else if (isApplicationMember(last.name)) {
            Object(global()).put(last.name, std::move(value));
          } else if (isBuiltIn(last.name)) {
            raiseError(errors::kInvalidProcedureCall,
                       u"Cannot assign to " + std::u16string(last.name));
          } else {
            variables_.emplace(std::move(key), std::move(value));
          }
          return;
        }
        Args args = arguments(last);
        if (it != variables_.end()) {
          Object(it->second.toObject()).putWith(u"", std::move(args), std::move(value));
        } else {
          Object(global()).putWith(last.name, std::move(args), std::move(value));
        }
        return;
      }
      Object owner(chain(target, target.size() - 1, InvokeKind::Get).toObject());
      Args args = arguments(last);
      Variant value = evaluate(*statement.value);
      if (set && !value.isObject()) {
        raiseError(errors::kObjectRequired);
      }
      owner.putWith(last.name, std::move(args), set ? std::move(value) : valueOf(value));
      return;
    }
  }
}

Variant Interpreter::evaluate(const Expression& e) {
  switch (e.kind) {
    case Expression::Kind::Literal:
      return e.literal;
    case Expression::Kind::Chain:
      return chain(e.chain, e.chain.size(), InvokeKind::Get);
    case Expression::Kind::Negate:
      return negate(valueOf(evaluate(*e.left)));
    case Expression::Kind::Binary: {
      Variant l = valueOf(evaluate(*e.left));
      Variant r = valueOf(evaluate(*e.right));
      return arithmetic(e.op, l, r);
    }
  }
  return {};
}

}  // namespace r58046::scenario
