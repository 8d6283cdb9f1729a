#include "texts/train_description.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lorvenna {
namespace {

TEST(TrainDescription, HasTheEmbeddedShape) {
  const auto righe = righe_treno();
  ASSERT_EQ(righe.size(), 70u);
  EXPECT_EQ(righe.front(), "[generale]");
  EXPECT_EQ(righe[68], "[codici]");
  EXPECT_EQ(righe.back(), "[fine]");
  auto conta = [&](std::string_view prefisso) {
    return std::ranges::count_if(righe,
                                 [&](std::string_view r) { return r.starts_with(prefisso); });
  };
  EXPECT_EQ(conta("velocita,"), 16);
  EXPECT_EQ(conta("stazione,"), 13);
  EXPECT_EQ(conta("segnale,"), 27);
}

TEST(TrainDescription, KeepsTheLayoutBlanks) {
  const auto righe = righe_treno();
  EXPECT_EQ(righe[4], "orologio,    7               55            50 ");
  EXPECT_EQ(righe[37],
            "stazione,   71700,  6,  400,  1, 0, 0,  4,1,0,  2,1,1,    0,   8,40, 0, "
            "MILANO PORTA GARIBALDI");
  EXPECT_EQ(righe[47], "segnale,   36650,   2, 3, 1,  0, 0,    1,  3,1,0, 0");
}

}  // namespace
}  // namespace lorvenna
