// The embedded train description, read back by the train half onto the
// embedded route's track: what the program's own run relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/cell_walk.h"
#include "compiler/description_fixture.h"
#include "texts/line_table.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

using testing::treno;

class TrenoIncorporatoTest : public testing::DescrizioniTest {
 protected:
  TrenoIncorporatoTest() { nuovo_tracciato(); }
};

TEST_F(TrenoIncorporatoTest, EmbeddedTrain) {
  leggi_treno(testo_da_tabella(righe_treno()));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_FALSE(esiste(testi.treno));

  EXPECT_EQ(m.dati_generali[kVoceTreno].inizio, 120);
  EXPECT_EQ(m.dati_generali[kVoceTreno].posizione, 8);
  const voce_generale& r = m.dati_generali[kVoceRipetizione];
  EXPECT_EQ(r.valore_1, 300);
  EXPECT_EQ(r.valore_3, 7);
  EXPECT_EQ(r.valore_4, 55);
  EXPECT_EQ(r.valore_5, 50);

  const voce_generale& e = m.dati_generali[1];
  EXPECT_EQ(e.posizione, 32800);
  EXPECT_EQ(e.tipo, 4);
  EXPECT_EQ(e.inizio, 32550);
  EXPECT_EQ(e.fine, 33050);
  EXPECT_EQ(e.opzione, 1);
  EXPECT_EQ(e.codice_4, 0);
  EXPECT_EQ(e.codice_3, 0);
  EXPECT_EQ(e.valore_1, 4);
  EXPECT_EQ(e.valore_2, 1);
  EXPECT_EQ(e.codice_1, 1);
  EXPECT_EQ(e.valore_3, 2);
  EXPECT_EQ(e.valore_4, 1);
  EXPECT_EQ(e.valore_5, 1);
  EXPECT_EQ(e.codice_2, 1);
  EXPECT_EQ(e.orario, 28560);
  EXPECT_EQ(e.nome, "GALLARATE");
  EXPECT_EQ(m.dati_generali[13].nome, "MILANO PORTA GARIBALDI");
  EXPECT_EQ(m.dati_generali[14].nome, "");

  std::vector<std::pair<int, int>> fermate;
  for (int i = 0; i < 1661; ++i) {
    if (m.celle[i].tipo_cella == tipo_fermata) fermate.emplace_back(i, m.celle[i].dato_1);
  }
  const std::vector<std::pair<int, int>> attese = {{660, 1},   {685, 2},   {777, 3},  {799, 4},
                                                   {889, 5},   {996, 7},   {1096, 8}, {1161, 9},
                                                   {1179, 10}, {1333, 11}, {1436, 13}};
  EXPECT_EQ(fermate, attese);

  EXPECT_EQ(m.celle[734].tipo_cella, tipo_segnale);
  EXPECT_EQ(m.celle[734].dato_1, 33);
  EXPECT_EQ(m.celle[757].tempo_segnale, 255);
  EXPECT_EQ(m.celle[1086].tipo_cella, tipo_inizio_rallentamento);
  EXPECT_EQ(m.celle[1090].tipo_cella, tipo_fine_rallentamento);
  EXPECT_EQ(m.celle[1062].tipo_cella, tipo_avviso_rallentamento);
}

TEST_F(TrenoIncorporatoTest, EmbeddedSpeedLimitAndAdhesionFills) {
  leggi_treno(testo_da_tabella(righe_treno()));
  struct tratto {
    int da, a;
    uint8_t velocita;
  };
  for (tratto t : {tratto{0, 13, 6}, tratto{14, 139, 15}, tratto{140, 273, 18},
                   tratto{1328, 1372, 12}, tratto{1373, 1657, 16}, tratto{1658, 1660, 0}}) {
    for (int i = t.da; i <= t.a; ++i) ASSERT_EQ(m.celle[i].velocita_linea, t.velocita) << i;
  }
  for (int i = 0; i <= 1660; ++i) ASSERT_EQ(m.celle[i].aderenza, i <= 1657 ? 100 : 0) << i;
}

TEST_F(TrenoIncorporatoTest, EmbeddedTrainThenWalkAddsTheFourPoints) {
  leggi_treno(testo_da_tabella(righe_treno()));
  cammina_celle(m);
  std::vector<int> punti;
  for (int i = 0; i < 1661; ++i) {
    if (m.celle[i].tipo_cella == tipo_abbattimento) punti.push_back(i);
  }
  EXPECT_EQ(punti, (std::vector<int>{1044, 1067, 1075, 1081}));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
}

// The 13 embedded stations alone, so that no signal's approach codes cover theirs.
TEST_F(TrenoIncorporatoTest, EmbeddedStationsAreasAndMarks) {
  std::vector<std::string> righe;
  for (std::string_view r : righe_treno()) {
    if (r.starts_with("stazione")) righe.emplace_back(r);
  }
  ASSERT_EQ(righe.size(), 13u);
  leggi_treno(treno(righe));
  EXPECT_EQ(m.codice_errore, codice::nessuno);

  struct attesa {
    int32_t inizio, fine;
    int fermata;  // 0 for none
    bool avvicinamento;
  };
  const attesa attese[] = {
      {32550, 33050, 660, true},  {33500, 34300, 685, true},  {38100, 38900, 777, true},
      {39600, 40000, 799, true},  {44200, 44500, 889, true},  {47200, 47500, 0, false},
      {49550, 49850, 996, true},  {54550, 54850, 1096, true}, {57300, 58100, 1161, true},
      {58600, 59000, 1179, true}, {66300, 66700, 1333, true}, {68800, 69000, 0, false},
      {71300, 71850, 1436, false}};
  for (int n = 1; n <= 13; ++n) {
    const attesa& a = attese[n - 1];
    const voce_generale& e = m.dati_generali[n];
    EXPECT_EQ(e.inizio, a.inizio) << n;
    EXPECT_EQ(e.fine, a.fine) << n;
    if (a.fermata == 0) continue;
    EXPECT_EQ(m.celle[a.fermata].tipo_cella, tipo_fermata) << n;
    EXPECT_EQ(m.celle[a.fermata].dato_1, n) << n;
    for (int k = 1; k <= 4; ++k) {
      EXPECT_EQ(m.celle[a.fermata - k].avvicinamento, a.avvicinamento ? 80 + k : 0) << n;
    }
  }
  int marcate = 0;
  for (const cella& c : m.celle) marcate += c.tipo_cella != tipo_vuota;
  EXPECT_EQ(marcate, 11);
}

}  // namespace
}  // namespace lorvenna
