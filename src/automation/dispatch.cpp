#include "automation/dispatch.h"

#include "automation/members.h"

namespace r58046::automation {

bool sameObject(const ObjectRef& a, const ObjectRef& b) {
  if (!a || !b) {
    return !a && !b;
  }
  return a->identity() == b->identity();
}

Variant Object::invoke(std::u16string_view name, InvokeKind kind, Args& args) const {
  if (!ref_) {
    raiseError(errors::kObjectVariableNotSet);
  }
  return ref_->invoke(name, kind, args);
}

Variant Object::invokeThrough(const Interface& through, std::u16string_view name, InvokeKind kind,
                              Args& args) const {
  if (!ref_) {
    raiseError(errors::kObjectVariableNotSet);
  }
  return ref_->invokeThrough(through, name, kind, args);
}

void Object::put(std::u16string_view name, Variant value) const {
  Args list{Arg(std::move(value))};
  invoke(name, InvokeKind::Put, list);
}

void Object::putWith(std::u16string_view name, Args args, Variant value) const {
  args.emplace_back(std::move(value));
  // Named property arguments stay after the positional ones: the value goes last among the
  // positional arguments.
  std::stable_partition(args.begin(), args.end(), [](const Arg& a) { return a.name.empty(); });
  invoke(name, InvokeKind::Put, args);
}

const Variant& CallArgs::operator[](size_t i) const {
  static const Variant kMissing = Variant::missing();
  if (i >= slots_.size() || slots_[i] == nullptr) {
    return kMissing;
  }
  return slots_[i]->get();
}

const Variant& CallArgs::required(size_t i) const {
  if (!has(i)) {
    raiseError(errors::kArgumentNotOptional);
  }
  return slots_[i]->get();
}

Variant& CallArgs::target(size_t i) {
  if (i >= slots_.size() || slots_[i] == nullptr) {
    scratch_ = Variant::missing();
    return scratch_;
  }
  return slots_[i]->target();
}

}  // namespace r58046::automation
