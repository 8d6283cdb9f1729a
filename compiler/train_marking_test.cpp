#include "compiler/train_marking.h"

#include <gtest/gtest.h>

#include <array>

#include "compiler/track_fixture.h"

namespace lorvenna {
namespace {

using testing::tracciato;

void marca(modello& m, const segnale_letto& s) { memo_segnale(m, s); }

void rallenta(modello& m, const rallentamento_letto& r) { memo_rallentamento(m, r); }

TEST(MemoSegnale, EmbeddedSignalWithRightTrackSignal) {
  modello m = tracciato();
  marca(m, {36650, 2, 3, 1, 0, 0, 1, 3, 1, 0, 0});
  const cella& c = m.celle[734];
  EXPECT_EQ(c.tipo_cella, tipo_segnale);
  EXPECT_EQ(c.dato_1, 33);
  EXPECT_EQ(c.dato_2, 11);
  EXPECT_EQ(c.dato_3, 0);
  EXPECT_EQ(c.dato_4, 7);
  EXPECT_EQ(c.tempo_segnale, 0);
  EXPECT_EQ(c.avvicinamento, 0);
  EXPECT_EQ(m.celle[732].avvicinamento, 71);
  EXPECT_EQ(m.celle[730].avvicinamento, 72);
  EXPECT_EQ(m.celle[728].avvicinamento, 73);
  EXPECT_EQ(m.celle[726].avvicinamento, 74);
  EXPECT_EQ(m.celle[731].avvicinamento, 0);
  EXPECT_EQ(m.celle[724].avvicinamento, 0);
  EXPECT_EQ(m.codice_errore, codice::nessuno);
}

TEST(MemoSegnale, EmbeddedSignalWithReminder) {
  modello m = tracciato();
  marca(m, {57000, 2, 2, 5, 0, 1, 2, 2, 0, 0, 0});
  const cella& c = m.celle[1141];
  EXPECT_EQ(c.dato_4, 18);
  EXPECT_EQ(c.dato_1, 22);
  EXPECT_EQ(c.dato_2, 50);
  EXPECT_EQ(c.dato_3, 0);
  const std::array<int, 4> celle_avvicinamento = {1139, 1137, 1135, 1133};
  for (int k = 0; k < 4; ++k) EXPECT_EQ(m.celle[celle_avvicinamento[k]].avvicinamento, 81 + k);
}

TEST(MemoSegnale, TempoIsRaisedAndStoredOnlyForLeftKindTwo) {
  struct caso {
    int32_t sx, tempo;
    uint8_t tempo_segnale;
  };
  for (caso k : {caso{2, 255, 255}, caso{2, 30, 101}, caso{2, 1, 101}, caso{2, 100, 101},
                 caso{2, 101, 101}, caso{2, -1, 255}, caso{1, 30, 0}, caso{2, 0, 0}}) {
    modello m = tracciato();
    marca(m, {37800, k.sx, 5, 6, 0, 0, 2, 2, 1, 0, k.tempo});
    EXPECT_EQ(m.celle[757].tempo_segnale, k.tempo_segnale) << k.sx << " " << k.tempo;
  }
}

TEST(MemoSegnale, StoresTheLowBitsOfLargeValues) {
  modello m = tracciato();
  marca(m, {10000, 30, 4000, 0, 0, 7000, 0, 0, 0, 0, 300});
  const cella& c = m.celle[201];
  EXPECT_EQ(c.dato_1, -25536);                 // 40000
  EXPECT_EQ(c.dato_4, 4554);                   // 70090 - 65536
  EXPECT_EQ(c.tempo_segnale, 0);               // sx is not 2
  EXPECT_EQ(m.celle[199].avvicinamento, 133);  // 901 - 768
}

TEST(MemoSegnale, MontagnaMarkerGivesWayOtherMarksRefuse) {
  modello m = tracciato();
  m.celle[734].tipo_cella = tipo_marcatore_montagna;
  marca(m, {36650, 2, 3, 1, 0, 0, 1, 3, 1, 0, 0});
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.celle[734].tipo_cella, tipo_segnale);

