#include "compiler/line_parser.h"

#include <gtest/gtest.h>

#include <ostream>

#include "compiler/description_fixture.h"

namespace lorvenna {
namespace {

using testing::crlf;
using testing::linea_breve;

class LineaTest : public testing::DescrizioniTest {};

struct caso_codice {
  const char* nome;
  std::string linea;
  codice atteso;
  int32_t posizione;  // -1: posizione_errore left unchanged
  bool tracciato;     // whether the track exists afterwards
  bool treno_resta;   // whether the train text is still in the folder
};

void PrintTo(const caso_codice& c, std::ostream* os) { *os << c.nome; }

class CodiciLineaTest : public testing::DescrizioniTest,
                        public ::testing::WithParamInterface<caso_codice> {};

TEST_P(CodiciLineaTest, StopsWithItsCode) {
  const caso_codice& c = GetParam();
  m.posizione_errore = -1;
  leggi(c.linea);
  EXPECT_EQ(m.codice_errore, c.atteso);
  EXPECT_EQ(m.posizione_errore, c.posizione);
  EXPECT_EQ(m.tracciato_creato(), c.tracciato);
  EXPECT_FALSE(esiste(testi.linea)) << "the line text is deleted at every exit after the open";
  EXPECT_EQ(esiste(testi.treno), c.treno_resta);
}

INSTANTIATE_TEST_SUITE_P(
    Codici, CodiciLineaTest,
    ::testing::Values(
        caso_codice{"NoGeneralSection", crlf("[curve]\ncurvas1, 0, 10\n[fine]\n"),
                    codice::generale_assente, -1, false, true},
        caso_codice{"NothingAfterGeneral", crlf("[generale]\n"), codice::generale_assente, -1,
                    false, true},
        caso_codice{"RouteTooLong", crlf("[generale]\nlunghezza percorso, 1000001\n[fine]\n"),
                    codice::percorso_troppo_lungo, -1, false, true},
        caso_codice{"RepetitionStart",
                    crlf("[generale]\nlunghezza percorso, 10000\n"
                         "ripetizione segnali 4 codici, 3725, 5000\n[fine]\n"),
                    codice::ripetizione_inizio, -1, true, true},
        caso_codice{"RepetitionEnd",
                    crlf("[generale]\nlunghezza percorso, 10000\n"
                         "ripetizione segnali 4 codici, 3700, 5025\n[fine]\n"),
                    codice::ripetizione_fine, -1, true, true},
        caso_codice{"RepetitionCodes",
                    crlf("[generale]\nlunghezza percorso, 10000\n"
                         "ripetizione segnali codici, 3700, 5000\n[fine]\n"),
                    codice::ripetizione_codici, -1, true, true},
        caso_codice{"TextBoardOnTakenCell",
                    linea_breve("cartello_indicatore, 350, (A)\ncartello_indicatore, 375, (B)\n"),
                    codice::cartello_occupato, 375, true, true},
        caso_codice{"SpeedBoardOnTakenCell",
                    linea_breve("cartello_indicatore, 700, (A)\n"
                                "indicatori_vmax, 700, 75, 80, 80, 0, , , , 0\n"),
                    codice::indicatori_occupati, 700, true, true},
        caso_codice{"CurveWithoutClass", linea_breve("curvas, 100, 50\n"), codice::curva, -1, true,
                    true},
        caso_codice{"BadNumber", linea_breve("pendenza, abc, 3\n"), codice::lettura, -1, true,
                    false},
        caso_codice{"OversizeNumber", linea_breve("pendenza, 4294967296, 3\n"), codice::lettura, -1,
                    true, false},
        caso_codice{"NoLengthRecord",
                    crlf("[generale]\nsfondo uno, 1\n[pendenze]\npendenza, 0, 0\n"
                         "[fine]\n"),
                    codice::lettura, -1, false, false},
        caso_codice{"NegativeLength", crlf("[generale]\nlunghezza percorso, -100\n[fine]\n"),
                    codice::lettura, -1, false, false},
        caso_codice{"ProgressiveEndTooLarge",
                    crlf("[generale]\nlunghezza percorso, 10000\n"
                         "progressiva chilometrica uno, 0, 2147483548, 1\n[pendenze]\n[fine]\n"),
                    codice::lettura, -1, true, false}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(LineaTest, MissingLineTextIsCode101AndDeletesNothing) {
  leggi("");
  EXPECT_EQ(m.codice_errore, codice::linea_assente);
  EXPECT_FALSE(m.tracciato_creato());
  EXPECT_TRUE(esiste(testi.treno));
}

TEST_F(LineaTest, BoundTestAllowsUpTo100MetresBeforeTheLastCell) {
  leggi(linea_breve("pendenza, 0, 0\npendenza, 16900, 5\n"));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  ASSERT_EQ(m.ultima_cella(), 340);

  for (int32_t p : {16950, -50}) {
    nuovo_modello();
    leggi(linea_breve("pendenza, 0, 0\npendenza, " + std::to_string(p) + ", 5\n"));
    EXPECT_EQ(m.codice_errore, codice::fuori_tracciato) << p;
    EXPECT_EQ(m.posizione_errore, p);
  }
}

TEST_F(LineaTest, CodeFifteenStopsTheLineButCompletesTheGradients) {
  leggi(linea_breve(
      "pendenza, 0, 3\npendenza, 200, 5\npendenza, 20000, 1\ncartello_indicatore, 350, (A)\n"));
  EXPECT_EQ(m.codice_errore, codice::fuori_tracciato);
  EXPECT_EQ(m.posizione_errore, 20000);
  EXPECT_EQ(m.celle[3].pendenza, 103);
  EXPECT_EQ(m.celle[4].pendenza, 105);
  EXPECT_EQ(m.celle[337].pendenza, 105);
  EXPECT_EQ(m.celle[338].pendenza, 0);
  EXPECT_EQ(m.celle[8].tipo_cella, tipo_vuota) << "records after the stop are not read";
  EXPECT_EQ(m.planimetria.tipo(16998), righe_planimetria::etichetta::doppio);
  EXPECT_FALSE(esiste(testi.linea));
}

TEST_F(LineaTest, ReadsTheGeneralSection) {
  leggi(
      crlf("[generale]\n"
           "LUNGHEZZA Percorso, 10000\n"
           "progressiva chilometrica uno, 0, 3000, 1\n"
           "Progressiva chilometrica due, 3000, 5000, 1\n"
           "progressiva chilometrica tre, 6000, 8000, 0\n"
           "sfondo uno, 8150\nsfondo due, 4\nsfondo tre, 1\n"
           "ripetizione segnali 9 codici, 300, 600\n"
           "[pendenze]\npendenza, 0, 0\n[fine]\n"));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  const auto& g = m.dati_generali;
  EXPECT_EQ(g[kVoceTreno].fine, 10000);
  EXPECT_EQ(m.lunghezza_estesa, 17000);
  // "Progressiva" with a capital P is not the keyword: only two sections were read.
  EXPECT_EQ(g[81].inizio, 6000);
  EXPECT_EQ(g[81].fine, 8000);
  EXPECT_EQ(g[82].inizio, 0);
  EXPECT_EQ(g[82].fine, 3100);
  EXPECT_EQ(g[83].fine, 0);
  EXPECT_EQ(g[kVoceScenario].inizio, 8150);
  EXPECT_EQ(g[kVoceScenario].posizione, 4);
  EXPECT_EQ(g[kVoceScenario].fine, 1);
  EXPECT_EQ(g[kVoceScenario].nome, "Prova");
  EXPECT_EQ(g[kVoceRipetizione].inizio, 300);
  EXPECT_EQ(g[kVoceRipetizione].fine, 600);
  EXPECT_EQ(g[kVoceRipetizione].posizione, 9);
  EXPECT_EQ(g[kVoceRipetizione].nome, "7");

  nuovo_modello();
  leggi(
      crlf("[generale]\nlunghezza percorso, 10000\n"
           "ripetizione segnali 4 codici, 300, 0\n[pendenze]\n[fine]\n"));
  EXPECT_EQ(m.dati_generali[kVoceRipetizione].posizione, 0) << "an end of 0 turns it off";
}

// The general section passes over ten dash fields, a keyword in the tenth
// included; the eleventh is the keyword field even with a dash in it.
TEST_F(LineaTest, DashFieldsAreSkippedBeforeAKeyword) {
  leggi(
      crlf("[generale]\nlunghezza percorso, 10000\n"
           "-, -, -, -, -, -, -, -, -, - sfondo uno, - sfondo due, 4\n"
           "[pendenze]\n----, --,cartello_indicatore, 350, (A)\n---, pendenza, 0, 1\n[fine]\n"));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.dati_generali[kVoceScenario].posizione, 4);
  EXPECT_EQ(m.celle[8].tipo_cella, tipo_cartello);
  EXPECT_EQ(m.celle[0].pendenza, 101);
}

TEST_F(LineaTest, TextBoardsFillEntriesDownwardFromEighty) {
  leggi(
      linea_breve("cartello_indicatore, 350, (P.L.Km)(32+300)\n"
                  "cartello_indicatore, 25, (uno)\n"
                  "indicatori_vmax, 700, 75, 80, 80, 0, , , , 0\n"
                  "cartello_indicatore, 2000, (Km.5.450  )\n"));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.celle[8].tipo_cella, tipo_cartello);
  EXPECT_EQ(m.celle[8].dato_1, 80);
  EXPECT_EQ(m.celle[2].dato_1, 79) << "25 m falls in cell 2";
  EXPECT_EQ(m.celle[41].dato_1, 78);
  EXPECT_EQ(m.dati_generali[80].nome, "(P.L.Km)(32+300)");
  EXPECT_EQ(m.dati_generali[78].nome, "(Km.5.450  )");
  EXPECT_EQ(m.celle[15].tipo_cella, tipo_indicatori_vmax);
}

TEST_F(LineaTest, BoardsReplaceAMontagnaMarker) {
  leggi(
      linea_breve("montagna, 0, 500, 12\n"
                  "cartello_indicatore, 100, (A)\n"
                  "indicatori_vmax, 300, 75, 80, 80, 0, , , , 0\n"));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.celle[3].tipo_cella, tipo_cartello);
  EXPECT_EQ(m.celle[7].tipo_cella, tipo_indicatori_vmax);
}

TEST_F(LineaTest, OverflowingSpeedCodeKeepsWhatWasWritten) {
  leggi(linea_breve("indicatori_vmax, 700, 75, 80, 2000, 0, , , , 0\n"));
  EXPECT_EQ(m.codice_errore, codice::lettura);
  const cella& c = m.celle[15];
  EXPECT_EQ(c.tipo_cella, tipo_indicatori_vmax);
  EXPECT_EQ(c.dato_1, 1500);
  EXPECT_EQ(c.dato_2, 1600);
  EXPECT_EQ(c.dato_3, 0);
}

TEST_F(LineaTest, TheLastFieldOfTheFileIsNotInterpreted) {
  leggi(
      crlf("[generale]\nlunghezza percorso, 10000\n[pendenze]\n"
           "cartello_indicatore, 350, (A)\ncartello_indicatore\n"));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_EQ(m.celle[8].tipo_cella, tipo_cartello) << "a record on the last line is still read";
  EXPECT_EQ(m.dati_generali[79].nome, "");
}

// Records that would write outside the track or the stretch arrays are
// refused with code 15 at their position.
TEST_F(LineaTest, RecordsReachingPastTheTrackAreRefused) {
  struct caso {
    std::string route;
    int32_t posizione;
  };
  std::string molte_montagne;
  for (int i = 0; i < 81; ++i)
    molte_montagne += "montagna, " + std::to_string(i * 200) + ", 0, 2\n";
  std::string pendenze_in_disordine = "pendenza, 16000, 1\n";
  for (int i = 0; i < 30; ++i) pendenze_in_disordine += "pendenza, 50, 1\n";
  for (const caso& c : {caso{"montagna, 16000, 17500, 2\n", 16000}, caso{molte_montagne, 16000},
                        caso{pendenze_in_disordine, 50}}) {
    nuovo_modello();
    leggi(linea_breve(c.route));
    EXPECT_EQ(m.codice_errore, codice::fuori_tracciato) << c.route.substr(0, 40);
    EXPECT_EQ(m.posizione_errore, c.posizione);
  }
}

// The curve step's own codes come before the check of the curve's end: only
// a curve that really reaches past the last plan-view row is refused with 15.
TEST_F(LineaTest, CurveCodesAndTheEndOfThePlanView) {
  using E = righe_planimetria::etichetta;
  struct caso {
    const char* nome;
    int32_t lunghezza;
    std::string curva;
    codice atteso;
    int32_t posizione;    // -1: left unchanged
    int32_t ultima_riga;  // last row the curve step computed
  };
  const caso casi[] = {
      {"no class digit, end past the view", 10000, "curvad, 16800, 300", codice::curva, -1, 1},
      {"ends exactly on the last metre", 10000, "curvad1, 16700, 300", codice::nessuno, -1, 17000},
      {"reaches past the last row", 10000, "curvad1, 16800, 300", codice::fuori_tracciato, 16800,
       16998},
      {"passes metre 1000000 first", 1000000, "curvad1, 999900, 10000", codice::curva, -1, 1000000},
  };
  for (const caso& c : casi) {
    nuovo_modello();
    m.posizione_errore = -1;
    leggi(crlf("[generale]\nlunghezza percorso, " + std::to_string(c.lunghezza) + "\n[curve]\n" +
               c.curva + "\n[fine]\n"));
    EXPECT_EQ(m.codice_errore, c.atteso) << c.nome;
    EXPECT_EQ(m.posizione_errore, c.posizione) << c.nome;
    EXPECT_EQ(esiste(testi.treno), c.atteso == codice::curva) << c.nome;
    const auto riga = static_cast<size_t>(c.ultima_riga);
    EXPECT_NE(m.planimetria.tipo(riga), E::vuoto) << c.nome;
    if (riga + 1 < m.planimetria.metri()) {
      EXPECT_EQ(m.planimetria.tipo(riga + 1), E::vuoto) << c.nome;
    }
  }
}

TEST_F(LineaTest, ACurveRefusedWithFifteenTurnsNoRow) {
  leggi(linea_breve("curvad1, 16800, 300\n"));
  EXPECT_EQ(m.codice_errore, codice::fuori_tracciato);
  EXPECT_EQ(m.planimetria.x(16998), 0.0) << "the view runs straight to its end";
}

TEST_F(LineaTest, TooManyTextBoardsAreRefused) {
  std::string cartelli;
  for (int i = 0; i < 81; ++i) {
    cartelli +=
        "cartello_indicatore, " + std::to_string(i * 100) + ", (" + std::to_string(i) + ")\n";
  }
  leggi(linea_breve(cartelli));
  EXPECT_EQ(m.codice_errore, codice::voci_esaurite);
  EXPECT_EQ(m.dati_generali[1].nome, "(79)");
  EXPECT_EQ(m.dati_generali[0].nome, "");
}

TEST_F(LineaTest, WithoutThePlanViewCurvesArePassedOver) {
  nuovo_modello(false);
  leggi(linea_breve("curvas, 100, 50\ncurvad1, 16800, 300\n"));
  EXPECT_EQ(m.codice_errore, codice::nessuno);
  EXPECT_FALSE(m.planimetria.creata());
}

}  // namespace
}  // namespace lorvenna
