// The question classes by number: InitQuestion creates the question of a number through
// this table and talks to it only late-bound.
#pragma once

#include <cstdint>

#include "automation/dispatch.h"
#include "platform/platform.h"

namespace r58046::questions {

// A new object of the class of that number (201 to 221); Nothing for a number without a
// class.
automation::ObjectRef CreeQuestion(int32_t ilQuestion, const platform::Platform& platform);

// One creator per class, each defined beside its class (questionNNNN.cpp) and listed in the
// table of registry.cpp.
automation::ObjectRef CreeQuestion0201(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0202(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0203(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0204(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0205(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0206(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0207(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0208(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0209(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0210(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0211(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0212(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0213(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0214(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0215(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0216(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0217(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0218(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0219(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0220(const platform::Platform& platform);
automation::ObjectRef CreeQuestion0221(const platform::Platform& platform);

}  // namespace r58046::questions
