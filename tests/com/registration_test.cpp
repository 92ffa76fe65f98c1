// Registry writes keep the registry's own status, so that regsvr32 can tell why a
// registration failed.
#include "com/registration.h"

#include <gtest/gtest.h>

namespace {

using r58046::com::readValue;
using r58046::com::removeTrees;
using r58046::com::setValues;

const std::wstring kKey = L"R58046.RegistrationTest";

class Registration : public ::testing::Test {
 protected:
  void TearDown() override { removeTrees({kKey}); }
};

TEST_F(Registration, SetsValuesInOrderAndRemovesKeysThatAreThereOrNot) {
  EXPECT_EQ(setValues({{kKey, nullptr, L"default"}, {kKey + L"\\Sub", L"Named", L"value"}}), S_OK);
  EXPECT_EQ(readValue(kKey, nullptr).value_or(L""), L"default");
  EXPECT_EQ(readValue(kKey + L"\\Sub", L"Named").value_or(L""), L"value");
  EXPECT_EQ(removeTrees({kKey, kKey + L".Absent"}), S_OK);
  EXPECT_FALSE(readValue(kKey, nullptr).has_value());
}

TEST_F(Registration, AFailedWriteGivesTheRegistrysStatusAndStops) {
  // A key the registry refuses to make: a lasting key under a volatile one.
  HKEY volatileKey = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, kKey.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_WRITE, nullptr, &volatileKey, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(volatileKey);
  EXPECT_EQ(setValues({{kKey + L"\\Lasting", nullptr, L"refused"}, {kKey, L"After", L"never"}}),
            HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE));
  EXPECT_FALSE(readValue(kKey, L"After").has_value()) << "nothing is written after a failure";
}

}  // namespace
