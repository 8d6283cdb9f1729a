#include "compiler/train_parser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compiler/cell_walk.h"
#include "compiler/failure.h"
#include "driver/test_support.h"
#include "texts/line_table.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

std::string testo(const std::vector<std::string>& righe) {
  std::string t = "[generale]\r\n";
  for (const std::string& r : righe) t += r + "\r\n";
  return t + "[fine]\r\n";
}

std::string stazione(int p, int tipo, int lunghezza, const std::string& resto = "0, 0, 0") {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(tipo) + ", " +
         std::to_string(lunghezza) + ", " + resto + ", 1,1,0, 1,1,1, 0, 8,0,0, X";
}

const std::string kSegnale36650 = "segnale,   36650,   2, 3, 1,  0, 0,    1,  3,1,0, 0";
const std::string kRallentamento = "rallentamento,   54250,    70,  200, 0,  1,  0";

// A track as the line half leaves it for the embedded route, and the train
// text in a folder of its own.
struct prova {
  modello m;
  lorvenna::testing::TempFolder cartella;
  RealFileSystem fs;
  std::string percorso = cartella.file("Lorvenna_2579bis-.txt");

  prova() {
    m.lunghezza_estesa = 83000;
    m.celle.assign(1661, {});
  }
  void leggi(const std::string& t, int32_t indice_cartello = 80) {
    lorvenna::testing::write_file(percorso, t);
    leggi_descrizione_treno(m, fs, percorso, indice_cartello);
  }
  bool testo_esiste() const { return std::filesystem::exists(percorso); }
};

TEST(LeggiDescrizioneTreno, EmbeddedTrain) {
  prova p;
  p.leggi(testo_da_tabella(righe_treno()));
  const modello& m = p.m;
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_FALSE(p.testo_esiste());

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

TEST(LeggiDescrizioneTreno, EmbeddedSpeedLimitAndAdhesionFills) {
  prova p;
  p.leggi(testo_da_tabella(righe_treno()));
  struct tratto {
    int da, a;
    uint8_t velocita;
  };
  for (tratto t : {tratto{0, 13, 6}, tratto{14, 139, 15}, tratto{140, 273, 18},
                   tratto{1328, 1372, 12}, tratto{1373, 1657, 16}, tratto{1658, 1660, 0}}) {
    for (int i = t.da; i <= t.a; ++i) ASSERT_EQ(p.m.celle[i].velocita_linea, t.velocita) << i;
  }
  for (int i = 0; i <= 1660; ++i) ASSERT_EQ(p.m.celle[i].aderenza, i <= 1657 ? 100 : 0) << i;
}

TEST(LeggiDescrizioneTreno, EmbeddedTrainThenWalkAddsTheFourPoints) {
  prova p;
  p.leggi(testo_da_tabella(righe_treno()));
  cammina_celle(p.m);
  std::vector<int> punti;
  for (int i = 0; i < 1661; ++i) {
    if (p.m.celle[i].tipo_cella == tipo_abbattimento) punti.push_back(i);
  }
  EXPECT_EQ(punti, (std::vector<int>{1044, 1067, 1075, 1081}));
  EXPECT_EQ(p.m.codice_errore, 0);
}

// The 13 embedded stations alone, so that no signal's approach codes cover theirs.
TEST(LeggiDescrizioneTreno, EmbeddedStationsAreasAndMarks) {
  std::vector<std::string> righe;
  for (std::string_view r : righe_treno()) {
    if (r.starts_with("stazione")) righe.emplace_back(r);
  }
  ASSERT_EQ(righe.size(), 13u);
  prova p;
  p.leggi(testo(righe));
  EXPECT_EQ(p.m.codice_errore, 0);

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
    const voce_generale& e = p.m.dati_generali[n];
    EXPECT_EQ(e.inizio, a.inizio) << n;
    EXPECT_EQ(e.fine, a.fine) << n;
    if (a.fermata == 0) continue;
    EXPECT_EQ(p.m.celle[a.fermata].tipo_cella, tipo_fermata) << n;
    EXPECT_EQ(p.m.celle[a.fermata].dato_1, n) << n;
    for (int k = 1; k <= 4; ++k) {
      EXPECT_EQ(p.m.celle[a.fermata - k].avvicinamento, a.avvicinamento ? 80 + k : 0) << n;
    }
  }
  int marcate = 0;
  for (const cella& c : p.m.celle) marcate += c.tipo_cella != tipo_vuota;
  EXPECT_EQ(marcate, 11);
}

