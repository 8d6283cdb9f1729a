#include "tools/verify.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "driver/run_sequence.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"

namespace lorvenna {
namespace {

// The embedded run's three files, in memory, with one change made to them.
class VerificaTest : public ::testing::Test {
 protected:
  VerificaTest() {
    std::ostringstream scarto;
    esegui_programma("", disco, piattaforma, scarto);
  }
  int verifica_ora() {
    uscita.str("");
    return verifica(disco, file, "Lorvenna", "2579bis", uscita);
  }
  void cambia(const std::string& nome, const std::function<void(std::string&)>& modifica) {
    std::string dati = disco.read(nome);
    modifica(dati);
    disco.write(nome, dati);
  }

  MemoryFileSystem disco;
  testing::FakePlatform piattaforma;
  file_binari file = binari_di(nomi_file_per("", kNomeScenario, kNumeroTreno));
  std::ostringstream uscita;
};

TEST_F(VerificaTest, TheEmbeddedRunIsConsistent) {
  EXPECT_EQ(verifica_ora(), 0) << uscita.str();
  EXPECT_EQ(uscita.str(), "consistent\n");
}

// Each change is found and said: which file, which record, what is wrong.
TEST_F(VerificaTest, FindsWhatAChangedByteBreaks) {
  struct Caso {
    const char* nome;
    std::string file;
    std::function<void(std::string&)> modifica;
    std::string detto;
  };
  const std::string treno = file.treno, scenario = file.scenario, linea = file.linea;
  // Entry 86, the last, takes 34 bytes and its 7-byte name "2579bis"; entry
  // 85's code is the 4 bytes before it.
  const Caso casi[] = {
      {"code in cell 1", treno, [](std::string& d) { d[15 + 3] ^= 1; },
       "cell 1 holds the scenario code 2498; the names give 2499"},
      {"mark in cell 1", treno, [](std::string& d) { d[15 + 1] ^= 1; },
       "cell 1 holds the mark 5120, not 5121"},
      {"unknown cell type", treno, [](std::string& d) { d[15 * 100] = 9; },
       "cell 100 (5000 m) has the unknown type 9"},
      {"train file cut", treno, [](std::string& d) { d.pop_back(); },
       "are not a whole number of 15-byte cells"},
      {"scenario file with a byte more", scenario, [](std::string& d) { d += '\0'; },
       "1 bytes follow the 87 entries"},
      {"scenario code in entry 85", scenario, [](std::string& d) { d[d.size() - 41 - 4] ^= 1; },
       "entry 85 holds the scenario code"},
      {"line file cut", linea, [](std::string& d) { d.pop_back(); },
       "bytes cannot be two equal halves"},
  };
  for (const Caso& c : casi) {
    const std::string prima = disco.read(c.file);
    cambia(c.file, c.modifica);
    EXPECT_EQ(verifica_ora(), 1) << c.nome;
    EXPECT_NE(uscita.str().find(c.file + ": "), std::string::npos)
        << c.nome << ": " << uscita.str();
    EXPECT_NE(uscita.str().find(c.detto), std::string::npos) << c.nome << ": " << uscita.str();
    disco.write(c.file, prima);
  }
}

TEST_F(VerificaTest, AMissingFileCannotBeRead) {
  disco.remove(file.linea);
  EXPECT_THROW(verifica_ora(), FileError);
}

}  // namespace
}  // namespace lorvenna
