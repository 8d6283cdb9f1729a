#include "tools/scenario_diff.h"

#include <gtest/gtest.h>

#include <sstream>

#include "driver/run_sequence.h"
#include "output/binary_decoders.h"
#include "output/binary_files.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"

namespace lorvenna {
namespace {

// Two runs of the embedded scenario, in folders "a" and "b" held in memory.
class DiffTest : public ::testing::Test {
 protected:
  DiffTest() {
    std::ostringstream scarto;
    esegui_programma("a", disco, piattaforma, scarto);
    esegui_programma("b", disco, piattaforma, scarto);
  }
  int confronta(size_t limite = 40) {
    uscita.str("");
    return confronta_scenari(disco, a, b, limite, uscita);
  }
  MemoryFileSystem disco;
  testing::FakePlatform piattaforma;
  file_binari a = binari_di(nomi_file_per("a", kNomeScenario, kNumeroTreno));
  file_binari b = binari_di(nomi_file_per("b", kNomeScenario, kNumeroTreno));
  std::ostringstream uscita;
};

TEST_F(DiffTest, ARunAgainstItselfIsTheSame) {
  EXPECT_EQ(confronta(), 0);
  EXPECT_EQ(uscita.str(), "");
}

// The second run's records are changed and written back with the same
// encoders; diff names each changed record.
TEST_F(DiffTest, NamesTheRecordThatChanged) {
  modello m;
  m.celle = decodifica_celle(disco.read(b.treno));
  m.dati_generali = decodifica_dati_generali(disco.read(b.scenario));
  m.celle[734].tipo_cella = tipo_vuota;
  m.dati_generali[1].orario += 1;
  disco.write(b.treno, codifica_celle(m));
  disco.write(b.scenario, codifica_dati_generali(m));
  const punti_planimetria punti = decodifica_punti(disco.read(b.linea));
  planimetria_t p;
  p.crea(static_cast<int32_t>(punti.x.size()) + 1);
  p.inizia();
  for (size_t i = 2; i < punti.x.size(); ++i)
    p.aggiungi(punti.x[i] + (i == 102 ? 1 : 0), punti.y[i]);
  disco.write(b.linea, codifica_planimetria(p));

  EXPECT_EQ(confronta(), 1);
  const std::string detto = uscita.str();
  EXPECT_NE(detto.find("cell 734 (36700 m): tipo_cella 1 -> 0"), std::string::npos) << detto;
  EXPECT_NE(detto.find("entry 1 (GALLARATE): orario 28560 -> 28561"), std::string::npos) << detto;
  EXPECT_NE(detto.find("plan view: first difference at metre 102, x "), std::string::npos) << detto;
}

TEST_F(DiffTest, AScreenfulUnlessAll) {
  modello m;
  m.celle = decodifica_celle(disco.read(b.treno));
  for (cella& c : m.celle) c.pendenza ^= 1;
  disco.write(b.treno, codifica_celle(m));
  EXPECT_EQ(confronta(), 1);
  EXPECT_NE(uscita.str().find("... and 1621 more (--all shows them)"), std::string::npos);
  EXPECT_EQ(confronta(0), 1);
  EXPECT_EQ(uscita.str().find("more"), std::string::npos);
}

}  // namespace
}  // namespace lorvenna
