#include "compiler/line_marking.h"

#include <gtest/gtest.h>

#include "compiler/failure.h"

namespace lorvenna {
namespace {

struct Sezione {
  int32_t inizio, fine, posizione;
  bool operator==(const Sezione&) const = default;
};

struct CasoProgressive {
  const char* nome;
  Sezione tre, due, uno;  // as read
  Sezione e81, e82, e83;  // after ordering
};

class ProgressiveTest : public ::testing::TestWithParam<CasoProgressive> {};

TEST_P(ProgressiveTest, OrdersTheSections) {
  const CasoProgressive& c = GetParam();
  modello m;
  auto metti = [&](int i, Sezione s) {
    m.dati_generali[i].inizio = s.inizio;
    m.dati_generali[i].fine = s.fine;
    m.dati_generali[i].posizione = s.posizione;
  };
  auto leggi = [&](int i) {
    const auto& v = m.dati_generali[i];
    return Sezione{v.inizio, v.fine, v.posizione};
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
                         ::testing::Values(CasoProgressive{"Embedded",
                                                           {58800, 71650, 1},
                                                           {32700, 57600, 1},
                                                           {0, 32700, 1},
                                                           {58800, 71750, 1},
                                                           {32700, 57700, 1},
                                                           {0, 32800, 1}},
                                           CasoProgressive{"Reversed",
                                                           {0, 100, 0},
                                                           {200, 300, 2},
                                                           {400, 500, 1},
                                                           {400, 600, 1},
                                                           {200, 300, 2},
                                                           {0, 100, 0}},
                                           CasoProgressive{"UnoGreatestTreAboveDue",
                                                           {300, 400, 0},
                                                           {100, 200, 0},
                                                           {500, 600, 0},
                                                           {500, 600, 0},
                                                           {300, 400, 0},
                                                           {100, 200, 0}},
                                           CasoProgressive{"OnlyUnoFromZero",
                                                           {0, 0, 0},
                                                           {0, 0, 0},
                                                           {0, 32700, 1},
                                                           {0, 32800, 1},
                                                           {0, 0, 0},
                                                           {0, 0, 0}},
                                           CasoProgressive{"TieForGreatestClearsAll",
                                                           {500, 600, 1},
                                                           {500, 700, 1},
                                                           {100, 200, 1},
                                                           {0, 0, 0},
                                                           {0, 0, 0},
                                                           {0, 0, 0}},
                                           CasoProgressive{"StartsSumToZeroNoEnds",
                                                           {0, 0, 1},
                                                           {0, 0, 1},
                                                           {0, 0, 1},
                                                           {0, 0, 0},
                                                           {0, 0, 0},
                                                           {0, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.nome); });

class MarcaturaLineaTest : public ::testing::Test {
 protected:
  MarcaturaLineaTest() { m.celle.assign(1661, cella{}); }
  modello m;
};

TEST_F(MarcaturaLineaTest, MontagnaMarksItsCells) {
  int32_t tipo = 2;
  memo_montagna(m, 60750, 60850, tipo);
  EXPECT_EQ(m.celle[1214].tipo_montagna, 0);
  EXPECT_EQ(m.celle[1215].tipo_montagna, 2);
  EXPECT_EQ(m.celle[1216].tipo_montagna, 2);
  EXPECT_EQ(m.celle[1217].tipo_montagna, 0);
  tipo = 2;
  memo_montagna(m, 63950, 64000, tipo);
  EXPECT_EQ(m.celle[1279].tipo_montagna, 2);
  EXPECT_EQ(m.celle[1280].tipo_montagna, 0);
  EXPECT_EQ(m.numero_montagne, 2);
  EXPECT_EQ(m.montagne_inizio[2], 63950);
  EXPECT_EQ(m.montagne_fine[2], 64000);
}

TEST_F(MarcaturaLineaTest, MontagnaMarkersEveryFourthFreeCell) {
  m.celle[207].tipo_cella = tipo_cartello;
  int32_t tipo = 12;
  memo_montagna(m, 10000, 10500, tipo);
  for (int c = 200; c <= 209; ++c) EXPECT_EQ(m.celle[c].tipo_montagna, 2) << c;
  EXPECT_EQ(m.celle[203].tipo_cella, tipo_marcatore_montagna);
  EXPECT_EQ(m.celle[207].tipo_cella, tipo_cartello) << "a marker never goes on a taken cell";
  EXPECT_EQ(m.celle[204].tipo_cella, tipo_vuota);
}

TEST_F(MarcaturaLineaTest, CloseStretchesJoinWithTypeThree) {
  int32_t tipo = 2;
  memo_montagna(m, 1000, 2000, tipo);
  tipo = 5;
  memo_montagna(m, 2150, 2300, tipo);
  EXPECT_EQ(m.celle[43].tipo_montagna, 3);
  tipo = 5;
  memo_montagna(m, 2500, 2600, tipo);
  EXPECT_EQ(m.celle[50].tipo_montagna, 5) << "200 m after the previous end keeps its type";
}

TEST_F(MarcaturaLineaTest, SpeedBoardCodes) {
  struct Caso {
    int32_t posizione, vas, vbs, vcs;
    int16_t strisces;
    int32_t vad, vbd, vcd;
    int16_t strisced;
    int32_t cella;
    int16_t d1, d2, d3, d4;
  };
  for (const Caso& c : {Caso{700, 75, 80, 80, 0, 0, 0, 0, 0, 15, 1500, 1600, 1600, 0},
                        Caso{14800, 95, 105, 105, 0, 95, 105, 105, 0, 297, 1919, 2121, 2121, 0},
                        Caso{41850, 125, 130, 130, 2, 125, 130, 130, 2, 838, 2525, 2626, 2626, 22},
                        Caso{1000, 100, 100, 100, 1, 7, 13, 0, 0, 21, 2001, 2003, 2000, 10}}) {
    memo_indicatori_v_max(m, c.posizione, c.vas, c.vbs, c.vcs, c.strisces, c.vad, c.vbd, c.vcd,
                          c.strisced);
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
  memo_indicatori_v_max(m, 700, 75, 80, 80, 0, 0, 0, 0, 0);
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.celle[15].tipo_cella, tipo_indicatori_vmax);

  m.celle[16].tipo_cella = tipo_cartello;
  memo_indicatori_v_max(m, 750, 75, 80, 80, 0, 0, 0, 0, 0);
  EXPECT_EQ(m.codice_errore, codice::indicatori_occupati);
  EXPECT_EQ(m.celle[16].tipo_cella, tipo_cartello);
  EXPECT_EQ(m.celle[16].dato_1, 0);
}

TEST_F(MarcaturaLineaTest, StripeSumBeyondSixteenBitsFails) {
  EXPECT_THROW(memo_indicatori_v_max(m, 700, 75, 80, 80, 4000, 0, 0, 0, 0), errore_lettura);
  EXPECT_EQ(m.celle[15].dato_3, 1600) << "the speed codes before it stay";
}

}  // namespace
}  // namespace lorvenna
