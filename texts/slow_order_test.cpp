#include "texts/slow_order.h"

#include <gtest/gtest.h>

#include <array>

namespace lorvenna {
namespace {

// The length of every line of the form as filled in; line 13 is one longer
// than the frame because its station cell is one blank too wide.
constexpr std::array<size_t, 47> kLunghezze = {
    0,  42, 50, 81, 41, 0,  83, 81, 82, 82, 82, 82, 83, 82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 82,
    82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 82, 0,  37, 63, 42, 49, 58, 42, 79};

TEST(SlowOrder, EveryLineHasItsFormLength) {
  const auto righe = righe_rallentamenti();
  ASSERT_EQ(righe.size(), kLunghezze.size());
  for (size_t i = 0; i < righe.size(); ++i)
    EXPECT_EQ(righe[i].size(), kLunghezze[i]) << "line " << i + 1;
}

TEST(SlowOrder, KeepsTheFormsOwnText) {
  const auto righe = righe_rallentamenti();
  EXPECT_EQ(righe[6],
            "  Si ordina al macchinista del treno 2579bis di effettuare i seguenti rallentamenti");
  EXPECT_EQ(righe[12],
            " | 1 | VANZAGO                     |      4     |    70    |   200   |    ---     |");
  EXPECT_EQ(righe[13],
            " | 2 | MILANO CERTOSA             |      9     |    60    |   300   |     E      |");
  EXPECT_EQ(righe[43], " C - Rallentamneto N. ... e N. ...  sono contigui");
  // The separator closes the frame again after the 24 empty rows.
  EXPECT_EQ(righe[38], righe[11]);
  for (size_t i = 14; i < 38; ++i) EXPECT_EQ(righe[i], righe[14]) << "line " << i + 1;
}

}  // namespace
}  // namespace lorvenna
