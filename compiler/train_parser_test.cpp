#include "compiler/train_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/description_fixture.h"
#include "compiler/failure.h"

namespace lorvenna {
namespace {

using testing::treno;

std::string stazione(int p, int tipo, int lunghezza, const std::string& resto = "0, 0, 0") {
  return "stazione, " + std::to_string(p) + ", " + std::to_string(tipo) + ", " +
         std::to_string(lunghezza) + ", " + resto + ", 1,1,0, 1,1,1, 0, 8,0,0, X";
}

const std::string kSegnale36650 = "segnale,   36650,   2, 3, 1,  0, 0,    1,  3,1,0, 0";
const std::string kRallentamento = "rallentamento,   54250,    70,  200, 0,  1,  0";

// The train text alone, read onto the embedded route's empty track.
class TrenoTest : public testing::DescrizioniTest {
 protected:
  TrenoTest() { nuovo_tracciato(); }
};

TEST_F(TrenoTest, StationAreaByType) {
  struct caso {
    int tipo, lunghezza;
    const char* codici;  // opzione, codice_4, codice_3
    int32_t inizio, fine;
    uint8_t codice_4, codice_3;
    int fermata;
    bool avvicinamento;
  };
  const caso casi[] = {
      {4, 500, "0, 7, 0", 9750, 10250, 0, 0, 204, true},  // codice_4 needs 600 m
      {4, 600, "0, 7, 0", 9700, 10300, 7, 0, 205, true},
      {11, 800, "0, 7, 1", 9600, 10450, 7, 1, 208, true},  // codice_3 adds 50 m
      {5, 800, "0, 7, 1", 9200, 10150, 7, 0, 202, false},  // ends 150 m past
      {7, 800, "0, 7, 1", 9200, 10800, 7, 0, 215, true},
      {26, 800, "0, 7, 1", 9600, 10450, 7, 1, 0, false},  // no cell marks
  };
  for (const caso& c : casi) {
    nuovo_tracciato();
    leggi_treno(treno({stazione(1000, 26, 200), stazione(10000, c.tipo, c.lunghezza, c.codici)}));
    ASSERT_EQ(m.codice_errore, codice::nessuno) << c.tipo;
    const voce_generale& e = m.dati_generali[2];
    EXPECT_EQ(e.inizio, c.inizio) << c.tipo;
    EXPECT_EQ(e.fine, c.fine) << c.tipo;
    EXPECT_EQ(e.codice_4, c.codice_4) << c.tipo;
    EXPECT_EQ(e.codice_3, c.codice_3) << c.tipo;
    int fermata = 0;
    int avvicinamenti = 0;
    for (int i = 0; i < 1661; ++i) {
      if (m.celle[i].tipo_cella == tipo_fermata) fermata = i;
      avvicinamenti += m.celle[i].avvicinamento != 0;
    }
    EXPECT_EQ(fermata, c.fermata) << c.tipo;
    EXPECT_EQ(avvicinamenti, c.avvicinamento ? 4 : 0) << c.tipo;
    if (c.avvicinamento) {
      EXPECT_EQ(m.celle[c.fermata - 1].avvicinamento, 81) << c.tipo;
    }
  }
}

TEST_F(TrenoTest, FirstStationKeepsNeitherCodeAndMarksNoApproachInCellOne) {
  leggi_treno(treno({stazione(10000, 11, 800, "0, 7, 1")}));
  const voce_generale& e = m.dati_generali[1];
  EXPECT_EQ(e.fine, 10450);  // its area still uses codice_3
  EXPECT_EQ(e.codice_3, 0);
  EXPECT_EQ(e.codice_4, 0);

  // Only the first station can stand so near the head that its approach
  // marks would reach cell 1.
  nuovo_tracciato();
  leggi_treno(treno({stazione(100, 4, 200)}));  // stop mark in cell 3
  EXPECT_EQ(m.celle[2].avvicinamento, 81);
  EXPECT_EQ(m.celle[1].avvicinamento, 0);
}

TEST_F(TrenoTest, StationsMayStand350MetresApart) {
  leggi_treno(treno({stazione(10000, 26, 200), stazione(10550, 26, 200)}));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.dati_generali[2].inizio, 10450);
}

struct arresto {
  const char* nome;
  std::vector<std::string> righe;
  codice atteso;
  int32_t posizione;  // -1: left as it was
  bool riempimenti;   // whether the end-of-reading fills ran
  codice codice_prima = codice::nessuno;
  int32_t indice_cartello = 80;
};

// Every stop deletes the text. Code 15 found in this half goes on to the
// fills; every other stop, and 15 left by the line half once a signal or
// slowdown is marked, returns at once.
TEST_F(TrenoTest, StopsDeleteTheTextAndFillOnlyAfterCode15) {
  const std::string abbattimento_734 = "abbattimento, 36700, 5";
  const arresto casi[] = {
      {"7 abbattimento on a taken cell",
       {"abbattimento, 1000, 90", "abbattimento, 1010, 5"},
       codice::abbattimento_occupato,
       1010,
       false},
      {"8 station off the 50 m grid",
       {stazione(33975, 4, 500)},
       codice::stazione_fuori_passo,
       33975,
       false},
      {"9 station length off the 100 m grid",
       {stazione(33950, 4, 450)},
       codice::stazione_lunghezza,
       33950,
       false},
      {"10 stations reach the boards",
       {stazione(1000, 26, 200), stazione(5000, 26, 200)},
       codice::voci_esaurite,
       -1,
       false,
       codice::nessuno,
       3},
      {"15 speed limit past the track",
       {"velocita, 82950, 60"},
       codice::fuori_tracciato,
       82950,
       true},
      {"15 station past the track",
       {stazione(82250, 26, 200)},
       codice::fuori_tracciato,
       82250,
       true},
      {"15 station area past the track",
       {stazione(80000, 7, 5000)},
       codice::fuori_tracciato,
       80000,
       true},
      {"15 signal approach before cell 0",
       {"segnale, 300, 2,3,1,0,0,0,0,0,0,0"},
       codice::fuori_tracciato,
       300,
       true},
      {"15 slowdown end past the track",
       {"rallentamento, 82000, 60, 5000, 0, 1, 0"},
       codice::fuori_tracciato,
       82000,
       true},
      {"15 abbattimento before cell 0",
       {"abbattimento, -500, 5"},
       codice::fuori_tracciato,
       -500,
       true},
      {"16 signal on a taken cell",
       {kSegnale36650, kSegnale36650},
       codice::segnale_occupato,
       36650,
       false},
      {"17 warning cell taken",
       {"segnale, 53050, 2,3,1,0,0,0,0,0,0,0", kRallentamento},
       codice::avviso_occupato,
       54250,
       false},
      {"18 start cell taken",
       {"segnale, 54250, 2,3,1,0,0,0,0,0,0,0", kRallentamento},
       codice::inizio_occupato,
       54250,
       false},
      {"19 end cell taken",
       {"segnale, 54450, 2,3,1,0,0,0,0,0,0,0", kRallentamento},
       codice::fine_occupata,
       54250,
       false},
      {"20 numbered cell taken",
       {"segnale, 52950, 2,3,1,0,0,0,0,0,0,0", kRallentamento},
       codice::numerate_occupate,
       54250,
       false},
      {"22 stations too close",
       {stazione(10000, 26, 200), stazione(10500, 26, 200)},
       codice::stazioni_vicine,
       10500,
       false},
      {"24 stop mark at cell 1 or before",
       {stazione(0, 4, 100)},
       codice::fermata_in_testa,
       -1,
       false},
      {"24 stop mark exactly at cell 1",
       {stazione(50, 4, 100)},
       codice::fermata_in_testa,
       -1,
       false},
      {"15 of the line half stops at the first signal",
       {"sabbia, 3", kSegnale36650},
       codice::fuori_tracciato,
       36650,
       false,
       codice::fuori_tracciato},
      {"15 of the line half stops at the first slowdown",
       {kRallentamento},
       codice::fuori_tracciato,
       54250,
       false,
       codice::fuori_tracciato},
      {"a marking code replaces 15 of the line half",
       {abbattimento_734, kSegnale36650},
       codice::segnale_occupato,
       36650,
       false,
       codice::fuori_tracciato},
      {"15 of the line half, signal past the track",
       {"segnale, 300, 2,3,1,0,0,0,0,0,0,0"},
       codice::fuori_tracciato,
       300,
       true,
       codice::fuori_tracciato},
  };
  for (const arresto& c : casi) {
    nuovo_tracciato();
    m.codice_errore = c.codice_prima;
    m.posizione_errore = -1;
    std::vector<std::string> righe = {"velocita, 0, 100"};
    righe.insert(righe.end(), c.righe.begin(), c.righe.end());
    leggi_treno(treno(righe), c.indice_cartello);
    EXPECT_EQ(m.codice_errore, c.atteso) << c.nome;
    EXPECT_EQ(m.posizione_errore, c.posizione) << c.nome;
    EXPECT_FALSE(esiste(testi.treno)) << c.nome;
    EXPECT_EQ(m.celle[1000].velocita_linea, c.riempimenti ? 20 : 0) << c.nome;
  }
}

TEST_F(TrenoTest, Code15OfTheLineHalfMarksTheSignalAndReadsNoFurther) {
  m.codice_errore = codice::fuori_tracciato;
  leggi_treno(treno({"sabbia, 3", kSegnale36650, "sabbia, 300", "velocita, 5000, 80"}));
  EXPECT_EQ(m.celle[734].tipo_cella, tipo_segnale);
  EXPECT_EQ(m.celle[732].avvicinamento, 71);
  EXPECT_EQ(m.dati_generali[kVoceRipetizione].valore_1, 3);
  EXPECT_EQ(m.celle[0].velocita_linea, 0);
}

TEST_F(TrenoTest, FinalCheckOfTheProgressives) {
  struct caso {
    codice codice_prima;
    int32_t inizio_82, fine_83;
    codice atteso;
  };
  for (caso c : {caso{codice::nessuno, 32700, 32800, codice::nessuno},
                 caso{codice::nessuno, 32725, 32800, codice::progressiva_fuori_passo},
                 caso{codice::nessuno, 32700, 32810, codice::progressiva_fuori_passo},
                 caso{codice::fuori_tracciato, 32725, 32800, codice::progressiva_fuori_passo},
                 caso{codice::fuori_tracciato, 32700, 32800, codice::fuori_tracciato}}) {
    nuovo_tracciato();
    m.codice_errore = c.codice_prima;
    m.dati_generali[kVoceProgressivaDue].inizio = c.inizio_82;
    m.dati_generali[kVoceProgressivaUno].fine = c.fine_83;
    leggi_treno(treno({"sabbia, 3"}));
    EXPECT_EQ(m.codice_errore, c.atteso) << c.inizio_82 << " " << c.fine_83;
  }
}

TEST_F(TrenoTest, ReadingFailuresThrowAndLeaveTheTextForTheHandler) {
  const std::vector<std::string> casi = {
      treno({"velocita, 1x00, 30"}),
      treno({stazione(10000, 256, 200)}),
      treno({stazione(10000, 4, 200, "-1, 0, 0")}),
      treno({"sabbia, 40000"}),
      treno({"orologio, 7 55 32768"}),
      treno({"velocita, 0, 1300", "velocita, 700, 30"}),  // 260 does not fit a Byte
      treno({"stazione, 10000, 26, 200, 0,0,0, 0,0,0, 0,0,0, 0, 1000000,0,0, X"}),
      treno({"segnale, 7100, 2, 3"}),
      "[generale]\r\nsegnale, 7100, 2\r\n",
  };
  for (const std::string& t : casi) {
    nuovo_tracciato();
    EXPECT_THROW(leggi_treno(t), errore_lettura) << t;
    EXPECT_TRUE(esiste(testi.treno)) << t;
  }
}

TEST_F(TrenoTest, MissingTextIsAFileFailure) {
  EXPECT_THROW(leggi_descrizione_treno(m, traccia, fs, testi.treno, 80), FileError);
}

TEST_F(TrenoTest, KeywordsAnywhereInAnyCase) {
  leggi_treno(treno({"PERCENTUALE Massa FRENATA, 120", "frenata, 7", "numero VETTURE,    8",
                     "la sabbia, 300", "orologio,    7               55            50 "}));
  const voce_generale& t = m.dati_generali[kVoceTreno];
  EXPECT_EQ(t.inizio, 120);  // "frenata" alone is no record
  EXPECT_EQ(t.posizione, 8);
  const voce_generale& r = m.dati_generali[kVoceRipetizione];
  EXPECT_EQ(r.valore_1, 300);
  EXPECT_EQ(r.valore_3, 7);
  EXPECT_EQ(r.valore_4, 55);
  EXPECT_EQ(r.valore_5, 50);
}

TEST_F(TrenoTest, WhatIsReadAndWhatIsSkipped) {
  struct caso {
    const char* nome;
    std::string testo;
    int16_t sabbia;
  };
  const caso casi[] = {
      {"fields before [generale]", "sabbia, 5\r\n[generale]\r\n[fine]\r\n", 0},
      {"two dash fields dropped", treno({"---, -- , sabbia, 300"}), 300},
      {"third dash field is the keyword", treno({"-, -, - sabbia -, 301"}), 301},
      {"last field never read", "[generale]\r\nsabbia\r\n", 0},
      {"no [generale]", "sabbia, 5\r\n[fine]\r\n", 0},
  };
  for (const caso& c : casi) {
    nuovo_tracciato();
    leggi_treno(c.testo);
    EXPECT_EQ(m.dati_generali[kVoceRipetizione].valore_1, c.sabbia) << c.nome;
    EXPECT_FALSE(esiste(testi.treno)) << c.nome;
  }
}

TEST_F(TrenoTest, TextWithoutGeneraleStillEndsTheReading) {
  m.dati_generali[kVoceProgressivaTre].fine = 71775;
  leggi_treno("segnale, 36650, 2, 3, 1, 0, 0, 1, 3, 1, 0, 0\r\n");
  EXPECT_EQ(m.codice_errore, codice::progressiva_fuori_passo);
  EXPECT_EQ(m.celle[734].tipo_cella, tipo_vuota);
}

TEST_F(TrenoTest, SpeedLimitFill) {
  leggi_treno(treno(
      {"velocita, 1000, 30", "velocita, 1400, 75", "velocita, 1400, 90", "velocita, 1600, 100"}));
  auto v = [&](int i) { return m.celle[i].velocita_linea; };
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

  // Records piled at the end push the fill on, but never into the last cell:
  // the end-of-reading fill writes it, with the speed read last.
  nuovo_tracciato();
  leggi_treno(treno({"velocita, 82900, 60", "velocita, 82900, 65", "velocita, 82900, 70",
                     "velocita, 82900, 75"}));
  EXPECT_EQ(v(1658), 12);
  EXPECT_EQ(v(1659), 13);
  EXPECT_EQ(v(1660), 15);
}

TEST_F(TrenoTest, AdhesionKeepsTheLowBitsAndStaysOnTheTrack) {
  std::vector<std::string> righe = {"aderenza, 0, 300"};
  // Each record at 82900 after the first moves the fill one cell on; the
  // fifth would need cell 1661.
  for (int i = 0; i < 6; ++i) righe.push_back("aderenza, 82900, " + std::to_string(i + 1));
  leggi_treno(treno(righe));
  EXPECT_EQ(m.codice_errore, codice::fuori_tracciato);
  EXPECT_EQ(m.posizione_errore, 82900);
  EXPECT_EQ(m.celle[0].aderenza, 44);
  EXPECT_EQ(m.celle[1657].aderenza, 44);
  EXPECT_EQ(m.celle[1658].aderenza, 1);
  EXPECT_EQ(m.celle[1660].aderenza, 3);
  EXPECT_EQ(m.celle.size(), 1661u);
  EXPECT_FALSE(esiste(testi.treno));
}

TEST_F(TrenoTest, RangeCheckBoundaries) {
  struct caso {
    std::string riga;
    codice atteso;
  };
  for (const caso& c : {caso{"velocita, 82900, 60", codice::nessuno},
                        caso{"velocita, 82950, 60", codice::fuori_tracciato},
                        caso{stazione(82200, 26, 200), codice::nessuno},
                        caso{stazione(82250, 26, 200), codice::fuori_tracciato}}) {
    nuovo_tracciato();
    leggi_treno(treno({c.riga}));
    EXPECT_EQ(m.codice_errore, c.atteso) << c.riga;
  }
}

TEST_F(TrenoTest, AbbattimentoPoints) {
  struct caso {
    int32_t valore;
    uint8_t tipo;
    int16_t dato_1;
  };
  for (caso c :
       {caso{90, tipo_abbattimento, 90}, caso{0, tipo_abbattimento_senza_valore, 0},
        caso{-4, tipo_abbattimento_senza_valore, 0}, caso{70000, tipo_abbattimento, 4464}}) {
    nuovo_tracciato();
    m.celle[20].tipo_cella = tipo_marcatore_montagna;
    leggi_treno(treno({"abbattimento, 1000, " + std::to_string(c.valore)}));
    EXPECT_EQ(m.codice_errore, codice::nessuno);
    EXPECT_EQ(m.celle[20].tipo_cella, c.tipo) << c.valore;
    EXPECT_EQ(m.celle[20].dato_1, c.dato_1) << c.valore;
  }
}

}  // namespace
}  // namespace lorvenna
