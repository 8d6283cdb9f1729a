#include "tools/scenario_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "driver/file_names.h"
#include "driver/run_sequence.h"
#include "platform/real_file_system.h"
#include "testing/fake_platform.h"
#include "testing/temp_folder.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

using testing::read_file;
using testing::TempFolder;
using testing::write_file;

class ScenarioToolTest : public ::testing::Test {
 protected:
  int esegui(std::vector<std::string> argomenti) {
    uscita.str("");
    errori.str("");
    return esegui_scenario_tool(argomenti, fs, p, uscita, errori);
  }
  // Puts the embedded descriptions into the folder under the given names.
  nomi_file prepara(const std::string& scenario, const std::string& treno) {
    nomi_file nomi = nomi_file_per(cartella.path(), scenario, treno);
    write_file(nomi.linea_txt, testo_da_tabella(righe_linea()));
    write_file(nomi.treno_txt, testo_da_tabella(righe_treno()));
    return nomi;
  }

  TempFolder cartella;
  RealFileSystem fs;
  testing::FakePlatform p;
  std::ostringstream uscita;
  std::ostringstream errori;
};

TEST_F(ScenarioToolTest, UsageErrors) {
  for (const auto& argomenti : std::vector<std::vector<std::string>>{
           {},
           {"build", cartella.path()},
           {"compile"},
           {"compile", cartella.path(), "--scenario"},
           {"compile", cartella.path(), "extra"},
           {"compile", cartella.path(), "--fast"},
           {"compile", cartella.path(), "--scenario",
            "\xC5\x81\xC3\xB3"
            "d\xC5\xBA"},
           {"compile", cartella.path(), "--train", "../x"},
       }) {
    EXPECT_EQ(esegui(argomenti), 64);
    EXPECT_NE(errori.str().find("usage: scenario-tool compile DIR"), std::string::npos);
    EXPECT_EQ(uscita.str(), "");
  }
  EXPECT_TRUE(testing::files_in(cartella.path()).empty());
}

TEST_F(ScenarioToolTest, CompilesLikeTheProgram) {
  TempFolder programma;
  std::ostringstream scarto;
  ASSERT_EQ(esegui_programma(programma.path(), fs, p, scarto), 0) << scarto.str();

  const nomi_file nomi = prepara("Lorvenna", "2579bis");
  ASSERT_EQ(esegui({"compile", cartella.path()}), 0) << errori.str();
  EXPECT_EQ(uscita.str(), "codice_errore=0 posizione_errore=0\n");
  const nomi_file attesi = nomi_file_per(programma.path(), "Lorvenna", "2579bis");
  EXPECT_TRUE(read_file(nomi.linea_dat) == read_file(attesi.linea_dat));
  EXPECT_TRUE(read_file(nomi.scenario_sim) == read_file(attesi.scenario_sim));
  EXPECT_TRUE(read_file(nomi.treno_dat) == read_file(attesi.treno_dat));
  EXPECT_EQ(testing::files_in(cartella.path()),
            (std::set<std::string>{"Lorvenna_linea.dat", "Lorvenna_2579bis.sim",
                                   "Lorvenna_2579bis.dat"}));
}

TEST_F(ScenarioToolTest, NamesAreUtf8OnDiskAndWindows1252Inside) {
  const nomi_file nomi = prepara("Citt\xC3\xA0", "12");
  ASSERT_EQ(esegui({"compile", cartella.path(), "--scenario", "Citt\xC3\xA0", "--train", "12",
                    "--no-line"}),
            0)
      << errori.str();
  EXPECT_FALSE(fs.exists(nomi.linea_dat));
  EXPECT_FALSE(fs.exists(nomi.linea_txt));
  const std::string sim = read_file(nomi.scenario_sim);
  EXPECT_NE(sim.find(std::string("\x05\x00"
                                 "Citt\xE0",
                                 7)),
            std::string::npos);
}

TEST_F(ScenarioToolTest, ReportsARecordedCode) {
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  write_file(nomi.linea_txt,
             "[generale]\r\nlunghezza percorso, 10000\r\n[cartelli]\r\n"
             "cartello_indicatore, 350, (A)\r\ncartello_indicatore, 350, (B)\r\n[fine]\r\n");
  write_file(nomi.treno_txt, "[generale]\r\n[fine]\r\n");
  EXPECT_EQ(esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "1"}), 1);
  EXPECT_EQ(uscita.str(), "codice_errore=6 posizione_errore=350\n");
  EXPECT_NE(errori.str().find("text board"), std::string::npos) << errori.str();
  EXPECT_TRUE(fs.exists(nomi.treno_dat));
}

TEST_F(ScenarioToolTest, ATextBoardAtTheStartIsError1250AndWritesNoBinaryFile) {
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  write_file(nomi.linea_txt,
             "[generale]\r\nlunghezza percorso, 10000\r\n[cartelli]\r\n"
             "cartello_indicatore, 0, (A)\r\n[fine]\r\n");
  write_file(nomi.treno_txt, "[generale]\r\n[fine]\r\n");
  try {
    esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "1"});
    FAIL() << "the run went on after error 1250";
  } catch (const std::string& messaggio) {
    EXPECT_EQ(messaggio, " Errore n. 1250");
  }
  EXPECT_TRUE(testing::files_in(cartella.path()).empty());
}

TEST_F(ScenarioToolTest, MissingDescriptionStopsWithStatusTwo) {
  EXPECT_EQ(esegui({"compile", cartella.path()}), 2);
  EXPECT_EQ(uscita.str(), "");
  EXPECT_NE(errori.str().find("does not exist"), std::string::npos) << errori.str();
  EXPECT_TRUE(testing::files_in(cartella.path()).empty());
}

}  // namespace
}  // namespace lorvenna
