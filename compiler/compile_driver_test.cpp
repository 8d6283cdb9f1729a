#include "compiler/compile_driver.h"

#include <gtest/gtest.h>

#include "compiler/line_test_fixture.h"
#include "compiler/scenario_codes.h"

namespace lorvenna {
namespace {

using testing::linea_breve;

class CompilazioneTest : public testing::DescrizioniTest {
 protected:
  esito_compilazione compila(const std::string& linea, int32_t j = 1) {
    if (!linea.empty()) testing::write_file(nomi.linea_txt, linea);
    testing::write_file(nomi.treno_txt, std::string(testing::kTrenoMinimo));
    return memorizza_percorso(m, j, fs, nomi);
  }
  bool nessun_binario() {
    return !esiste(nomi.linea_dat) && !esiste(nomi.scenario_sim) && !esiste(nomi.treno_dat);
  }
};

TEST_F(CompilazioneTest, StoresTheMarksAndCodesAndWritesTheFiles) {
  ASSERT_EQ(compila(linea_breve("pendenza, 0, 0\n")), esito_compilazione::scritto);
  EXPECT_EQ(m.codice_errore, 0);
  EXPECT_EQ(m.dati_generali[85].valore_1, 610);
  EXPECT_EQ(m.celle[1].dato_1, 5121);
  EXPECT_EQ(m.dati_generali[85].orario, codice_gara_st(m));
  EXPECT_EQ(m.celle[1].dato_2, codice_gara_og(m));
  EXPECT_EQ(testing::read_file(nomi.treno_dat).size(), 341u * 15);
  EXPECT_EQ(testing::read_file(nomi.linea_dat).size(), 20u * 17000 - 36);
  EXPECT_EQ(testing::read_file(nomi.scenario_sim).size(), 87u * 34 + 5 + 1);
}

TEST_F(CompilazioneTest, TextBoardAtZeroIsError1250AndWritesNothing) {
  EXPECT_EQ(compila(linea_breve("cartello_indicatore, 0, (A)\n")), esito_compilazione::errore_1250);
  EXPECT_TRUE(nessun_binario());
}

TEST_F(CompilazioneTest, TakenCodePlaceIsError1251AndWritesNothing) {
  EXPECT_EQ(compila(linea_breve("indicatori_vmax, 0, 0, 0, 0, 0, 0, 5, 0, 0\n")),
            esito_compilazione::errore_1251);
  EXPECT_TRUE(nessun_binario());
}

TEST_F(CompilazioneTest, NoTrackMeansNoFiles) {
  EXPECT_EQ(compila(""), esito_compilazione::senza_tracciato);
  EXPECT_EQ(m.codice_errore, 101);
  EXPECT_TRUE(nessun_binario());
}

TEST_F(CompilazioneTest, ParseCodesStillWriteTheFiles) {
  EXPECT_EQ(compila(linea_breve("cartello_indicatore, 350, (A)\ncartello_indicatore, 350, (B)\n")),
            esito_compilazione::scritto);
  EXPECT_EQ(m.codice_errore, 6);
  EXPECT_FALSE(nessun_binario());
}

TEST_F(CompilazioneTest, WithoutTheLineTheLineFileIsLeftAlone) {
  testing::write_file(nomi.linea_dat, "earlier");
  testing::write_file(nomi.treno_dat, "earlier, longer than nothing");
  ASSERT_EQ(compila(linea_breve("curvas1, 100, 50\n"), 0), esito_compilazione::scritto);
  EXPECT_EQ(testing::read_file(nomi.linea_dat), "earlier");
  EXPECT_EQ(testing::read_file(nomi.treno_dat).size(), 341u * 15);
}

TEST_F(CompilazioneTest, ClearsTheGeneralTableBeforeReading) {
  m.dati_generali[5].nome = "old";
  m.dati_generali[85].valore_1 = 610;
  m.celle.assign(5, cella{});
  ASSERT_EQ(compila(linea_breve("pendenza, 0, 0\n")), esito_compilazione::scritto);
  EXPECT_EQ(m.dati_generali[5].nome, "");
  EXPECT_EQ(m.ultima_cella(), 340);
}

}  // namespace
}  // namespace lorvenna
