#include "inspect/verify.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "driver/embedded_run_fixture.h"
#include "output/binary_decoders.h"
#include "output/binary_files.h"

namespace lorvenna {
namespace {

// The embedded run's three files, in memory, with one change made to them.
class VerificaTest : public testing::scenario_incorporato {
 protected:
  int verifica_ora() {
    uscita.str("");
    return verifica(disco, file, "Lorvenna", "2579bis", uscita);
  }
  void cambia(const std::string& nome, const std::function<void(std::string&)>& modifica) {
    std::string dati = disco.files().at(nome);
    modifica(dati);
    disco.write(nome, dati);
  }

  std::ostringstream uscita;
};

TEST_F(VerificaTest, TheEmbeddedRunIsConsistent) {
  EXPECT_EQ(verifica_ora(), 0) << uscita.str();
  EXPECT_EQ(uscita.str(), "consistent\n");
}

// Each change, made to the decoded records and written back with the same
// encoders, is found and said: which file, which record, what is wrong.
TEST_F(VerificaTest, FindsWhatAChangedRecordBreaks) {
  struct caso {
    const char* nome;
    std::function<void(modello&)> modifica;
    std::string file;
    std::string detto;
  };
  const caso casi[] = {
      {"code in cell 1", [](modello& m) { m.celle[1].dato_2 += 1; }, file.treno,
       "cell 1 holds the scenario code 2500; the names give 2499"},
      {"mark in cell 1", [](modello& m) { m.celle[1].dato_1 = 5120; }, file.treno,
       "cell 1 holds the mark 5120, not 5121"},
      {"code in entry 85", [](modello& m) { m.dati_generali[kVoceScenario].orario += 1; },
       file.scenario, "entry 85 holds the scenario code 34919; its names give 34918"},
      {"unknown cell type", [](modello& m) { m.celle[100].tipo_cella = 9; }, file.treno,
       "cell 100 (5000 m) has the unknown type 9"},
      {"stop mark without a station", [](modello& m) { m.dati_generali[13].nome.clear(); },
       file.treno, "points at entry 13, which holds no station"},
      {"text board without a text", [](modello& m) { m.dati_generali[80].nome.clear(); },
       file.treno, "cell 8 (400 m): its text board points at entry 80, which holds no text"},
  };
  const std::string treno = disco.files().at(file.treno),
                    scenario = disco.files().at(file.scenario);
  for (const caso& c : casi) {
    modello m;
    m.celle = decodifica_celle(treno);
    m.dati_generali = decodifica_dati_generali(scenario);
    c.modifica(m);
    disco.write(file.treno, codifica_celle(m));
    disco.write(file.scenario, codifica_dati_generali(m));
    EXPECT_EQ(verifica_ora(), 1) << c.nome;
    EXPECT_NE(uscita.str().find(c.file + ": "), std::string::npos)
        << c.nome << ": " << uscita.str();
    EXPECT_NE(uscita.str().find(c.detto), std::string::npos) << c.nome << ": " << uscita.str();
  }
}

// Files cut or grown are read no further than they go.
TEST_F(VerificaTest, FindsADamagedFile) {
  struct caso {
    std::string file;
    std::function<void(std::string&)> modifica;
    std::string detto;
  };
  const caso casi[] = {
      {file.treno, [](std::string& d) { d.pop_back(); }, "are not a whole number of 15-byte cells"},
      {file.scenario, [](std::string& d) { d += '\0'; }, "1 bytes follow the 87 entries"},
      {file.linea, [](std::string& d) { d.pop_back(); }, "bytes cannot be two equal halves"},
  };
  for (const caso& c : casi) {
    const std::string prima = disco.files().at(c.file);
    cambia(c.file, c.modifica);
    EXPECT_EQ(verifica_ora(), 1) << c.file;
    EXPECT_NE(uscita.str().find(c.detto), std::string::npos) << uscita.str();
    disco.write(c.file, prima);
  }
}

TEST_F(VerificaTest, AMissingFileCannotBeRead) {
  disco.remove(file.linea);
  EXPECT_THROW(verifica_ora(), FileError);
}

}  // namespace
}  // namespace lorvenna
