#include "compiler/cell_walk.h"

#include <gtest/gtest.h>

#include <vector>

namespace lorvenna {
namespace {

modello tracciato(int celle) {
  modello m;
  m.celle.assign(celle, {});
  return m;
}

void metti(modello& m, int i, uint8_t tipo, int16_t dato_1 = 0) {
  m.celle[i].tipo_cella = tipo;
  m.celle[i].dato_1 = dato_1;
}

// Slowdown start and end, with the speed in dato_1 as the marker leaves them.
void rallentamento(modello& m, int inizio, int fine, int16_t velocita) {
  metti(m, inizio, tipo_inizio_rallentamento, velocita);
  metti(m, fine, tipo_fine_rallentamento, velocita);
}

bool punto(const modello& m, int i) {
  return m.celle[i].tipo_cella == tipo_abbattimento && m.celle[i].dato_1 == 180;
}

std::vector<int> punti(const modello& m) {
  std::vector<int> trovati;
  for (int i = 0; i < static_cast<int>(m.celle.size()); ++i) {
    if (m.celle[i].tipo_cella == tipo_abbattimento) trovati.push_back(i);
  }
  return trovati;
}

TEST(CamminaCelle, SignalsUpToTwentyCellsBeforeAWarningBoardGetAPoint) {
  struct caso {
    int distanza;
    bool trattato;
  };
  for (caso c : {caso{1, true}, caso{20, true}, caso{21, false}}) {
    modello m = tracciato(60);
    metti(m, 40, tipo_avviso_rallentamento);
    metti(m, 40 - c.distanza, tipo_segnale);
    cammina_celle(m);
    EXPECT_EQ(punto(m, 39 - c.distanza), c.trattato) << c.distanza;
    EXPECT_EQ(punti(m).size(), c.trattato ? 1u : 0u) << c.distanza;
  }
}

TEST(CamminaCelle, EverySignalInTheWindowIsTreatedButNotThoseInCellsOneAndTwo) {
  modello m = tracciato(40);
  metti(m, 22, tipo_avviso_rallentamento);
  metti(m, 20, tipo_segnale);
  metti(m, 10, tipo_segnale);
  metti(m, 3, tipo_segnale);  // its point goes to cell 1, past the signal in cell 2
  metti(m, 2, tipo_segnale);
  cammina_celle(m);
  EXPECT_EQ(punti(m), (std::vector<int>{1, 9, 19}));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
}

TEST(CamminaCelle, PointBeforeASignalTakesTheFirstRoomOrLowersAnExistingPoint) {
  struct caso {
    uint8_t vicina, lontana;
    int16_t valore_vicina, valore_lontana;
    int16_t atteso_vicina, atteso_lontana;
  };
  const caso casi[] = {
      // cell in front taken, the one before it free: the point goes there
      {tipo_cartello, tipo_vuota, 0, 0, 0, 180},
      {tipo_cartello, tipo_marcatore_montagna, 0, 0, 0, 180},
      // both taken, an existing point in front is lowered to 180, never raised
      {tipo_abbattimento, tipo_cartello, 200, 0, 180, 0},
      {tipo_abbattimento, tipo_cartello, 60, 0, 60, 0},
      // an existing point in the second cell counts when the first is no point
      {tipo_cartello, tipo_abbattimento, 0, 250, 0, 180},
  };
  for (const caso& c : casi) {
    modello m = tracciato(40);
    metti(m, 30, tipo_avviso_rallentamento);
    metti(m, 25, tipo_segnale);
    metti(m, 24, c.vicina, c.valore_vicina);
    metti(m, 23, c.lontana, c.valore_lontana);
    cammina_celle(m);
    EXPECT_EQ(m.celle[24].dato_1, c.atteso_vicina);
    EXPECT_EQ(m.celle[23].dato_1, c.atteso_lontana);
    EXPECT_EQ(m.codice_errore, codice::nessuno);
  }
}

TEST(CamminaCelle, NoRoomBeforeASignalRecordsCode11AndGoesOn) {
  modello m = tracciato(60);
  metti(m, 30, tipo_avviso_rallentamento);
  metti(m, 25, tipo_segnale);
  metti(m, 24, tipo_cartello);
  metti(m, 23, tipo_segnale);
  metti(m, 22, tipo_fermata);
  rallentamento(m, 50, 52, 120);
  cammina_celle(m);
  EXPECT_EQ(m.codice_errore, codice::punto_prima_avviso);
  EXPECT_EQ(m.posizione_errore, 25 * 50);
  EXPECT_TRUE(punto(m, 45));  // the walk went on to the slowdown
}

TEST(CamminaCelle, ApproachPointsTakeTheNearestFreeCellOfEachGroup) {
  modello m = tracciato(60);
  rallentamento(m, 30, 34, 120);
  cammina_celle(m);
  EXPECT_EQ(punti(m), (std::vector<int>{12, 19, 25}));

  modello n = tracciato(60);
  rallentamento(n, 30, 34, 120);
  metti(n, 25, tipo_segnale);
  metti(n, 18, tipo_segnale);
  metti(n, 19, tipo_segnale);
  cammina_celle(n);
  EXPECT_EQ(punti(n), (std::vector<int>{12, 17, 24}));
}

TEST(CamminaCelle, ApproachGroupsNeedRoomBeforeTheStart) {
  modello m = tracciato(30);
  rallentamento(m, 7, 9, 120);
  cammina_celle(m);
  EXPECT_TRUE(punti(m).empty());

  modello n = tracciato(30);
  rallentamento(n, 8, 10, 120);
  cammina_celle(n);
  EXPECT_EQ(punti(n), (std::vector<int>{3}));

  modello o = tracciato(40);
  rallentamento(o, 14, 16, 120);
  cammina_celle(o);
  EXPECT_EQ(punti(o), (std::vector<int>{3, 9}));

  // A start in cell 1 has room for no group, but the walk still sees it.
  modello p = tracciato(30);
  rallentamento(p, 1, 3, 120);
  metti(p, 6, tipo_segnale);
  cammina_celle(p);
  EXPECT_EQ(punti(p), (std::vector<int>{5}));
}

TEST(CamminaCelle, FullApproachGroupRecordsCode12AndTheOtherGroupsStillGetTheirs) {
  modello m = tracciato(60);
  rallentamento(m, 30, 34, 120);
  for (int i : {17, 18, 19}) metti(m, i, tipo_segnale);
  cammina_celle(m);
  EXPECT_EQ(m.codice_errore, codice::punto_avvicinamento);
  EXPECT_EQ(m.posizione_errore, 1500);
  EXPECT_TRUE(punto(m, 25));
  EXPECT_TRUE(punto(m, 12));
}

// Approach points of a slowdown starting at cell 21 fall in cells 1 to 16.
std::vector<int> interni(const modello& m) {
  std::vector<int> trovati;
  for (int i : punti(m)) {
    if (i > 21) trovati.push_back(i);
  }
  return trovati;
}

TEST(CamminaCelle, InnerPointsEveryEightCellsOnlyBelow110) {
  modello m = tracciato(60);
  rallentamento(m, 21, 41, 100);
  cammina_celle(m);
  EXPECT_EQ(interni(m), (std::vector<int>{29, 37}));
  EXPECT_EQ(m.codice_errore, codice::nessuno);

  modello n = tracciato(60);
  rallentamento(n, 21, 41, 110);
  cammina_celle(n);
  EXPECT_TRUE(interni(n).empty());
}

TEST(CamminaCelle, MovedInnerPointKeepsTheNextEightCellsAfterIt) {
  modello m = tracciato(60);
  rallentamento(m, 21, 45, 60);
  metti(m, 29, tipo_segnale);  // point goes back to 28, next due at 36
  metti(m, 36, tipo_segnale);
  metti(m, 35, tipo_segnale);  // point goes forward to 37, next due at 45, the end
  cammina_celle(m);
  EXPECT_EQ(interni(m), (std::vector<int>{28, 37, 44}));
}

TEST(CamminaCelle, NoRoomForAnInnerPointRecordsCode13AndEndsTheInnerPoints) {
  modello m = tracciato(60);
  rallentamento(m, 21, 45, 60);
  for (int i : {28, 29, 30}) metti(m, i, tipo_segnale);
  cammina_celle(m);
  EXPECT_EQ(m.codice_errore, codice::punto_dentro_o_dopo);
  EXPECT_EQ(m.posizione_errore, 29 * 50);
  EXPECT_TRUE(interni(m).empty());
}

TEST(CamminaCelle, FirstSignalWithinTwelveCellsAfterTheEndGetsAPoint) {
  struct caso {
    int velocita;
    int distanza;
    bool trattato;
  };
  // A slowdown of 110 or more looks from its own end cell too.
  for (caso c : {caso{60, 2, true}, caso{60, 5, true}, caso{60, 12, true}, caso{60, 13, false},
                 caso{120, 5, true}}) {
    modello m = tracciato(60);
    rallentamento(m, 21, 25, static_cast<int16_t>(c.velocita));
    metti(m, 25 + c.distanza, tipo_segnale);
    metti(m, 25 + c.distanza + 2, tipo_segnale);
    cammina_celle(m);
    EXPECT_EQ(interni(m), c.trattato ? std::vector<int>{24 + c.distanza} : std::vector<int>{})
        << c.velocita << " " << c.distanza;
  }
}

TEST(CamminaCelle, FastSlowdownSearchesFromItsOwnEndNotAnEarlierOne) {
  modello m = tracciato(120);
  rallentamento(m, 21, 25, 60);
  rallentamento(m, 60, 90, 130);
  metti(m, 95, tipo_segnale);
  cammina_celle(m);
  EXPECT_TRUE(punto(m, 94));
}

TEST(CamminaCelle, SignalAfterTheEndWithNoRoomRecordsCode13AtTheEnd) {
  modello m = tracciato(60);
  rallentamento(m, 21, 25, 60);
  metti(m, 30, tipo_segnale);
  metti(m, 29, tipo_cartello);
  metti(m, 28, tipo_cartello);
  cammina_celle(m);
  EXPECT_EQ(m.codice_errore, codice::punto_dentro_o_dopo);
  EXPECT_EQ(m.posizione_errore, 25 * 50);

  modello n = tracciato(60);
  rallentamento(n, 21, 25, 60);
  metti(n, 30, tipo_segnale);
  metti(n, 29, tipo_cartello);
  cammina_celle(n);
  EXPECT_TRUE(punto(n, 28));
}

TEST(CamminaCelle, StartWithoutEndStopsAtTheLastCell) {
  for (int16_t velocita : {60, 130}) {
    modello m = tracciato(33);
    metti(m, 20, tipo_inizio_rallentamento, velocita);
    metti(m, 32, tipo_segnale);
    cammina_celle(m);
    // Inner point due at 28; the last cell holds a signal searched from there.
    EXPECT_EQ(punto(m, 28), velocita < 110);
    EXPECT_TRUE(punto(m, 31)) << velocita;
  }
}

TEST(CamminaCelle, InnerPointDueAtTheLastCellNeverLooksPastIt) {
  modello m = tracciato(29);  // last cell 28
  metti(m, 20, tipo_inizio_rallentamento, 60);
  metti(m, 28, tipo_segnale);
  metti(m, 27, tipo_segnale);
  cammina_celle(m);
  EXPECT_EQ(m.codice_errore, codice::punto_dentro_o_dopo);
  EXPECT_EQ(m.posizione_errore, 28 * 50);
  EXPECT_EQ(m.celle.size(), 29u);
}

}  // namespace
}  // namespace lorvenna
