#include <gtest/gtest.h>

#include "common/decimal_text.h"

namespace ruvenset {
namespace {

TEST(DecimalText, PointOrCommaAndNothingElse) {
  EXPECT_EQ(ParseDecimal("2,5"), 2.5f);
  EXPECT_EQ(ParseDecimal("2.5"), 2.5f);
  EXPECT_EQ(ParseDecimal("-0,75"), -0.75f);
  EXPECT_EQ(ParseDecimal(",5"), 0.5f);
  EXPECT_EQ(ParseDecimal("7,"), 7.0f);
  EXPECT_EQ(ParseDecimal("16"), 16.0f);
  for (const char* bad : {"", "-", ",", "-,", "2,5,1", "2.5,1", "1e3", "0x10", " 2", "2 ", "+2", "2-", "--2",
                          "2,5a", "inf", "nan", "1 000", "99999999999999999999999999999999999999999999"}) {
    EXPECT_FALSE(ParseDecimal(bad).has_value()) << bad;
  }
  EXPECT_FALSE(ParseDecimal("-2", DecimalSign::Unsigned).has_value());
}

TEST(DecimalText, TextOnItsWayToANumber) {
  for (const char* partial : {"", "-", "2,", ",", "-,", "12,34"}) {
    EXPECT_TRUE(DecimalTextPossible(partial, DecimalSign::Signed)) << partial;
  }
  for (const char* never : {"2,,", "2,5.", "a", "2-", "1e", "--"}) {
    EXPECT_FALSE(DecimalTextPossible(never, DecimalSign::Signed)) << never;
  }
  EXPECT_FALSE(DecimalTextPossible("-", DecimalSign::Unsigned));
  EXPECT_TRUE(DecimalTextPossible("3,", DecimalSign::Unsigned));
}

}  // namespace
}  // namespace ruvenset
