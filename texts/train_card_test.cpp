#include "texts/train_card.h"

#include <gtest/gtest.h>

#include <array>

namespace lorvenna {
namespace {

// The length of every line as the form was drawn; a lost or extra blank
// anywhere shows up here.
constexpr std::array<size_t, 49> kLunghezze = {0,  0,  82, 83, 83, 83, 83, 56, 64, 57, 57, 0,  82,
                                               83, 83, 83, 83, 83, 83, 83, 83, 83, 83, 83, 83, 83,
                                               83, 83, 83, 83, 83, 83, 83, 83, 83, 83, 83, 83, 83,
                                               83, 83, 83, 83, 83, 83, 83, 83, 83, 0};

TEST(TrainCard, EveryLineHasItsDrawnLength) {
  const auto righe = righe_scheda();
  ASSERT_EQ(righe.size(), kLunghezze.size());
  for (size_t i = 0; i < righe.size(); ++i)
    EXPECT_EQ(righe[i].size(), kLunghezze[i]) << "line " << i + 1;
}

TEST(TrainCard, OnlyLineNineEndsInBlanks) {
  const auto righe = righe_scheda();
  EXPECT_EQ(righe[8], " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
  for (size_t i = 0; i < righe.size(); ++i) {
    if (i == 8) continue;
    EXPECT_FALSE(righe[i].ends_with(' ')) << "line " << i + 1;
  }
}

TEST(TrainCard, KeepsItsFixedContent) {
  const auto righe = righe_scheda();
  EXPECT_EQ(righe[4],
            " |   TRENO n.2579bis |                   da: GALLARATE             |    V140 B    |");
  EXPECT_EQ(righe[16],
            " | 140 | 140 |   24.800 | 140 | GALLARATE                  |           7.55 |     |");
  EXPECT_EQ(righe[32],
            " |     |     |    0.000 |     | MILANO P.GAR.              | 8.40           | 0.5 |");
  // The separator closes the frame again after the 14 empty rows.
  EXPECT_EQ(righe[47], righe[15]);
  for (size_t i = 33; i < 47; ++i) EXPECT_EQ(righe[i], righe[33]) << "line " << i + 1;
}

}  // namespace
}  // namespace lorvenna