TEST(LeggiDescrizioneTreno, StationAreaByType) {
  struct caso {
    int tipo, lunghezza;
    const char* codici;  // opzione, codice_4, codice_3
    int32_t inizio, fine;
    uint8_t codice_4, codice_3;
    int fermata;
    bool avvicinamento;
  };
  const caso casi[] = {
      {4, 500, "0, 7, 0", 9750, 10250, 0, 0, 204, true},   // codice_4 needs 600 m
      {11, 800, "0, 7, 1", 9600, 10450, 7, 1, 208, true},  // codice_3 adds 50 m
      {5, 800, "0, 7, 1", 9200, 10150, 7, 0, 202, false},  // ends 150 m past
      {7, 800, "0, 7, 1", 9200, 10800, 7, 0, 215, true},
      {26, 800, "0, 7, 1", 9600, 10450, 7, 1, 0, false},  // no cell marks
  };
  for (const caso& c : casi) {
    prova p;
    p.leggi(testo({stazione(1000, 26, 200), stazione(10000, c.tipo, c.lunghezza, c.codici)}));
    ASSERT_EQ(p.m.codice_errore, 0) << c.tipo;
    const voce_generale& e = p.m.dati_generali[2];
    EXPECT_EQ(e.inizio, c.inizio) << c.tipo;
    EXPECT_EQ(e.fine, c.fine) << c.tipo;
    EXPECT_EQ(e.codice_4, c.codice_4) << c.tipo;
    EXPECT_EQ(e.codice_3, c.codice_3) << c.tipo;
    int fermata = 0;
    int avvicinamenti = 0;
    for (int i = 0; i < 1661; ++i) {
      if (p.m.celle[i].tipo_cella == tipo_fermata) fermata = i;
      avvicinamenti += p.m.celle[i].avvicinamento != 0;
    }
    EXPECT_EQ(fermata, c.fermata) << c.tipo;
    EXPECT_EQ(avvicinamenti, c.avvicinamento ? 4 : 0) << c.tipo;
    if (c.avvicinamento) {
      EXPECT_EQ(p.m.celle[c.fermata - 1].avvicinamento, 81) << c.tipo;
    }
  }
}

TEST(LeggiDescrizioneTreno, FirstStationKeepsNeitherCodeButItsAreaUsesCodice3) {
  prova p;
  p.leggi(testo({stazione(10000, 11, 800, "0, 7, 1")}));
  const voce_generale& e = p.m.dati_generali[1];
  EXPECT_EQ(e.fine, 10450);
  EXPECT_EQ(e.codice_3, 0);
  EXPECT_EQ(e.codice_4, 0);
}

TEST(LeggiDescrizioneTreno, StationsMayStand350MetresApart) {
  prova p;
  p.leggi(testo({stazione(10000, 26, 200), stazione(10550, 26, 200)}));
  EXPECT_EQ(p.m.codice_errore, 0);
  EXPECT_EQ(p.m.dati_generali[2].inizio, 10450);
}

struct arresto {
  const char* nome;
  std::vector<std::string> righe;
  int32_t codice;
  int32_t posizione;  // -1: left as it was
  bool riempimenti;   // whether the end-of-reading fills ran
  int32_t codice_prima = 0;
  int32_t indice_cartello = 80;
};

