#include "scenario/word_call_trace.h"

#include <sstream>

#include "automation/text.h"
#include "scenario/text_output.h"
#include "scenario/world.h"

namespace r58046::scenario {

using automation::InvokeKind;

namespace {

std::u16string_view kindText(InvokeKind kind) {
  switch (kind) {
    case InvokeKind::Get:
      return u"get";
    case InvokeKind::Put:
      return u"put";
    case InvokeKind::Method:
      return u"call";
  }
  return u"call";
}

std::string countText(size_t count) {
  return std::to_string(count) + (count == 1 ? " Word call" : " Word calls");
}

}  // namespace

HostCallRecording::HostCallRecording(World& world, std::vector<HostCallTrace>* trace, int line,
                                     std::u16string hostCall)
    : world_(world), trace_(trace) {
  entry_.line = line;
  entry_.hostCall = std::move(hostCall);
  if (trace_ != nullptr) {
    entry_.observed = world_.observeWordCalls(this);
  }
}

HostCallRecording::~HostCallRecording() {
  if (trace_ == nullptr) {
    return;
  }
  if (entry_.observed) {
    world_.observeWordCalls(nullptr);
  }
  if (!(leaveOutWhenEmpty_ && entry_.wordCalls.empty())) {
    trace_->push_back(std::move(entry_));
  }
}

void HostCallRecording::observe(const automation::ObservedCall& call) {
  WordCall c{std::u16string(call.interfaceName), std::u16string(call.member), call.kind,
             std::nullopt};
  if (call.error != nullptr) {
    c.error = *call.error;
  }
  entry_.wordCalls.push_back(std::move(c));
}

std::u16string describeWordCall(const WordCall& call) {
  std::u16string out = call.interfaceName.empty() ? u"Object" : call.interfaceName;
  out += u".";
  out += call.member.empty() ? u"(default member)" : call.member;
  out += u" ";
  out += kindText(call.kind);
  if (call.error) {
    out += u" failed with " + describeError(*call.error);
  }
  return out;
}

std::string formatTrace(const std::string& file, const std::vector<HostCallTrace>& trace) {
  if (trace.empty()) {
    return {};
  }
  std::ostringstream out;
  out << file << ": Word calls\n";
  for (const HostCallTrace& host : trace) {
    out << "  ";
    if (host.line > 0) {
      out << "line " << host.line;
    } else {
      out << "end of file";
    }
    out << ": " << automation::toUtf8(host.hostCall) << "\n";
    if (!host.observed) {
      out << "    (this world cannot tell the module's Word calls)\n";
      continue;
    }
    for (const WordCall& call : host.wordCalls) {
      out << "    " << automation::toUtf8(describeWordCall(call)) << "\n";
    }
    out << "    " << countText(host.wordCalls.size()) << "\n";
  }
  return out.str();
}

std::string traceJson(const std::vector<HostCallTrace>& trace) {
  std::ostringstream out;
  out << "[";
  for (size_t i = 0; i < trace.size(); ++i) {
    const HostCallTrace& host = trace[i];
    out << (i == 0 ? "" : ", ") << "{\"line\": " << host.line
        << ", \"hostCall\": " << jsonString(host.hostCall);
    if (!host.observed) {
      out << ", \"observed\": false}";
      continue;
    }
    out << ", \"wordCalls\": [";
    for (size_t k = 0; k < host.wordCalls.size(); ++k) {
      const WordCall& call = host.wordCalls[k];
      out << (k == 0 ? "" : ", ") << "{\"interface\": " << jsonString(call.interfaceName)
          << ", \"member\": " << jsonString(call.member)
          << ", \"kind\": " << jsonString(kindText(call.kind));
      if (call.error) {
        out << ", \"error\": " << call.error->number()
            << ", \"description\": " << jsonString(call.error->description());
      }
      out << "}";
    }
    out << "], \"count\": " << host.wordCalls.size() << "}";
  }
  out << "]";
  return out.str();
}

}  // namespace r58046::scenario
