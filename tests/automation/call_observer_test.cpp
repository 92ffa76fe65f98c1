// The call observer and the scope guard it rests on: an observer hears each outermost call
// once, how it ended included, and nothing when none is installed.
#include "automation/call_observer.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace r58046::automation {
namespace {

class Heard : public CallObserver {
 public:
  void observe(const ObservedCall& call) override {
    std::string line(call.member.begin(), call.member.end());
    line += call.error != nullptr ? " failed " + std::to_string(call.error->number()) : "";
    line += " " + std::to_string(call.lookups) + "/" + std::to_string(call.invokes);
    lines.push_back(line);
  }
  std::vector<std::string> lines;
};

class Observing : public ::testing::Test {
 protected:
  void SetUp() override { setCallObserver(&heard); }
  void TearDown() override { setCallObserver(nullptr); }
  Heard heard;
};

Variant callNamed(std::u16string_view member, const std::function<Variant(ObservedCall&)>& body) {
  ObservedCall call{u"Range", member, InvokeKind::Get};
  return observeCall(call, body);
}

TEST_F(Observing, EachOutermostCallIsHeardOnceWithWhatItCost) {
  Variant v = callNamed(u"Text", [](ObservedCall& cost) {
    ++cost.lookups;
    ++cost.invokes;
    // A call made while answering (a program reading its own objects) is part of this one.
    return callNamed(u"Inner", [](ObservedCall&) { return Variant(int32_t{7}); });
  });
  EXPECT_EQ(v.toLong(), 7);
  callNamed(u"Start", [](ObservedCall& cost) {
    ++cost.invokes;
    return Variant();
  });
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"Text 1/1", "Start 0/1"}));
}

TEST_F(Observing, AFailedCallIsHeardWithItsErrorAndTheNextOneStillIs) {
  EXPECT_THROW(callNamed(u"Item", [](ObservedCall&) -> Variant { raiseError(5941); }),
               AutomationError);
  // Another exception is not a Word failure: it passes unheard, and leaves no call open.
  EXPECT_THROW(callNamed(u"Odd", [](ObservedCall&) -> Variant { throw std::bad_alloc(); }),
               std::bad_alloc);
  callNamed(u"Count", [](ObservedCall&) { return Variant(); });
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"Item failed 5941 0/0", "Count 0/0"}));
}

TEST(CallObserver, WithoutOneTheCallRunsAlone) {
  int ran = 0;
  ObservedCall call{u"", u"Count", InvokeKind::Get};
  observeCall(call, [&](ObservedCall&) {
    ++ran;
    return Variant();
  });
  EXPECT_EQ(ran, 1);
}

TEST(ScopeExit, RunsOnceWhenTheScopeEndsEvenByAnExceptionUnlessReleased) {
  int runs = 0;
  {
    auto guard = scopeExit([&] { ++runs; });
    auto moved = std::move(guard);
  }
  EXPECT_EQ(runs, 1) << "a moved guard runs once";
  try {
    auto guard = scopeExit([&] { ++runs; });
    throw std::runtime_error("leaving");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(runs, 2);
  {
    auto guard = scopeExit([&] { ++runs; });
    guard.release();
  }
  EXPECT_EQ(runs, 2);
}

}  // namespace
}  // namespace r58046::automation
