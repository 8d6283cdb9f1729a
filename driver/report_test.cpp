#include "driver/report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "testing/fake_platform.h"

namespace lorvenna {
namespace {

class RapportoTest : public ::testing::Test {
 protected:
  int riporta(esito_compilazione e, std::ostream* out) {
    c.esito = e;
    return riporta_compilazione(c, p, out, errori);
  }
  compilazione c{esito_compilazione::completa, {}, {}};
  modello& m = c.m;
  testing::FakePlatform p;
  std::ostringstream uscita;
  std::ostringstream errori;
};

TEST_F(RapportoTest, FatalErrorsGoThroughThePlatformMessage) {
  EXPECT_EQ(messaggio_errore("1250"), " Errore n. 1250");
  EXPECT_EQ(messaggio_errore("1250").size(), 15u);
  EXPECT_EQ(riporta(esito_compilazione::errore_1251, &uscita), 2);
  EXPECT_EQ(p.errors, " Errore n. 1251");
  EXPECT_EQ(uscita.str(), "");
  EXPECT_EQ(errori.str(), "");
}

TEST_F(RapportoTest, ExitStatuses) {
  EXPECT_EQ(riporta(esito_compilazione::completa, &uscita), 0);
  EXPECT_EQ(uscita.str(), "codice_errore=0 posizione_errore=0\n");
  EXPECT_EQ(errori.str(), "");

  m.codice_errore = codice::punto_dentro_o_dopo;
  m.posizione_errore = 4500;
  EXPECT_EQ(riporta(esito_compilazione::completa, nullptr), 1);
  EXPECT_NE(errori.str().find("codice_errore=13 posizione_errore=4500\n"), std::string::npos);
  EXPECT_NE(errori.str().find("No room for a 180 point"), std::string::npos) << errori.str();

  m.codice_errore = codice::linea_assente;
  EXPECT_EQ(riporta(esito_compilazione::senza_tracciato, &uscita), 2);
  EXPECT_NE(errori.str().find("line description text does not exist"), std::string::npos);
}

// The text's path is quoted, its control bytes escaped, as in every message.
TEST_F(RapportoTest, AReadingFailureQuotesTheTextsPath) {
  m.codice_errore = codice::lettura;
  c.traccia.motivo = {"scen\x1B[31mario/Prova_linea.txt", 4, "\"x\" is not a number", {}, {}, {}};
  EXPECT_EQ(riporta(esito_compilazione::completa, &uscita), 1);
  EXPECT_NE(errori.str().find("(\"scen\\x1B[31mario/Prova_linea.txt\": line 4: "),
            std::string::npos)
      << errori.str();
}

}  // namespace
}  // namespace lorvenna
