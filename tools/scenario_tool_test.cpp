#include "tools/scenario_tool.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
           {"compile", ""},
           {"compile", cartella.path(), "--scenario", ""},
           {"compile", cartella.path(), "--train", ""},
           {"compile", cartella.path(), "--train", "\xC0\xAF"},  // an overlong "/"
           {"compile", cartella.path(), "--train", "\xE0\x80\xAF"},
           {"compile", cartella.path(), "--train", "\xED\xA0\x80"},  // a surrogate
           {"compile", cartella.path(), "--train", "a\nb"},
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
  // The author's texts stay; asked to, the tool deletes them as the program does.
  const std::set<std::string> binari = {"Lorvenna_linea.dat", "Lorvenna_2579bis.sim",
                                        "Lorvenna_2579bis.dat"};
  std::set<std::string> con_testi = binari;
  con_testi.insert({"Lorvenna_linea.txt", "Lorvenna_2579bis-.txt"});
  EXPECT_EQ(testing::files_in(cartella.path()), con_testi);
  EXPECT_EQ(read_file(nomi.linea_txt), testo_da_tabella(righe_linea()));
  ASSERT_EQ(esegui({"compile", cartella.path(), "--delete-texts"}), 0) << errori.str();
  EXPECT_EQ(testing::files_in(cartella.path()), binari);
  EXPECT_TRUE(read_file(nomi.treno_dat) == read_file(attesi.treno_dat));
}

// Kept or deleted, the texts go through the same compile: a stop that
// deletes only the line text shows the same way in both.
TEST_F(ScenarioToolTest, KeptTextsCompileAsDeletedOnes) {
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  const std::string linea =
      "[generale]\r\nlunghezza percorso, 10000\r\n[cartelli]\r\n"
      "cartello_indicatore, 350, (A)\r\ncartello_indicatore, 350, (B)\r\n[fine]\r\n";
  for (bool cancella : {false, true}) {
    write_file(nomi.linea_txt, linea);
    write_file(nomi.treno_txt, "[generale]\r\n[fine]\r\n");
    std::vector<std::string> a = {"compile", cartella.path(), "--scenario",
                                  "Prova",   "--train",       "1"};
    if (cancella) a.push_back("--delete-texts");
    EXPECT_EQ(esegui(a), 1);
    EXPECT_EQ(uscita.str(), "codice_errore=6 posizione_errore=350\n");
    EXPECT_EQ(fs.exists(nomi.linea_txt), !cancella);
    EXPECT_TRUE(fs.exists(nomi.treno_txt)) << "the line stop leaves the train text unread";
  }
}

TEST_F(ScenarioToolTest, NamesAreUtf8OnDiskAndWindows1252Inside) {
  const nomi_file nomi = prepara("Citt\xC3\xA0", "12");
  ASSERT_EQ(esegui({"compile", cartella.path(), "--scenario", "Citt\xC3\xA0", "--train", "12",
                    "--no-line"}),
            0)
      << errori.str();
  EXPECT_FALSE(fs.exists(nomi.linea_dat));
  EXPECT_TRUE(fs.exists(nomi.linea_txt));
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
  EXPECT_EQ(testing::files_in(cartella.path()),
            (std::set<std::string>{"Prova_linea.txt", "Prova_1-.txt"}))
      << "no binary file, and the texts stay";
}

TEST_F(ScenarioToolTest, HelpPrintsTheUsageAndSucceeds) {
  for (const auto& argomenti :
       std::vector<std::vector<std::string>>{{"--help"}, {"compile", "--help"}, {"init", "-h"}}) {
    EXPECT_EQ(esegui(argomenti), 0);
    EXPECT_NE(uscita.str().find("usage: scenario-tool compile DIR"), std::string::npos);
    EXPECT_NE(uscita.str().find("--delete-texts"), std::string::npos);
    EXPECT_EQ(errori.str(), "");
  }
}

