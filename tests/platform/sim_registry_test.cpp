#include "platform/sim_registry.h"

#include <gtest/gtest.h>

#include "automation/dispatch.h"
#include "support/error_of.h"

using namespace r58046::automation;
using namespace r58046::platform;

namespace {

class Thing : public Dispatch {
 public:
  Variant invoke(std::u16string_view /*name*/, InvokeKind /*kind*/, Args& /*args*/) override {
    raiseError(errors::kMemberNotSupported);
  }
};

using r58046::testsupport::errorOf;

TEST(SimRegistry, AttachesToTheOldestRunningObjectStillAlive) {
  SimRegistry registry;
  EXPECT_EQ(errorOf([&] { registry.getActiveObject(u"Word.application.11"); }), 429);

  auto first = std::make_shared<Thing>();
  auto second = std::make_shared<Thing>();
  registry.registerRunning(u"Word.Application.11", first);
  registry.registerRunning(u"Word.Application.11", second);
  EXPECT_EQ(registry.getActiveObject(u"WORD.APPLICATION.11"), first);

  // A program that ends without revoking is no longer found; revoking drops one entry.
  first.reset();
  EXPECT_EQ(registry.getActiveObject(u"word.application.11"), second);
  registry.revokeRunning(u"Word.application.11", second);
  EXPECT_EQ(errorOf([&] { registry.getActiveObject(u"Word.application.11"); }), 429);
}

TEST(SimRegistry, CreatesThroughTheFactoryOrFailsWith429) {
  SimRegistry registry;
  EXPECT_EQ(errorOf([&] { registry.createObject(u"Word.application.11"); }), 429);

  int started = 0;
  registry.registerClass(u"Word.Application.11", [&] {
    ++started;
    return std::make_shared<Thing>();
  });
  ObjectRef a = registry.createObject(u"word.application.11");
  ObjectRef b = registry.createObject(u"WORD.APPLICATION.11");
  EXPECT_TRUE(a && b && a != b);
  EXPECT_EQ(started, 2);

  registry.registerClass(u"Broken.App",
                         []() -> ObjectRef { raiseError(errors::kWordCommandFailed); });
  registry.registerClass(u"Empty.App", [] { return ObjectRef{}; });
  EXPECT_EQ(errorOf([&] { registry.createObject(u"Broken.App"); }), 429);
  EXPECT_EQ(errorOf([&] { registry.createObject(u"Empty.App"); }), 429);
}

}  // namespace
