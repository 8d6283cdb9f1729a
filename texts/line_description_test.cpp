#include "texts/line_description.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "texts/line_table.h"

namespace lorvenna {
namespace {

TEST(LineDescription, HasTheEmbeddedShape) {
  const auto righe = righe_linea();
  ASSERT_EQ(righe.size(), 164u);
  EXPECT_EQ(testo_da_tabella(righe).size(), 5232u);
  EXPECT_EQ(righe.front(), "[generale]");
  EXPECT_EQ(righe.back(), "[fine]");
  const auto piu_lunga = std::ranges::max(righe, {}, &std::string_view::size);
  EXPECT_EQ(piu_lunga.size(), 67u);
}

TEST(LineDescription, SectionsHoldTheirRecordCounts) {
  const auto righe = righe_linea();
  auto conta = [&](std::string_view prefisso) {
    return std::ranges::count_if(righe,
                                 [&](std::string_view r) { return r.starts_with(prefisso); });
  };
  EXPECT_EQ(conta("curvas"), 21);
  EXPECT_EQ(conta("curvad"), 20);
  EXPECT_EQ(conta("pendenza,"), 64);
  EXPECT_EQ(conta("montagna,"), 3);
  EXPECT_EQ(conta("indicatori_vmax,"), 18);
  EXPECT_EQ(conta("cartello_indicatore,"), 23);
  EXPECT_EQ(conta("["), 7);
}

TEST(LineDescription, GradientsKeepTheirSpacing) {
  const auto righe = righe_linea();
  const auto prima = std::ranges::find(righe, "[pendenze]") + 1;
  EXPECT_EQ(*prima, "pendenza,   0,    0");
  EXPECT_EQ(*(prima + 1), "pendenza,  400,   7");
  EXPECT_EQ(*(prima + 19), "pendenza,  10800,   -4");
  EXPECT_EQ(*(prima + 63), "pendenza,  71400,   -3");
  EXPECT_EQ(*(prima + 64), "[montagne]");
}

TEST(LineDescription, BoardTextKeepsInnerBlanks) {
  const auto righe = righe_linea();
  const auto tavole = std::ranges::find(righe, "[indicazioni]");
  EXPECT_EQ(*(tavole + 22), "cartello_indicatore,  66150,   (Cavalcavia)(Km.5.450  )");
}

}  // namespace
}  // namespace lorvenna