// Every stop deletes the text. Code 15 found in this half goes on to the
// fills; every other stop, and 15 left by the line half once a signal or
// slowdown is marked, returns at once.
TEST(LeggiDescrizioneTreno, StopsDeleteTheTextAndFillOnlyAfterCode15) {
  const std::string abbattimento_734 = "abbattimento, 36700, 5";
  const arresto casi[] = {
      {"7 abbattimento on a taken cell",
       {"abbattimento, 1000, 90", "abbattimento, 1010, 5"},
       7,
       1010,
       false},
      {"8 station off the 50 m grid", {stazione(33975, 4, 500)}, 8, 33975, false},
      {"9 station length off the 100 m grid", {stazione(33950, 4, 450)}, 9, 33950, false},
      {"10 stations reach the boards",
       {stazione(1000, 26, 200), stazione(5000, 26, 200)},
       10,
       -1,
       false,
       0,
       3},
      {"15 speed limit past the track", {"velocita, 82950, 60"}, 15, 82950, true},
      {"15 station past the track", {stazione(82250, 26, 200)}, 15, 82250, true},
      {"15 station area past the track", {stazione(80000, 7, 5000)}, 15, 80000, true},
      {"15 signal approach before cell 0", {"segnale, 300, 2,3,1,0,0,0,0,0,0,0"}, 15, 300, true},
      {"15 slowdown end past the track",
       {"rallentamento, 82000, 60, 5000, 0, 1, 0"},
       15,
       82000,
       true},
      {"15 abbattimento before cell 0", {"abbattimento, -500, 5"}, 15, -500, true},
      {"16 signal on a taken cell", {kSegnale36650, kSegnale36650}, 16, 36650, false},
      {"17 warning cell taken",
       {"segnale, 53050, 2,3,1,0,0,0,0,0,0,0", kRallentamento},
       17,
       54250,
       false},
      {"18 start cell taken",
       {"segnale, 54250, 2,3,1,0,0,0,0,0,0,0", kRallentamento},
       18,
       54250,
       false},
      {"19 end cell taken",
       {"segnale, 54450, 2,3,1,0,0,0,0,0,0,0", kRallentamento},
       19,
       54250,
       false},
      {"20 numbered cell taken",
       {"segnale, 52950, 2,3,1,0,0,0,0,0,0,0", kRallentamento},
       20,
       54250,
       false},
      {"22 stations too close",
       {stazione(10000, 26, 200), stazione(10500, 26, 200)},
       22,
       10500,
       false},
      {"24 stop mark at cell 1 or before", {stazione(0, 4, 100)}, 24, -1, false},
      {"15 of the line half stops at the first signal",
       {"sabbia, 3", kSegnale36650},
       15,
       36650,
       false,
       15},
      {"15 of the line half stops at the first slowdown", {kRallentamento}, 15, 54250, false, 15},
      {"a marking code replaces 15 of the line half",
       {abbattimento_734, kSegnale36650},
       16,
       36650,
       false,
       15},
      {"15 of the line half, signal past the track",
       {"segnale, 300, 2,3,1,0,0,0,0,0,0,0"},
       15,
       300,
       true,
       15},
  };
  for (const arresto& c : casi) {
    prova p;
    p.m.codice_errore = c.codice_prima;
    p.m.posizione_errore = -1;
    std::vector<std::string> righe = {"velocita, 0, 100"};
    righe.insert(righe.end(), c.righe.begin(), c.righe.end());
    p.leggi(testo(righe), c.indice_cartello);
    EXPECT_EQ(p.m.codice_errore, c.codice) << c.nome;
    EXPECT_EQ(p.m.posizione_errore, c.posizione) << c.nome;
    EXPECT_FALSE(p.testo_esiste()) << c.nome;
    EXPECT_EQ(p.m.celle[1000].velocita_linea, c.riempimenti ? 20 : 0) << c.nome;
  }
}

TEST(LeggiDescrizioneTreno, Code15OfTheLineHalfMarksTheSignalAndReadsNoFurther) {
  prova p;
  p.m.codice_errore = 15;
  p.leggi(testo({"sabbia, 3", kSegnale36650, "sabbia, 300", "velocita, 5000, 80"}));
  EXPECT_EQ(p.m.celle[734].tipo_cella, tipo_segnale);
  EXPECT_EQ(p.m.celle[732].avvicinamento, 71);
  EXPECT_EQ(p.m.dati_generali[kVoceRipetizione].valore_1, 3);
  EXPECT_EQ(p.m.celle[0].velocita_linea, 0);
}

