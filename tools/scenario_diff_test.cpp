#include "tools/scenario_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "driver/run_sequence.h"
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
  void cambia(const std::string& nome, const std::function<void(std::string&)>& modifica) {
    std::string dati = disco.read(nome);
    modifica(dati);
    disco.write(nome, dati);
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

TEST_F(DiffTest, NamesTheRecordThatChanged) {
  cambia(b.treno, [](std::string& d) { d[734 * 15] = 0; });
  // Entry 1 (GALLARATE) is the first entry with a name; its time is the
  // record's last 4 bytes.
  cambia(b.scenario, [](std::string& d) {
    const size_t entry_1 = 34;  // entry 0 is nameless
    d[entry_1 + 34 + 9 - 4] ^= 1;
  });
  cambia(b.linea, [](std::string& d) { d[8 + 10 * 100 + 9] ^= 1; });
  EXPECT_EQ(confronta(), 1);
  const std::string detto = uscita.str();
  EXPECT_NE(detto.find("cell 734 (36700 m): tipo_cella 1 -> 0"), std::string::npos) << detto;
  EXPECT_NE(detto.find("entry 1 (GALLARATE): orario 28560 -> "), std::string::npos) << detto;
  EXPECT_NE(detto.find("plan view: first difference at metre 102, x "), std::string::npos) << detto;
}

TEST_F(DiffTest, AScreenfulUnlessAll) {
  cambia(b.treno, [](std::string& d) {
    for (size_t i = 0; i < d.size(); i += 15) d[i + 13] ^= 1;  // every cell's gradient
  });
  EXPECT_EQ(confronta(), 1);
  EXPECT_NE(uscita.str().find("... and 1621 more (--all shows them)"), std::string::npos);
  EXPECT_EQ(confronta(0), 1);
  EXPECT_EQ(uscita.str().find("more"), std::string::npos);
}

}  // namespace
}  // namespace lorvenna
