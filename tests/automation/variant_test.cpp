#include <gtest/gtest.h>

#include "automation/error.h"
#include "automation/variant.h"
#include "support/error_of.h"

using namespace r58046::automation;

using r58046::testsupport::errorOf;

TEST(Variant, BooleansAreMinusOneAndZero) {
  EXPECT_EQ(Variant::boolean(true).toLong(), -1);
  EXPECT_EQ(Variant::boolean(false).toLong(), 0);
  EXPECT_EQ(Variant::boolean(true).toString(), u"True");
  EXPECT_TRUE(Variant(int32_t{-1}).toBool());
  EXPECT_FALSE(Variant(0.0).toBool());
  EXPECT_TRUE(Variant(u"True").toBool());
}

TEST(Variant, WholeNumbersRoundHalfToEven) {
  EXPECT_EQ(Variant(0.5).toLong(), 0);
  EXPECT_EQ(Variant(1.5).toLong(), 2);
  EXPECT_EQ(Variant(2.5).toLong(), 2);
  EXPECT_EQ(Variant(-2.5).toLong(), -2);
  EXPECT_EQ(Variant(56.7F).toLong(), 57);
  EXPECT_EQ(Variant(255.15F).toLong(), 255);
  EXPECT_EQ(Variant(32767.4).toInteger(), 32767);
}

TEST(Variant, OverflowIsErrorSix) {
  EXPECT_EQ(errorOf([] { (void)Variant(32767.5).toInteger(); }), errors::kOverflow);
  EXPECT_EQ(errorOf([] { (void)Variant(-32768.6).toInteger(); }), errors::kOverflow);
  EXPECT_EQ(errorOf([] { (void)Variant(2147483647.5).toLong(); }), errors::kOverflow);
  EXPECT_EQ(Variant(-2147483648.0).toLong(), INT32_MIN);
  EXPECT_EQ(errorOf([] { (void)Variant(1e300).toSingle(); }), errors::kOverflow);
}

TEST(Variant, TextConvertsToNumbers) {
  EXPECT_EQ(Variant(u"12").toSingle(), 12.0F);
  EXPECT_EQ(Variant(u" 12.5 ").toDouble(), 12.5);
  EXPECT_EQ(errorOf([] { (void)Variant(u"douze").toSingle(); }), errors::kTypeMismatch);
  EXPECT_EQ(errorOf([] { (void)Variant(u"").toLong(); }), errors::kTypeMismatch);
  EXPECT_EQ(Variant().toLong(), 0);
  EXPECT_EQ(errorOf([] { (void)Variant::null().toString(); }), errors::kInvalidUseOfNull);
}

TEST(Variant, NumbersFormatAsVbDoes) {
  EXPECT_EQ(Variant(56.7F).toString(), u"56.7");
  EXPECT_EQ(Variant(311.85F).toString(), u"311.85");
  EXPECT_EQ(Variant(-2.0).toString(), u"-2");
  EXPECT_EQ(Variant(int16_t{7}).toString(), u"7");
  EXPECT_EQ(Variant(0.1).toString(), u"0.1");
}

TEST(Variant, SingleEqualityRoundsBothSides) {
  EXPECT_TRUE(singleEquals(Variant(56.7F).toDouble(), 56.7));
  EXPECT_TRUE(singleEquals(311.85F, 311.85));
  EXPECT_FALSE(singleEquals(56.7F, 57.0));
  EXPECT_NE(static_cast<double>(56.7F), 56.7);
}

TEST(Variant, ObjectsAndNothing) {
  EXPECT_TRUE(Variant::nothing().isNothing());
  EXPECT_EQ(errorOf([] { (void)Variant(u"x").toObject(); }), errors::kObjectRequired);
  EXPECT_EQ(errorOf([] { (void)Variant::nothing().toString(); }), errors::kObjectVariableNotSet);
}
