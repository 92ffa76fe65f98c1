#include "support/fake_object.h"

#include "automation/error.h"
#include "automation/text.h"

namespace r58046::testsupport {

using automation::Args;
using automation::InvokeKind;
using automation::Variant;

FakeObject::FakeObject(std::string label, std::shared_ptr<Journal> journal)
    : label_(std::move(label)), journal_(std::move(journal)) {}

FakeObject& FakeObject::answer(std::u16string_view name, Handler handler) {
  handlers_[automation::asciiLower(name)] = std::move(handler);
  return *this;
}

FakeObject& FakeObject::value(std::u16string_view name, Variant v) {
  const std::u16string key = automation::asciiLower(name);
  handlers_.erase(key);
  values_[key] = std::move(v);
  return *this;
}

FakeObject& FakeObject::fail(std::u16string_view name, int32_t number) {
  return on(name, [number](Args&) -> Variant { automation::raiseError(number, {}, u"Word"); });
}

Variant FakeObject::stored(std::u16string_view name) const {
  auto it = values_.find(automation::asciiLower(name));
  return it == values_.end() ? Variant() : it->second;
}

int FakeObject::count(std::u16string_view name) const {
  int n = 0;
  for (const auto& called : log_) {
    n += automation::equalsAsciiNoCase(called, name) ? 1 : 0;
  }
  return n;
}

Variant FakeObject::invoke(std::u16string_view name, InvokeKind kind, Args& args) {
  log_.emplace_back(name);
  if (journal_) {
    std::string entry = label_ + "." + automation::toUtf8(name) + ":" +
                        (kind == InvokeKind::Get   ? "G"
                         : kind == InvokeKind::Put ? "P"
                                                   : "M") +
                        "(";
    for (size_t i = 0; i < args.size(); ++i) {
      entry += i == 0 ? "" : ",";
      if (!args[i].name.empty()) {
        entry += automation::toUtf8(args[i].name) + ":=";
      }
      entry += args[i].isMissing() ? "_" : automation::toUtf8(args[i].get().describe());
    }
    journal_->push_back(entry + ")");
  }
  const std::u16string key = automation::asciiLower(name);
  if (auto handler = handlers_.find(key); handler != handlers_.end()) {
    return handler->second(kind, args);
  }
  if (kind == InvokeKind::Put) {
    values_[key] = args.back().get();
    return {};
  }
  if (auto value = values_.find(key); value != values_.end()) {
    return value->second;
  }
  automation::raiseError(automation::errors::kMemberNotSupported);
}

}  // namespace r58046::testsupport