  modello n = tracciato();
  n.celle[734].tipo_cella = tipo_cartello;
  n.celle[732].avvicinamento = 9;
  marca(n, {36650, 2, 3, 1, 0, 0, 1, 3, 1, 0, 0});
  EXPECT_EQ(n.codice_errore, codice::segnale_occupato);
  EXPECT_EQ(n.posizione_errore, 0);
  EXPECT_EQ(n.celle[734].tipo_cella, tipo_cartello);
  EXPECT_EQ(n.celle[734].dato_1, 0);
  EXPECT_EQ(n.celle[732].avvicinamento, 9);
}

TEST(MemoSegnale, ApproachCodesOverwriteWhateverStandsThere) {
  modello m = tracciato();
  m.celle[732] = {.tipo_cella = tipo_fermata, .dato_1 = 3, .avvicinamento = 81};
  marca(m, {36650, 2, 3, 1, 0, 0, 1, 3, 1, 0, 0});
  EXPECT_EQ(m.celle[732].avvicinamento, 71);
  EXPECT_EQ(m.celle[732].tipo_cella, tipo_fermata);
  EXPECT_EQ(m.celle[732].dato_1, 3);
}

TEST(MemoSegnale, TrackCheckCoversTheSignalAndItsApproachCells) {
  const modello m = tracciato();
  EXPECT_TRUE(segnale_nel_tracciato(m, 325));   // cell 8, approach cells down to 0
  EXPECT_FALSE(segnale_nel_tracciato(m, 300));  // cell 7, last approach cell -1
  EXPECT_FALSE(segnale_nel_tracciato(m, -5000));
  EXPECT_TRUE(segnale_nel_tracciato(m, 82950));   // cell 1660, the last
  EXPECT_FALSE(segnale_nel_tracciato(m, 83000));  // cell 1661
}

void expect_estremo(const cella& c, uint8_t tipo, int16_t v, int16_t d_v, int16_t f_tt) {
  EXPECT_EQ(c.tipo_cella, tipo);
  EXPECT_EQ(c.dato_1, v);
  EXPECT_EQ(c.dato_2, d_v);
  EXPECT_EQ(c.dato_3, f_tt);
}

TEST(MemoRallentamento, EmbeddedSlowdownWithAndWithoutOptionalValue) {
  for (int16_t d_v : {0, 5}) {
    modello m = tracciato();
    rallenta(m, {54250, 70, 200, 0, 1, d_v});
    EXPECT_EQ(m.codice_errore, codice::nessuno);
    expect_estremo(m.celle[1090], tipo_fine_rallentamento, 70, d_v, 0);
    expect_estremo(m.celle[1086], tipo_inizio_rallentamento, 70, d_v, 0);
    expect_estremo(m.celle[1062], tipo_avviso_rallentamento, 70, d_v, 0);
    for (int k = 1; k <= 4; ++k) {
      const cella& c = m.celle[1062 - k];
      EXPECT_EQ(c.tipo_cella, tipo_prima_avviso);
      EXPECT_EQ(c.dato_1, k);
      EXPECT_EQ(c.dato_2, d_v == 0 ? 0 : k);
    }
    EXPECT_EQ(m.celle[1057].tipo_cella, tipo_vuota);
  }
}

TEST(MemoRallentamento, FTtGoesToStartAndEndOnly) {
  modello m = tracciato();
  rallenta(m, {54250, 70, 200, 7, 0, 0});
  EXPECT_EQ(m.celle[1086].dato_3, 7);
  EXPECT_EQ(m.celle[1090].dato_3, 7);
  EXPECT_EQ(m.celle[1062].dato_3, 0);
  EXPECT_EQ(m.celle[1061].tipo_cella, tipo_vuota);  // f_ta is 0
}

TEST(MemoRallentamento, WarningOnlyPast1500) {
  modello m = tracciato();
  rallenta(m, {1500, 60, 200, 0, 1, 0});
  EXPECT_EQ(m.celle[31].tipo_cella, tipo_inizio_rallentamento);
  EXPECT_EQ(m.celle[35].tipo_cella, tipo_fine_rallentamento);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(m.celle[i].tipo_cella, tipo_vuota) << i;

  modello n = tracciato();
  rallenta(n, {1550, 60, 200, 0, 1, 0});
  EXPECT_EQ(n.celle[32].tipo_cella, tipo_inizio_rallentamento);
  EXPECT_EQ(n.celle[8].tipo_cella, tipo_avviso_rallentamento);
  for (int i : {7, 6, 5, 4}) EXPECT_EQ(n.celle[i].tipo_cella, tipo_prima_avviso) << i;
  EXPECT_EQ(n.celle[3].tipo_cella, tipo_vuota);
}

TEST(MemoRallentamento, StartAndEndInOneCellLeaveAStart) {
  modello m = tracciato();
  rallenta(m, {54250, 70, 20, 0, 0, 0});
  EXPECT_EQ(m.celle[1086].tipo_cella, tipo_inizio_rallentamento);
  EXPECT_EQ(m.celle[1086].dato_1, 70);
}

TEST(MemoRallentamento, OccupiedCellsAndWhatStaysWritten) {
  struct caso {
    int cella_occupata;
    codice atteso;
    bool estremi_scritti;
  };
  for (caso k :
       {caso{1062, codice::avviso_occupato, false}, caso{1086, codice::inizio_occupato, false},
        caso{1090, codice::fine_occupata, false}, caso{1060, codice::numerate_occupate, true}}) {
    modello m = tracciato();
    m.celle[k.cella_occupata].tipo_cella = tipo_segnale;
    rallenta(m, {54250, 70, 200, 0, 1, 0});
    EXPECT_EQ(m.codice_errore, k.atteso);
    EXPECT_EQ(m.posizione_errore, 0);
    const bool scritti = k.estremi_scritti;
    EXPECT_EQ(m.celle[1086].tipo_cella == tipo_inizio_rallentamento, scritti) << k.atteso;
    EXPECT_EQ(m.celle[1090].tipo_cella == tipo_fine_rallentamento, scritti) << k.atteso;
    EXPECT_EQ(m.celle[1062].tipo_cella == tipo_avviso_rallentamento, scritti) << k.atteso;
    EXPECT_NE(m.celle[1061].tipo_cella, tipo_prima_avviso) << k.atteso;
  }
}

TEST(MemoRallentamento, MontagnaMarkersGiveWay) {
  modello m = tracciato();
  for (int i : {1086, 1090, 1062, 1059}) m.celle[i].tipo_cella = tipo_marcatore_montagna;
  rallenta(m, {54250, 70, 200, 0, 1, 0});
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.celle[1059].tipo_cella, tipo_prima_avviso);
}

TEST(MemoRallentamento, TrackCheckCoversEveryCellItTouches) {
  const modello m = tracciato();
  EXPECT_TRUE(rallentamento_nel_tracciato(m, {54250, 0, 200, 0, 1, 0}));
  EXPECT_TRUE(rallentamento_nel_tracciato(m, {1550, 0, 200, 0, 1, 0}));
  EXPECT_TRUE(rallentamento_nel_tracciato(m, {82000, 0, 900, 0, 0, 0}));    // end in cell 1659
  EXPECT_FALSE(rallentamento_nel_tracciato(m, {82000, 0, 5000, 0, 0, 0}));  // end past the track
  EXPECT_FALSE(rallentamento_nel_tracciato(m, {1000, 0, -2000, 0, 0, 0}));  // end before cell 0
  EXPECT_FALSE(rallentamento_nel_tracciato(m, {-200, 0, 100, 0, 0, 0}));    // start before cell 0
}

}  // namespace
}  // namespace lorvenna
