#include <gtest/gtest.h>

#include "common/permissible_error.h"
#include "common/plain_number.h"

namespace ruvenset {
namespace {

TEST(PermissibleError, AbsoluteOrPerCentByTheNumberRule) {
  struct Case {
    const char* text;
    float value;
    bool percent;
  };
  for (const Case& c : {Case{"0.25%", 0.25f, true}, Case{"0,25 %", 0.25f, true}, Case{"0.2", 0.2f, false},
                        Case{"1,5", 1.5f, false}, Case{"3%", 3.0f, true}}) {
    const std::optional<PermissibleError> limit = ParsePermissibleError(c.text);
    ASSERT_TRUE(limit) << c.text;
    EXPECT_EQ(limit->value, c.value) << c.text;
    EXPECT_EQ(limit->percent, c.percent) << c.text;
  }
  for (const char* bad :
       {"", "%", "0", "0%", "-0.2", "-1%", "1e-3", "0.2%%", "%0.2", "abc", " 0.2", "0,2,5", "inf"})
    EXPECT_FALSE(ParsePermissibleError(bad)) << bad;
  EXPECT_EQ(FormatPermissibleError({0.25f, true}), "0.25%");
  EXPECT_EQ(FormatPermissibleError({0.2f, false}), "0.2");
  EXPECT_EQ(AbsoluteLimit({0.25f, true}, 16.0), 0.04);
  EXPECT_FALSE(AbsoluteLimit({0.25f, true}, 0.0));
  EXPECT_EQ(*AbsoluteLimit({0.5f, false}, 0.0), 0.5);
}

TEST(PlainNumber, ShortestPointTextThatReadsBackTheSameValue) {
  for (float v : {0.2f, 20.075f, -1.0332f, 1e-5f, 123456.7f, 0.0f, 14444444.0f}) {
    const std::string text = PlainNumber(v);
    EXPECT_EQ(text.find(','), std::string::npos) << text;
    EXPECT_EQ(ParsePlainNumber(text), v) << text;
  }
  EXPECT_EQ(PlainNumber(0.2f), "0.2");
  EXPECT_EQ(PlainNumber(-40.0f), "-40");
  EXPECT_EQ(PlainNumber(1e-5f), "0.00001");  // no exponent: a limit written so reads back by the number rule
  EXPECT_EQ(ParsePermissibleError(PlainNumber(1e-5f) + "%")->value, 1e-5f);
  for (const char* bad : {"", "0,2", " 1", "1 ", "nan", "inf", "+1", "1.2.3", "0x10"})
    EXPECT_FALSE(ParsePlainNumber(bad)) << bad;
}

}  // namespace
}  // namespace ruvenset
