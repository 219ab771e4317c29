#include <gtest/gtest.h>

#include "analysis/code_check.h"

namespace kuma {
namespace {

TEST(CodeClause, NamesAreTheSummarysWords) {
  EXPECT_STREQ(CodeClauseName(CodeClause::kSection), "截面");
  EXPECT_STREQ(CodeClauseName(CodeClause::kAxialCap), "轴压上限");
  EXPECT_STREQ(CodeClauseName(CodeClause::kSecondOrder), "二阶效应");
}

}  // namespace
}  // namespace kuma
