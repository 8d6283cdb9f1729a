#include "compiler/line_marking.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

#include "compiler/failure.h"
#include "compiler/track_fixture.h"

namespace lorvenna {
namespace {

struct sezione {
  int32_t inizio, fine, posizione;
  bool operator==(const sezione&) const = default;
};

void PrintTo(const sezione& s, std::ostream* os) {
  *os << "{" << s.inizio << ", " << s.fine << ", " << s.posizione << "}";
}

struct caso_progressive {
  const char* nome;
  sezione tre, due, uno;  // as read
  sezione e81, e82, e83;  // after ordering
};

void PrintTo(const caso_progressive& c, std::ostream* os) { *os << c.nome; }

constexpr int32_t kMassimo = std::numeric_limits<int32_t>::max();

class ProgressiveTest : public ::testing::TestWithParam<caso_progressive> {};

TEST_P(ProgressiveTest, OrdersTheSections) {
  const caso_progressive& c = GetParam();
  modello m;
  auto metti = [&](int i, sezione s) {
    m.dati_generali[i].inizio = s.inizio;
    m.dati_generali[i].fine = s.fine;
    m.dati_generali[i].posizione = s.posizione;
  };
  auto leggi = [&](int i) {
    const auto& v = m.dati_generali[i];
    return sezione{v.inizio, v.fine, v.posizione};
  };
  metti(81, c.tre);
  metti(82, c.due);
  metti(83, c.uno);
  progressive_ordina(m);
  EXPECT_EQ(leggi(81), c.e81);
  EXPECT_EQ(leggi(82), c.e82);
  EXPECT_EQ(leggi(83), c.e83);
}

INSTANTIATE_TEST_SUITE_P(Casi, ProgressiveTest,
                         ::testing::Values(caso_progressive{"Embedded",
                                                            {58800, 71650, 1},
                                                            {32700, 57600, 1},
                                                            {0, 32700, 1},
                                                            {58800, 71750, 1},
                                                            {32700, 57700, 1},
                                                            {0, 32800, 1}},
                                           caso_progressive{"Reversed",
                                                            {0, 100, 0},
                                                            {200, 300, 2},
                                                            {400, 500, 1},
                                                            {400, 600, 1},
                                                            {200, 300, 2},
                                                            {0, 100, 0}},
                                           caso_progressive{"UnoGreatestTreAboveDue",
                                                            {300, 400, 0},
                                                            {100, 200, 0},
                                                            {500, 600, 0},
                                                            {500, 600, 0},
                                                            {300, 400, 0},
                                                            {100, 200, 0}},
                                           caso_progressive{"OnlyUnoFromZero",
                                                            {0, 0, 0},
                                                            {0, 0, 0},
                                                            {0, 32700, 1},
                                                            {0, 32800, 1},
                                                            {0, 0, 0},
                                                            {0, 0, 0}},
                                           caso_progressive{"TieForGreatestClearsAll",
                                                            {500, 600, 1},
                                                            {500, 700, 1},
                                                            {100, 200, 1},
                                                            {0, 0, 0},
                                                            {0, 0, 0},
                                                            {0, 0, 0}},
                                           caso_progressive{"StartsSumToZeroNoEnds",
                                                            {0, 0, 1},
                                                            {0, 0, 1},
                                                            {0, 0, 1},
                                                            {0, 0, 0},
                                                            {0, 0, 0},
                                                            {0, 0, 0}},
                                           caso_progressive{"EndGrowsUpToTheLargestLong",
                                                            {0, 0, 0},
                                                            {0, 0, 0},
                                                            {0, kMassimo - 100, 1},
                                                            {0, kMassimo, 1},
                                                            {0, 0, 0},
                                                            {0, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.nome); });

class MarcaturaLineaTest : public ::testing::Test {
 protected:
  modello m = testing::tracciato();
  tratti_montagna tratti;
};

TEST_F(MarcaturaLineaTest, MontagnaMarksItsCells) {
  memo_montagna(m, tratti, 60750, 60850, 2);
  EXPECT_EQ(m.celle[1214].tipo_montagna, 0);
  EXPECT_EQ(m.celle[1215].tipo_montagna, 2);
  EXPECT_EQ(m.celle[1216].tipo_montagna, 2);
  EXPECT_EQ(m.celle[1217].tipo_montagna, 0);
  memo_montagna(m, tratti, 63950, 64000, 2);
  EXPECT_EQ(m.celle[1279].tipo_montagna, 2);
  EXPECT_EQ(m.celle[1280].tipo_montagna, 0);
  EXPECT_EQ(tratti.numero, 2);
  EXPECT_EQ(tratti.fine_precedente, 64000);
}

TEST_F(MarcaturaLineaTest, MontagnaMarkersEveryFourthFreeCell) {
  m.celle[207].tipo_cella = tipo_cartello;
  memo_montagna(m, tratti, 10000, 10500, 12);
  for (int c = 200; c <= 209; ++c) EXPECT_EQ(m.celle[c].tipo_montagna, 2) << c;
  EXPECT_EQ(m.celle[203].tipo_cella, tipo_marcatore_montagna);
  EXPECT_EQ(m.celle[207].tipo_cella, tipo_cartello) << "a marker never goes on a taken cell";
  EXPECT_EQ(m.celle[204].tipo_cella, tipo_vuota);
}

TEST_F(MarcaturaLineaTest, CloseStretchesJoinWithTypeThree) {
  memo_montagna(m, tratti, 1000, 2000, 2);
  memo_montagna(m, tratti, 2150, 2300, 5);
  EXPECT_EQ(m.celle[43].tipo_montagna, 3);
  memo_montagna(m, tratti, 2500, 2600, 5);
  EXPECT_EQ(m.celle[50].tipo_montagna, 5) << "200 m after the previous end keeps its type";
}

TEST_F(MarcaturaLineaTest, SpeedBoardCodes) {
  struct caso {
    indicatori_letti v;
    int32_t cella;
    int16_t d1, d2, d3, d4;
  };
  for (const caso& c :
       {caso{{700, 75, 80, 80, 0, 0, 0, 0, 0}, 15, 1500, 1600, 1600, 0},
        caso{{14800, 95, 105, 105, 0, 95, 105, 105, 0}, 297, 1919, 2121, 2121, 0},
        caso{{41850, 125, 130, 130, 2, 125, 130, 130, 2}, 838, 2525, 2626, 2626, 22},
        caso{{1000, 100, 100, 100, 1, 7, 13, 0, 0}, 21, 2001, 2003, 2000, 10}}) {
    memo_indicatori_v_max(m, c.v);
    const cella& cl = m.celle[c.cella];
    EXPECT_EQ(cl.tipo_cella, tipo_indicatori_vmax);
    EXPECT_EQ(cl.dato_1, c.d1);
    EXPECT_EQ(cl.dato_2, c.d2);
    EXPECT_EQ(cl.dato_3, c.d3);
    EXPECT_EQ(cl.dato_4, c.d4);
  }
  EXPECT_EQ(m.codice_errore, codice::nessuno);
}

TEST_F(MarcaturaLineaTest, SpeedBoardOnATakenCell) {
  m.celle[15].tipo_cella = tipo_marcatore_montagna;
  memo_indicatori_v_max(m, {700, 75, 80, 80, 0, 0, 0, 0, 0});
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.celle[15].tipo_cella, tipo_indicatori_vmax);

  m.celle[16].tipo_cella = tipo_cartello;
  memo_indicatori_v_max(m, {750, 75, 80, 80, 0, 0, 0, 0, 0});
  EXPECT_EQ(m.codice_errore, codice::indicatori_occupati);
  EXPECT_EQ(m.celle[16].tipo_cella, tipo_cartello);
  EXPECT_EQ(m.celle[16].dato_1, 0);
}

TEST_F(MarcaturaLineaTest, StripeSumBeyondSixteenBitsFails) {
  EXPECT_THROW(memo_indicatori_v_max(m, {700, 75, 80, 80, 4000, 0, 0, 0, 0}), errore_lettura);
  EXPECT_EQ(m.celle[15].dato_3, 1600) << "the speed codes before it stay";
}

}  // namespace
}  // namespace lorvenna