TEST(LeggiDescrizioneTreno, FinalCheckOfTheProgressives) {
  struct caso {
    int32_t codice_prima;
    int32_t inizio_82, fine_83;
    int32_t codice;
  };
  for (caso c : {caso{0, 32700, 32800, 0}, caso{0, 32725, 32800, 2}, caso{0, 32700, 32810, 2},
                 caso{15, 32725, 32800, 2}, caso{15, 32700, 32800, 15}}) {
    prova p;
    p.m.codice_errore = c.codice_prima;
    p.m.dati_generali[kVoceProgressivaDue].inizio = c.inizio_82;
    p.m.dati_generali[kVoceProgressivaUno].fine = c.fine_83;
    p.leggi(testo({"sabbia, 3"}));
    EXPECT_EQ(p.m.codice_errore, c.codice) << c.inizio_82 << " " << c.fine_83;
  }
}

TEST(LeggiDescrizioneTreno, ReadingFailuresThrowAndLeaveTheTextForTheHandler) {
  const std::vector<std::string> testi = {
      testo({"velocita, 1x00, 30"}),
      testo({stazione(10000, 256, 200)}),
      testo({stazione(10000, 4, 200, "-1, 0, 0")}),
      testo({"sabbia, 40000"}),
      testo({"orologio, 7 55 32768"}),
      testo({"velocita, 0, 1300", "velocita, 700, 30"}),  // 260 does not fit a Byte
      testo({"stazione, 10000, 26, 200, 0,0,0, 0,0,0, 0,0,0, 0, 1000000,0,0, X"}),
      testo({"segnale, 7100, 2, 3"}),
      "[generale]\r\nsegnale, 7100, 2\r\n",
  };
  for (const std::string& t : testi) {
    prova p;
    EXPECT_THROW(p.leggi(t), errore_lettura) << t;
    EXPECT_TRUE(p.testo_esiste()) << t;
  }
}

TEST(LeggiDescrizioneTreno, MissingTextIsAFileFailure) {
  prova p;
  EXPECT_THROW(leggi_descrizione_treno(p.m, p.fs, p.percorso, 80), FileError);
}

TEST(LeggiDescrizioneTreno, KeywordsAnywhereInAnyCase) {
  prova p;
  p.leggi(testo({"PERCENTUALE Massa FRENATA, 120", "frenata, 7", "numero VETTURE,    8",
                 "la sabbia, 300", "orologio,    7               55            50 "}));
  const voce_generale& t = p.m.dati_generali[kVoceTreno];
  EXPECT_EQ(t.inizio, 120);  // "frenata" alone is no record
  EXPECT_EQ(t.posizione, 8);
  const voce_generale& r = p.m.dati_generali[kVoceRipetizione];
  EXPECT_EQ(r.valore_1, 300);
  EXPECT_EQ(r.valore_3, 7);
  EXPECT_EQ(r.valore_4, 55);
  EXPECT_EQ(r.valore_5, 50);
}

TEST(LeggiDescrizioneTreno, WhatIsReadAndWhatIsSkipped) {
  struct caso {
    const char* nome;
    std::string testo;
    int16_t sabbia;
  };
  const caso casi[] = {
      {"fields before [generale]", "sabbia, 5\r\n[generale]\r\n[fine]\r\n", 0},
      {"two dash fields dropped", testo({"---, -- , sabbia, 300"}), 300},
      {"third dash field is the keyword", testo({"-, -, - sabbia -, 301"}), 301},
      {"last field never read", "[generale]\r\nsabbia\r\n", 0},
      {"no [generale]", "sabbia, 5\r\n[fine]\r\n", 0},
  };
  for (const caso& c : casi) {
    prova p;
    p.leggi(c.testo);
    EXPECT_EQ(p.m.dati_generali[kVoceRipetizione].valore_1, c.sabbia) << c.nome;
    EXPECT_FALSE(p.testo_esiste()) << c.nome;
  }
}

