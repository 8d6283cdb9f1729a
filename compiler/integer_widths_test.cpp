#include "compiler/integer_widths.h"

#include <gtest/gtest.h>

namespace lorvenna {
namespace {

TEST(IntegerWidths, TruncationKeepsTheLowBitsWithTheirSign) {
  EXPECT_EQ(bassi_16(70000), 4464);
  EXPECT_EQ(bassi_16(40000), -25536);
  EXPECT_EQ(bassi_16(-1), -1);
  EXPECT_EQ(bassi_16(int64_t{INT32_MAX} * 14), static_cast<int16_t>(0xFFF2));
  EXPECT_EQ(bassi_8(300), 44);
  EXPECT_EQ(bassi_8(-1), 255);
}

TEST(IntegerWidths, LongResultOutsideItsRangeIsAFailure) {
  EXPECT_EQ(come_long(INT32_MIN), INT32_MIN);
  EXPECT_THROW(come_long(int64_t{INT32_MAX} + 1), errore_lettura);
  EXPECT_THROW(come_long(int64_t{INT32_MIN} - 1), errore_lettura);
}

}  // namespace
}  // namespace lorvenna
