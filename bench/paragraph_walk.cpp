// The cost of walking a document paragraph by paragraph through automation, as the module
// does (Paragraphs(i).Range.Text for i = 1 to Paragraphs.Count), for documents of growing
// size: the time per paragraph must stay flat (a linear walk), not grow with the document.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>

#include "automation/dispatch.h"
#include "automation/text.h"
#include "simword/document.h"
#include "simword/session.h"

namespace {

using r58046::automation::Object;
using r58046::simword::Document;
using r58046::simword::DocumentHost;
using r58046::simword::WordSession;

// A Word that holds nothing but the document.
class BenchHost : public DocumentHost {
 public:
  r58046::automation::ObjectRef application() override { return nullptr; }
  void activate(Document&) override {}
  void closed(Document&) override {}
  void renamed(Document&) override {}
  r58046::automation::ObjectRef windowOf(Document&) override { return nullptr; }
  r58046::platform::FileSystem& files() override { std::abort(); }
  std::u16string userTemplatesFolder() override { return u"/tmp"; }
};

void ParagraphWalk(benchmark::State& state) {
  auto paragraphs = static_cast<int32_t>(state.range(0));
  auto session = std::make_shared<WordSession>();
  BenchHost host;
  auto document = Document::create(session, host, u"Document1", std::nullopt, false);
  std::u16string text;
  for (int32_t i = 1; i <= paragraphs; ++i) {
    text += u"Paragraph " + r58046::automation::fromUtf8(std::to_string(i)) + u"\r";
  }
  Object doc(document);
  Object(doc.get(u"Content")).put(u"Text", text);

  for (auto _ : state) {
    Object all(doc.get(u"Paragraphs"));
    int32_t count = all.get(u"Count").toLong();
    size_t characters = 0;
    for (int32_t i = 1; i <= count; ++i) {
      Object paragraph(all.get(u"Item", i));
      characters += Object(paragraph.get(u"Range")).get(u"Text").toString().size();
    }
    benchmark::DoNotOptimize(characters);
  }
  state.SetComplexityN(paragraphs);
  state.counters["paragraphs"] = paragraphs;
  state.counters["per_paragraph"] = benchmark::Counter(
      static_cast<double>(paragraphs),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(ParagraphWalk)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