TEST_F(ScenarioToolTest, ArgumentsAreQuotedShortAndEscaped) {
  EXPECT_EQ(esegui({std::string(1000, 'x') + "\x1B"}), 64);
  EXPECT_NE(errori.str().find("unknown command \"" + std::string(40, 'x') + "...\""),
            std::string::npos)
      << errori.str();
  EXPECT_EQ(esegui({"compile", cartella.path(), "--train", std::string("a\x01", 2)}), 64);
  EXPECT_NE(errori.str().find("\"a\\x01\""), std::string::npos) << errori.str();
}

// What stands in the place of DIR or of a text is reported for what it is,
// with the system's reason, and nothing waits for a writer.
TEST_F(ScenarioToolTest, FolderAndTextProblemsAreReportedWithTheirReason) {
  const std::string file = cartella.file("plain");
  write_file(file, "x");
  const std::string fifo = cartella.file("Prova_linea.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  struct Caso {
    std::vector<std::string> argomenti;
    std::string motivo;
  };
  const Caso casi[] = {
      {{"compile", cartella.file("missing")}, "No such file or directory"},
      {{"compile", file}, "Not a directory"},
      {{"compile", cartella.path(), "--scenario", std::string(300, 's')}, "File name too long"},
      {{"compile", cartella.path(), "--scenario", "Prova"}, "not a regular file"},
  };
  for (const Caso& c : casi) {
    EXPECT_EQ(esegui(c.argomenti), 2) << c.motivo;
    EXPECT_NE(errori.str().find(c.motivo), std::string::npos) << errori.str();
    EXPECT_EQ(errori.str().find("does not exist"), std::string::npos) << errori.str();
  }
}

// init writes the program's own description texts under the given names;
// compiled, they give the program's binary files.
TEST_F(ScenarioToolTest, InitWritesTheEmbeddedTextsAndKeepsAnAuthorsOwn) {
  const nomi_file nomi = nomi_file_per(cartella.path(), "Citt\xC3\xA0", "7");
  ASSERT_EQ(esegui({"init", cartella.path(), "--scenario", "Citt\xC3\xA0", "--train", "7"}), 0)
      << errori.str();
  EXPECT_EQ(read_file(nomi.linea_txt), testo_da_tabella(righe_linea()));
  EXPECT_EQ(read_file(nomi.treno_txt), testo_da_tabella(righe_treno()));

  write_file(nomi.treno_txt, "my own work");
  EXPECT_EQ(esegui({"init", cartella.path(), "--scenario", "Citt\xC3\xA0", "--train", "7"}), 2);
  EXPECT_NE(errori.str().find("--force"), std::string::npos) << errori.str();
  EXPECT_EQ(read_file(nomi.treno_txt), "my own work");
  EXPECT_EQ(
      esegui({"init", cartella.path(), "--scenario", "Citt\xC3\xA0", "--train", "7", "--force"}),
      0);
  EXPECT_EQ(read_file(nomi.treno_txt), testo_da_tabella(righe_treno()));
  EXPECT_EQ(esegui({"init", cartella.path(), "--no-line"}), 64) << "a flag of compile";

  TempFolder programma;
  std::ostringstream scarto;
  ASSERT_EQ(esegui_programma(programma.path(), fs, p, scarto), 0);
  const nomi_file del_programma = nomi_file_per(programma.path(), "Lorvenna", "2579bis");
  ASSERT_EQ(esegui({"init", cartella.path()}), 0);
  ASSERT_EQ(esegui({"compile", cartella.path()}), 0);
  const nomi_file compilati = nomi_file_per(cartella.path(), "Lorvenna", "2579bis");
  EXPECT_TRUE(read_file(compilati.treno_dat) == read_file(del_programma.treno_dat));
  EXPECT_TRUE(read_file(compilati.linea_dat) == read_file(del_programma.linea_dat));
}

TEST_F(ScenarioToolTest, MissingDescriptionStopsWithStatusTwo) {
  EXPECT_EQ(esegui({"compile", cartella.path()}), 2);
  EXPECT_EQ(uscita.str(), "");
  EXPECT_NE(errori.str().find("does not exist"), std::string::npos) << errori.str();
  EXPECT_TRUE(testing::files_in(cartella.path()).empty());
}

}  // namespace
}  // namespace lorvenna