TEST(LeggiDescrizioneTreno, TextWithoutGeneraleStillEndsTheReading) {
  prova p;
  p.m.dati_generali[kVoceProgressivaTre].fine = 71775;
  p.leggi("segnale, 36650, 2, 3, 1, 0, 0, 1, 3, 1, 0, 0\r\n");
  EXPECT_EQ(p.m.codice_errore, 2);
  EXPECT_EQ(p.m.celle[734].tipo_cella, tipo_vuota);
}

TEST(LeggiDescrizioneTreno, SpeedLimitFill) {
  prova p;
  p.leggi(testo(
      {"velocita, 1000, 30", "velocita, 1400, 75", "velocita, 1400, 90", "velocita, 1600, 100"}));
  auto v = [&](int i) { return p.m.celle[i].velocita_linea; };
  EXPECT_EQ(v(0), 0);  // before the first record
  EXPECT_EQ(v(19), 0);
  EXPECT_EQ(v(20), 6);
  EXPECT_EQ(v(27), 6);
  EXPECT_EQ(v(28), 15);  // a record at the same cell still writes one cell
  EXPECT_EQ(v(29), 18);
  EXPECT_EQ(v(31), 18);
  EXPECT_EQ(v(32), 20);
  EXPECT_EQ(v(1657), 20);
  EXPECT_EQ(v(1658), 0);
}

TEST(LeggiDescrizioneTreno, AdhesionKeepsTheLowBitsAndStaysOnTheTrack) {
  prova p;
  std::vector<std::string> righe = {"aderenza, 0, 300"};
  // Each record at 82900 after the first moves the fill one cell on; the
  // fifth would need cell 1661.
  for (int i = 0; i < 6; ++i) righe.push_back("aderenza, 82900, " + std::to_string(i + 1));
  p.leggi(testo(righe));
  EXPECT_EQ(p.m.codice_errore, 15);
  EXPECT_EQ(p.m.posizione_errore, 82900);
  EXPECT_EQ(p.m.celle[0].aderenza, 44);
  EXPECT_EQ(p.m.celle[1657].aderenza, 44);
  EXPECT_EQ(p.m.celle[1658].aderenza, 1);
  EXPECT_EQ(p.m.celle[1660].aderenza, 3);
  EXPECT_EQ(p.m.celle.size(), 1661u);
  EXPECT_FALSE(p.testo_esiste());
}

TEST(LeggiDescrizioneTreno, RangeCheckBoundaries) {
  struct caso {
    std::string riga;
    int32_t codice;
  };
  for (const caso& c : {caso{"velocita, 82900, 60", 0}, caso{"velocita, 82950, 60", 15},
                        caso{stazione(82200, 26, 200), 0}, caso{stazione(82250, 26, 200), 15}}) {
    prova p;
    p.leggi(testo({c.riga}));
    EXPECT_EQ(p.m.codice_errore, c.codice) << c.riga;
  }
}

TEST(LeggiDescrizioneTreno, AbbattimentoPoints) {
  struct caso {
    int32_t valore;
    uint8_t tipo;
    int16_t dato_1;
  };
  for (caso c :
       {caso{90, tipo_abbattimento, 90}, caso{0, tipo_abbattimento_senza_valore, 0},
        caso{-4, tipo_abbattimento_senza_valore, 0}, caso{70000, tipo_abbattimento, 4464}}) {
    prova p;
    p.m.celle[20].tipo_cella = tipo_marcatore_montagna;
    p.leggi(testo({"abbattimento, 1000, " + std::to_string(c.valore)}));
    EXPECT_EQ(p.m.codice_errore, 0);
    EXPECT_EQ(p.m.celle[20].tipo_cella, c.tipo) << c.valore;
    EXPECT_EQ(p.m.celle[20].dato_1, c.dato_1) << c.valore;
  }
}

}  // namespace
}  // namespace lorvenna
