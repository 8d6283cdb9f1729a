#include "compiler/compile.h"

#include <gtest/gtest.h>

#include "compiler/description_fixture.h"
#include "compiler/scenario_codes.h"

namespace lorvenna {
namespace {

using testing::linea_breve;

class CompilazioneTest : public testing::DescrizioniTest {
 protected:
  compilazione compila_testi(const std::string& linea, bool salva_linea = true) {
    if (!linea.empty()) disco.write(testi.linea, linea);
    disco.write(testi.treno, std::string(testing::kTrenoMinimo));
    return compila({"Prova", "7", salva_linea, testi, {}}, fs);
  }
};

TEST_F(CompilazioneTest, StoresTheMarksAndCodes) {
  const compilazione c = compila_testi(linea_breve("pendenza, 0, 0\n"));
  ASSERT_EQ(c.esito, esito_compilazione::completa);
  EXPECT_EQ(c.m.codice_errore, codice::nessuno);
  EXPECT_EQ(c.m.dati_generali[kVoceScenario].valore_1, 610);
  EXPECT_EQ(c.m.celle[1].dato_1, 5121);
  EXPECT_EQ(c.m.dati_generali[kVoceScenario].orario, codice_gara_st(c.m));
  EXPECT_EQ(c.m.celle[1].dato_2, codice_gara_og(c.m));
  EXPECT_EQ(c.m.celle.size(), 341u);
  EXPECT_EQ(c.m.planimetria.metri(), 17001u);
  EXPECT_FALSE(esiste(testi.linea));
  EXPECT_FALSE(esiste(testi.treno));
}

TEST_F(CompilazioneTest, Outcomes) {
  struct caso {
    const char* nome;
    std::string linea;
    esito_compilazione esito;
    codice atteso;
  };
  const caso casi[] = {
      {"text board at 0 takes the mark's place", linea_breve("cartello_indicatore, 0, (A)\n"),
       esito_compilazione::errore_1250, codice::nessuno},
      {"speed board takes the code's place",
       linea_breve("indicatori_vmax, 0, 0, 0, 0, 0, 0, 5, 0, 0\n"), esito_compilazione::errore_1251,
       codice::nessuno},
      {"no line text", "", esito_compilazione::senza_tracciato, codice::linea_assente},
      {"a parse code still completes",
       linea_breve("cartello_indicatore, 350, (A)\ncartello_indicatore, 350, (B)\n"),
       esito_compilazione::completa, codice::cartello_occupato},
  };
  for (const caso& c : casi) {
    disco = MemoryFileSystem{};
    const compilazione r = compila_testi(c.linea);
    EXPECT_EQ(r.esito, c.esito) << c.nome;
    EXPECT_EQ(r.m.codice_errore, c.atteso) << c.nome;
  }
}

// Each compile builds its model from nothing: what an earlier one read
// never stands in for a part that this one did not read.
TEST_F(CompilazioneTest, EachCompileStartsFromAFreshModel) {
  compila_testi(linea_breve("cartello_indicatore, 350, (A)\ncurvad4, 100, 300\n"));
  const compilazione senza_linea = compila_testi(linea_breve("pendenza, 0, 0\n"), false);
  EXPECT_FALSE(senza_linea.m.planimetria.creata());
  EXPECT_EQ(senza_linea.m.dati_generali[80].nome, "");
  // Stopped after the route length, before drawing: the line file still
  // gets this compile's empty plan view, not the earlier curve.
  const compilazione ferma =
      compila_testi(testing::crlf("[generale]\nlunghezza percorso, 10000\n"
                                  "ripetizione segnali 4 codici, 3725, 5000\n[fine]\n"));
  ASSERT_EQ(ferma.esito, esito_compilazione::completa);
  EXPECT_EQ(ferma.m.planimetria.tipo(200), righe_planimetria::etichetta::vuoto);
  const compilazione senza_testo = compila_testi("");
  EXPECT_FALSE(senza_testo.m.tracciato_creato());
}

}  // namespace
}  // namespace lorvenna
