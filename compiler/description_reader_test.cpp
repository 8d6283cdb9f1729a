#include "compiler/description_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "compiler/description_fixture.h"
#include "compiler/text_limit.h"

namespace lorvenna {
namespace {

using testing::crlf;
using testing::linea_breve;

class DescrizioniTest : public testing::DescrizioniTest {};

TEST_F(DescrizioniTest, ATrainReadingFailureIsCode25AndLeavesNoText) {
  struct caso {
    const char* treno;
    const char* motivo;
  };
  for (const caso& c : {caso{"[generale]\nvelocita, abc, 30\n[fine]\n", "not a number"},
                        caso{"[generale]\nsabbia, 40000\n[fine]\n", "Integer out of range"},
                        caso{"[generale]\nstazione, 1000, 300, 400\n[fine]\n", "Byte above 255"},
                        caso{"[generale]\nsegnale, 1000, 2\n", "record cut short"}}) {
    nuovo_modello();
    m.posizione_errore = 77;
    leggi(linea_breve("pendenza, 0, 0\n"), crlf(c.treno));
    EXPECT_EQ(m.codice_errore, codice::lettura) << c.motivo;
    EXPECT_EQ(m.posizione_errore, 77) << c.motivo;
    EXPECT_FALSE(esiste(testi.linea));
    EXPECT_FALSE(esiste(testi.treno)) << c.motivo;
    EXPECT_EQ(traccia.motivo.testo, testi.treno) << c.motivo;
    EXPECT_EQ(traccia.motivo.riga, 2) << c.motivo;
  }
}

TEST_F(DescrizioniTest, TheReportNamesTheTextAndLineOfAReadingFailure) {
  leggi(linea_breve("pendenza, 0, 0\npendenza, 12abc, 3\n"));
  EXPECT_EQ(m.codice_errore, codice::lettura);
  EXPECT_EQ(traccia.motivo.testo, testi.linea);
  EXPECT_EQ(traccia.motivo.riga, 6);
  EXPECT_EQ(traccia.motivo.motivo, "\"12abc\" is not a number within the 32-bit range");
}

// The fault points at the field an author must mend: the field that could
// not be read, or the position of a record its rule refused, on its own
// line and at its column, even when the record goes on to later lines.
TEST_F(DescrizioniTest, TheFaultNamesItsFieldsLineAndColumns) {
  struct caso {
    const char* nome;
    std::string linea;
    std::string treno;
    posizione_campo atteso;
  };
  const caso casi[] = {
      {"a field that is not a number",
       linea_breve("pendenza, 0, 0\npendenza,  12abc, 3\n"),
       "",
       {6, 12, 17}},
      {"a text board on a taken cell",
       linea_breve("cartello_indicatore, 350, A\n\tcartello_indicatore,  350, B\n"),
       "",
       {6, 24, 27}},
      {"a station off the grid, its fields over two lines",
       linea_breve("pendenza, 0, 0\n"),
       crlf("[generale]\nstazione,\n   1025, 12, 300, 0, 0, 0, 1,1,0, 4,1,1, 70, 8, 7, 0, "
            "X\n[fine]\n"),
       {3, 4, 8}},
  };
  for (const caso& c : casi) {
    nuovo_modello();
    if (c.treno.empty()) {
      leggi(c.linea);
    } else {
      leggi(c.linea, c.treno);
    }
    ASSERT_TRUE(m.con_codice()) << c.nome;
    EXPECT_EQ(traccia.motivo.campo.riga, c.atteso.riga) << c.nome;
    EXPECT_EQ(traccia.motivo.campo.colonna, c.atteso.colonna) << c.nome;
    EXPECT_EQ(traccia.motivo.campo.colonna_fine, c.atteso.colonna_fine) << c.nome;
  }
}

TEST_F(DescrizioniTest, AHugeOrBinaryFieldIsQuotedShort) {
  leggi(linea_breve("pendenza, " + std::string(100000, '9') + std::string("\0x", 2) + ", 3\n"));
  EXPECT_EQ(m.codice_errore, codice::lettura);
  EXPECT_EQ(traccia.motivo.motivo,
            "\"" + std::string(40, '9') + "...\" is not a number within the 32-bit range");
}

TEST_F(DescrizioniTest, FailuresFoundAfterReadingANumberStillNameTheLine) {
  leggi(linea_breve("indicatori_vmax, 700, 75, 80, 2000, 0, , , , 0\n"));
  EXPECT_EQ(m.codice_errore, codice::lettura);
  EXPECT_EQ(traccia.motivo.riga, 5) << traccia.motivo.motivo;
}

// The README tells authors the limit the compiler holds texts to.
TEST(LimiteTesto, IsTheOneTheReadmeStates) {
  static_assert(kLimiteTesto.max_bytes % (1 << 20) == 0, "the README states it in MiB");
  std::ifstream in(LORVENNA_SOURCE_DIR "/README.md");
  const std::string readme{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(readme.empty()) << "README.md not found in " LORVENNA_SOURCE_DIR;
  EXPECT_NE(readme.find("at most " + std::to_string(kLimiteTesto.max_bytes >> 20) + " MiB"),
            std::string::npos);
}

// A text far larger than any route's is refused from its size, not read.
TEST_F(DescrizioniTest, ATextOverItsLimitIsCode25) {
  const std::string enorme(kLimiteTesto.max_bytes + 1, '\n');
  leggi(linea_breve("pendenza, 0, 0\n"), enorme);
  EXPECT_EQ(m.codice_errore, codice::lettura);
  EXPECT_EQ(traccia.motivo.testo, testi.treno);
  EXPECT_NE(traccia.motivo.motivo.find("more than the 67108864 bytes a description text can hold"),
            std::string::npos)
      << traccia.motivo.motivo;
}

TEST_F(DescrizioniTest, AMissingTrainTextIsCode25) {
  disco.write(testi.linea, linea_breve("pendenza, 0, 0\n"));
  memorizza_dati(m, traccia, fs, testi, true);
  EXPECT_EQ(m.codice_errore, codice::lettura);
  EXPECT_EQ(traccia.motivo.testo, testi.treno);
  EXPECT_EQ(traccia.motivo.riga, 0) << "a file failure lies outside the text's fields";
  EXPECT_FALSE(esiste(testi.linea));
  EXPECT_TRUE(m.tracciato_creato());
}

TEST_F(DescrizioniTest, CodeFifteenOfTheLineStopsTheTrainAtItsFirstSignal) {
  leggi(linea_breve("pendenza, 0, 0\npendenza, 20000, 1\n"),
        crlf("[generale]\nvelocita, 0, 30\nvelocita, 1000, 60\n"
             "segnale, 2000, 2, 3, 1, 0, 0, 0, 0, 0, 0, 0\n"
             "segnale, 3000, 2, 3, 1, 0, 0, 0, 0, 0, 0, 0\n[fine]\n"));
  EXPECT_EQ(m.codice_errore, codice::fuori_tracciato);
  EXPECT_EQ(m.posizione_errore, 2000);
  EXPECT_EQ(m.celle[41].tipo_cella, tipo_segnale);
  EXPECT_EQ(m.celle[61].tipo_cella, tipo_vuota);
  EXPECT_EQ(m.celle[5].velocita_linea, 6) << "records before the signal are read";
  EXPECT_EQ(m.celle[100].velocita_linea, 0) << "the stop skips the end-of-reading fills";
  EXPECT_FALSE(esiste(testi.treno));
}

TEST_F(DescrizioniTest, ALineStopLeavesTheTrainTextUnread) {
  leggi(linea_breve("cartello_indicatore, 350, (A)\ncartello_indicatore, 350, (B)\n"),
        crlf("[generale]\nsabbia, 300\n[fine]\n"));
  EXPECT_EQ(m.codice_errore, codice::cartello_occupato);
  EXPECT_EQ(m.dati_generali[kVoceRipetizione].valore_1, 0);
  EXPECT_TRUE(esiste(testi.treno));
}

}  // namespace
}  // namespace lorvenna
