#include "compiler/rounding.h"

#include <gtest/gtest.h>

#include <cmath>

#include "compiler/failure.h"

namespace lorvenna {
namespace {

TEST(Arrotonda, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(arrotonda_long(2.5), 2);
  EXPECT_EQ(arrotonda_long(1.5), 2);
  EXPECT_EQ(arrotonda_long(3.5), 4);
  EXPECT_EQ(arrotonda_long(-2.5), -2);
  EXPECT_EQ(arrotonda_long(2.5000001), 3);
  EXPECT_EQ(arrotonda_integer(1.4), 1);
  EXPECT_EQ(arrotonda_integer(2.6), 3);
  EXPECT_EQ(arrotonda_byte(254.5), 254);
}

TEST(Arrotonda, RangeLimits) {
  EXPECT_EQ(arrotonda_long(2147483647.4), 2147483647);
  EXPECT_EQ(arrotonda_long(-2147483648.5), -2147483647 - 1);
  EXPECT_EQ(arrotonda_integer(-32768.5), -32768);
  EXPECT_THROW(arrotonda_integer(32767.5), errore_lettura);  // rounds to the even 32768
}

TEST(Arrotonda, OutOfRangeIsAFailure) {
  EXPECT_THROW(arrotonda_long(2147483647.5), errore_lettura);
  EXPECT_THROW(arrotonda_long(-2147483649.0), errore_lettura);
  EXPECT_THROW(arrotonda_integer(32768.0), errore_lettura);
  EXPECT_THROW(arrotonda_integer(-32769.0), errore_lettura);
  EXPECT_THROW(arrotonda_byte(255.5), errore_lettura);
  EXPECT_THROW(arrotonda_byte(-0.6), errore_lettura);
  EXPECT_THROW(arrotonda_long(std::nan("")), errore_lettura);
}

}  // namespace
}  // namespace lorvenna
