#include "tools/scenario_tool.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <set>
#include <sstream>
#include <streambuf>
#include <thread>

#include "driver/file_names.h"
#include "driver/run_sequence.h"
#include "driver/version.h"
#include "encoding/quoted.h"
#include "output/binary_decoders.h"
#include "output/binary_files.h"
#include "platform/real_file_system.h"
#include "testing/failing_file_system.h"
#include "testing/fake_platform.h"
#include "testing/shared_text.h"
#include "testing/temp_folder.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"
#include "tools/command_table.h"

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

// A watch and a language server serve until told to stop; given an
// interrupt and an input that ends, each ends with its status. (Found by
// fuzzing: `watch /` once waited on the real folder for ever.)
TEST_F(ScenarioToolTest, CommandsThatServeEndWhenTold) {
  prepara("Prova", "1");
  EXPECT_EQ(esegui({"watch", cartella.path(), "--scenario", "Prova", "--train", "1"}), 0);
  EXPECT_NE(uscita.str().find("Prova_1: compiled; 3 files written"), std::string::npos)
      << uscita.str();
  EXPECT_NE(uscita.str().find("stopped watching"), std::string::npos) << uscita.str();
  EXPECT_EQ(esegui({"lsp"}), 1) << "an input that ends without `exit`";
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
    std::vector<std::string> a = {"compile", cartella.path(),   "--scenario", "Prova", "--train",
                                  "1",       "--write-on-error"};
    if (cancella) a.push_back("--delete-texts");
    EXPECT_EQ(esegui(a), 1);
    EXPECT_EQ(uscita.str(), "codice_errore=6 posizione_errore=350\n");
    EXPECT_EQ(fs.exists(nomi.linea_txt), !cancella);
    EXPECT_TRUE(fs.exists(nomi.treno_txt)) << "the line stop leaves the train text unread";
  }
}

// Asked to delete the texts, the tool does so only once the binary files
// made from them are on the disk: a run that stops before leaves the texts,
// whatever stopped it.
TEST_F(ScenarioToolTest, DeletedTextsOutliveAFailedWrite) {
  using Op = testing::FailingFileSystem::Op;
  struct caso {
    const char* nome;
    Op op;
    std::string dove;
  };
  const nomi_file nomi = nomi_file_per(cartella.path(), "Lorvenna", "2579bis");
  const caso casi[] = {
      {"read-only scenario file", Op::none, "read-only"},
      {"folder at the train file", Op::none, "folder"},
      {"full disk", Op::write, nomi.treno_dat},
      {"a rename of the set", Op::rename, nomi.scenario_sim},
      {"the folder's sync", Op::sync, cartella.path()},
  };
  for (const caso& c : casi) {
    for (const auto& e : std::filesystem::directory_iterator(cartella.path())) {
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all);
      std::filesystem::remove_all(e.path());
    }
    prepara("Lorvenna", "2579bis");
    if (c.dove == "read-only") {
      write_file(nomi.scenario_sim, "earlier");
      ::chmod(nomi.scenario_sim.c_str(), 0444);
    }
    if (c.dove == "folder") std::filesystem::create_directory(nomi.treno_dat);
    testing::FailingFileSystem disco(fs, c.op, c.op == Op::none ? "" : c.dove);
    uscita.str("");
    errori.str("");
    EXPECT_EQ(esegui_scenario_tool({"compile", cartella.path(), "--delete-texts"}, disco, p, uscita,
                                   errori),
              2)
        << c.nome;
    EXPECT_EQ(read_file(nomi.linea_txt), testo_da_tabella(righe_linea())) << c.nome;
    EXPECT_EQ(read_file(nomi.treno_txt), testo_da_tabella(righe_treno())) << c.nome;
  }
}

// Names whose files come close to the longest name a folder takes work as
// any other; one that goes past it is refused before either text is written.
TEST_F(ScenarioToolTest, NamesNearTheLengthLimit) {
  const std::string lungo(240, 'n');
  ASSERT_EQ(esegui({"init", cartella.path(), "--scenario", lungo, "--train", "1"}), 0)
      << errori.str();
  ASSERT_EQ(esegui({"compile", cartella.path(), "--scenario", lungo, "--train", "1"}), 0)
      << errori.str();
  EXPECT_EQ(testing::files_in(cartella.path()).size(), 5u);

  TempFolder altra;
  const std::string troppo(244, 'm');
  EXPECT_EQ(esegui({"init", altra.path(), "--scenario", troppo, "--train", "1234567890"}), 2);
  EXPECT_NE(errori.str().find("File name too long"), std::string::npos) << errori.str();
  EXPECT_TRUE(testing::files_in(altra.path()).empty());
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

// Two text boards on one cell: code 6, a fault after which the program
// still writes the binary files.
const char* const kLineaConErrore =
    "[generale]\r\nlunghezza percorso, 10000\r\n[cartelli]\r\n"
    "cartello_indicatore, 350, (A)\r\ncartello_indicatore, 350, (B)\r\n[fine]\r\n";

// A text with an error is not compiled into the binary files unless the
// author asks: the earlier files stay as they were, and the findings say why.
TEST_F(ScenarioToolTest, AnErrorWritesNothingWithoutWriteOnError) {
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  write_file(nomi.linea_txt, kLineaConErrore);
  write_file(nomi.treno_txt, "[generale]\r\n[fine]\r\n");
  write_file(nomi.scenario_sim, "earlier");
  const std::vector<std::string> a = {"compile", cartella.path(), "--scenario",
                                      "Prova",   "--train",       "1"};
  ASSERT_EQ(esegui({"check", cartella.path(), "--scenario", "Prova", "--train", "1"}), 1);
  const std::string trovate = uscita.str();
  ASSERT_NE(trovate.find("text board"), std::string::npos) << trovate;

  std::vector<std::string> con_delete = a;
  con_delete.push_back("--delete-texts");
  for (const auto& argomenti : {a, con_delete}) {
    EXPECT_EQ(esegui(argomenti), 1);
    EXPECT_EQ(uscita.str(), "") << "no codes line: no binary file was written";
    EXPECT_EQ(errori.str(), trovate +
                                "scenario-tool: no binary file was written, since the texts have "
                                "errors; --write-on-error writes them as the program would\n");
    EXPECT_EQ(read_file(nomi.scenario_sim), "earlier");
    EXPECT_EQ(testing::files_in(cartella.path()),
              (std::set<std::string>{"Prova_linea.txt", "Prova_1-.txt", "Prova_1.sim"}));
  }
}

// With --write-on-error the files are the program's for the same texts, and
// the findings are the check's.
TEST_F(ScenarioToolTest, WriteOnErrorWritesWhatTheProgramWrites) {
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  write_file(nomi.linea_txt, kLineaConErrore);
  write_file(nomi.treno_txt, "[generale]\r\n[fine]\r\n");
  ASSERT_EQ(esegui({"check", cartella.path(), "--scenario", "Prova", "--train", "1"}), 1);
  const std::string trovate = uscita.str();

  EXPECT_EQ(esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "1",
                    "--write-on-error"}),
            1);
  EXPECT_EQ(uscita.str(), "codice_errore=6 posizione_errore=350\n");
  EXPECT_EQ(errori.str(), trovate);

  TempFolder programma;
  const nomi_file attesi = nomi_file_per(programma.path(), "Prova", "1");
  write_file(attesi.linea_txt, kLineaConErrore);
  write_file(attesi.treno_txt, "[generale]\r\n[fine]\r\n");
  const compilazione c = memorizza_percorso(/*con_linea=*/true, "Prova", "1", fs, attesi);
  ASSERT_EQ(c.m.codice_errore, codice::cartello_occupato);
  EXPECT_TRUE(read_file(nomi.linea_dat) == read_file(attesi.linea_dat));
  EXPECT_TRUE(read_file(nomi.scenario_sim) == read_file(attesi.scenario_sim));
  EXPECT_TRUE(read_file(nomi.treno_dat) == read_file(attesi.treno_dat));
}

// A route whose extended length ends on half a cell has its track rounded
// as the compile rounds it, halves to even: verify expects that track.
TEST_F(ScenarioToolTest, VerifyCountsTheCellsAsTheCompileRounds) {
  for (const char* lunghezza : {"76025", "76075"}) {
    const nomi_file nomi = prepara("Prova", "1");
    std::string linea = read_file(nomi.linea_txt);
    const size_t dove = linea.find("76000");
    ASSERT_NE(dove, std::string::npos);
    write_file(nomi.linea_txt, linea.replace(dove, 5, lunghezza));
    ASSERT_EQ(esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "1"}), 0)
        << lunghezza << ": " << uscita.str() << errori.str();
    EXPECT_EQ(esegui({"verify", cartella.path(), "--scenario", "Prova", "--train", "1"}), 0)
        << lunghezza << ": " << uscita.str();
  }
}

// A curve is no concern of a compile that draws no plan view: its fault
// holds back no file there.
TEST_F(ScenarioToolTest, ACurveFaultDoesNotStopACompileWithoutTheLine) {
  const nomi_file nomi = prepara("Prova", "1");
  std::string linea = read_file(nomi.linea_txt);
  const std::string curve = "[curve]\r\n";
  const size_t dopo = linea.find(curve);
  ASSERT_NE(dopo, std::string::npos);
  linea.insert(dopo + curve.size(), "curvas9,  38000,  100\r\n");  // no class of curve
  write_file(nomi.linea_txt, linea);
  ASSERT_EQ(esegui({"check", cartella.path(), "--scenario", "Prova", "--train", "1"}), 1)
      << "the fault is the check's: " << uscita.str();
  EXPECT_EQ(esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "1"}), 1);
  EXPECT_FALSE(fs.exists(nomi.treno_dat));
  EXPECT_EQ(
      esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "1", "--no-line"}), 0)
      << errori.str();
  EXPECT_TRUE(fs.exists(nomi.treno_dat));
}

TEST_F(ScenarioToolTest, ATextBoardAtTheStartIsError1250AndWritesNoBinaryFile) {
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  write_file(nomi.linea_txt,
             "[generale]\r\nlunghezza percorso, 10000\r\n[cartelli]\r\n"
             "cartello_indicatore, 0, (A)\r\ncartello_indicatore, 0, (B)\r\n[fine]\r\n");
  write_file(nomi.treno_txt, "[generale]\r\n[fine]\r\n");
  ASSERT_EQ(esegui({"check", cartella.path(), "--scenario", "Prova", "--train", "1"}), 1);
  const std::string trovate = uscita.str();
  EXPECT_EQ(esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "1",
                    "--write-on-error"}),
            2);
  EXPECT_EQ(p.errors, " Errore n. 1250");
  EXPECT_EQ(uscita.str(), "") << "no codes line: no binary file was written";
  EXPECT_EQ(errori.str(), trovate) << "the box ends the report";
  EXPECT_EQ(testing::files_in(cartella.path()),
            (std::set<std::string>{"Prova_linea.txt", "Prova_1-.txt"}))
      << "no binary file, and the texts stay";
}

TEST_F(ScenarioToolTest, HelpPrintsTheUsageAndSucceeds) {
  struct caso {
    std::vector<std::string> argomenti;
    std::string inizio;
  };
  for (const caso& c : {
           caso{{"--help"}, "usage: scenario-tool compile DIR"},
           caso{{"compile", "--help"}, "usage: scenario-tool compile DIR"},
           caso{{"init", "x", "-h", "--fast"}, "usage: scenario-tool init DIR"},
       }) {
    EXPECT_EQ(esegui(c.argomenti), 0);
    EXPECT_TRUE(uscita.str().starts_with(c.inizio)) << uscita.str();
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
  struct caso {
    std::vector<std::string> argomenti;
    std::string motivo;
  };
  const caso casi[] = {
      {{"compile", cartella.file("missing")}, "No such file or directory"},
      {{"compile", file}, "Not a directory"},
      {{"compile", cartella.path(), "--scenario", std::string(300, 's')}, "File name too long"},
      {{"compile", cartella.path(), "--scenario", "Prova"}, "not a regular file"},
  };
  for (const caso& c : casi) {
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

// A mistyped train number finds no train text: the run names the file it
// looked for and touches nothing, not even the temporaries of a run that
// was killed (no process has so high an id).
TEST_F(ScenarioToolTest, AMistypedTrainWritesNothingAndNamesTheText) {
  prepara("Prova", "1");
  const nomi_file mistyped = nomi_file_per(cartella.path(), "Prova", "2");
  write_file(mistyped.scenario_sim, "earlier");
  write_file(mistyped.scenario_sim + ".999999999-0.part", "left by a killed run");
  const auto prima = testing::files_in(cartella.path());
  for (const char* flag : {"--delete-texts", "--write-on-error"}) {
    EXPECT_EQ(esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "2", flag}), 2);
    EXPECT_EQ(uscita.str(), "");
    EXPECT_EQ(errori.str(), "scenario-tool: the train description text " +
                                citato(mistyped.treno_txt) + " does not exist\n");
    EXPECT_EQ(testing::files_in(cartella.path()), prima);
    EXPECT_EQ(read_file(mistyped.scenario_sim), "earlier");
  }
}

TEST_F(ScenarioToolTest, VersionPrintsTheVersion) {
  EXPECT_EQ(esegui({"--version"}), 0);
  EXPECT_EQ(uscita.str(), std::string("scenario-tool ") + versione() + "\n");
  EXPECT_EQ(errori.str(), "");
}

// A usage error names the fault and shows the synopsis of the command at
// hand, not the whole help.
TEST_F(ScenarioToolTest, AUsageErrorIsShort) {
  EXPECT_EQ(esegui({"dump", cartella.path(), "--fast"}), 64);
  EXPECT_EQ(errori.str(),
            "scenario-tool: unknown option \"--fast\"\n"
            "usage: scenario-tool dump DIR [--scenario NAME] [--train NUMBER] [--json]\n"
            "See 'scenario-tool dump --help'.\n");
  for (const auto& argomenti : std::vector<std::vector<std::string>>{{}, {"build"}}) {
    EXPECT_EQ(esegui(argomenti), 64);
    const std::string e = errori.str();
    // The fault, one synopsis a command, and where to read more.
    EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), std::ssize(comandi()) + 2) << e;
    for (const char* sinossi :
         {"usage: scenario-tool compile DIR [", "\n       scenario-tool diff DIR_A DIR_B [",
          "\n       scenario-tool plot DIR [", "'scenario-tool --help'",
          "'scenario-tool COMMAND --help'"}) {
      EXPECT_NE(e.find(sinossi), std::string::npos) << sinossi << " in\n" << e;
    }
  }
}

TEST_F(ScenarioToolTest, CommandHelpDescribesThatCommandOnly) {
  EXPECT_EQ(esegui({"dump", "--help"}), 0);
  const std::string aiuto = uscita.str();
  EXPECT_TRUE(aiuto.starts_with(
      "usage: scenario-tool dump DIR [--scenario NAME] [--train NUMBER] [--json]\n"))
      << aiuto;
  EXPECT_NE(aiuto.find("  --json "), std::string::npos) << aiuto;
  EXPECT_EQ(aiuto.find("compile"), std::string::npos) << aiuto;
  EXPECT_EQ(aiuto.find("--delete-texts"), std::string::npos) << aiuto;

  EXPECT_EQ(esegui({"--help"}), 0);
  for (const char* c :
       {"compile DIR", "init DIR", "verify DIR", "dump DIR", "diff DIR_A DIR_B", "plot DIR"}) {
    EXPECT_NE(uscita.str().find(std::string("scenario-tool ") + c), std::string::npos) << c;
  }
}

// Every option that takes a value takes it after "=" too; a flag takes none.
TEST_F(ScenarioToolTest, AnOptionsValueMayFollowAnEqualsSign) {
  ASSERT_EQ(esegui({"init", cartella.path(), "--scenario=Prova", "--train=1"}), 0) << errori.str();
  EXPECT_EQ(testing::files_in(cartella.path()),
            (std::set<std::string>{"Prova_linea.txt", "Prova_1-.txt"}));
  ASSERT_EQ(esegui({"compile", cartella.path(), "--scenario=Prova", "--train", "1"}), 0)
      << errori.str();
  ASSERT_EQ(esegui({"plot", cartella.path(), "--scenario", "Prova", "--train=1",
                    "-o=" + cartella.file("p.svg")}),
            0)
      << errori.str();
  EXPECT_TRUE(fs.exists(cartella.file("p.svg")));
  for (const auto& argomenti : std::vector<std::vector<std::string>>{
           {"init", cartella.path(), "--force=yes"},
           {"compile", cartella.path(), "--no-line="},
           {"init", cartella.path(), "--scenario="},
           {"init", cartella.path(), "--scenery=Prova"},
       }) {
    EXPECT_EQ(esegui(argomenti), 64) << argomenti.back();
  }
}

TEST_F(ScenarioToolTest, PlotToADashWritesToStandardOutput) {
  std::ostringstream scarto;
  ASSERT_EQ(esegui_programma(cartella.path(), fs, p, scarto), 0) << scarto.str();
  const auto prima = testing::files_in(cartella.path());
  ASSERT_EQ(esegui({"plot", cartella.path(), "-o", "-"}), 0) << errori.str();
  EXPECT_TRUE(uscita.str().starts_with("<?xml")) << uscita.str().substr(0, 80);
  EXPECT_NE(uscita.str().find("</svg>"), std::string::npos);
  EXPECT_FALSE(fs.exists("-"));
  std::filesystem::remove("-");
  EXPECT_EQ(testing::files_in(cartella.path()), prima);
}

// Reads `fd` until `fine` has come or nothing has come for 5 s, so that a plot
// that never writes into the FIFO fails the test instead of hanging it.
std::string leggi_fino_a(int fd, std::string_view fine) {
  std::string letto;
  char buffer[65536];
  pollfd attesa{fd, POLLIN, 0};
  while (letto.find(fine) == std::string::npos && ::poll(&attesa, 1, 5000) > 0) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    letto.append(buffer, static_cast<size_t>(n));
  }
  return letto;
}

// A FIFO or a device at -o is written into, as a shell's ">" would, and stays
// what it was; a regular file would take its place if it were replaced.
TEST_F(ScenarioToolTest, PlotIntoAStreamWritesInPlace) {
  std::ostringstream scarto;
  ASSERT_EQ(esegui_programma(cartella.path(), fs, p, scarto), 0) << scarto.str();
  const std::string fifo = cartella.file("picture.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Held open for reading and writing, the FIFO never waits for a peer.
  const int fd = ::open(fifo.c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  std::string letto;
  std::thread lettore([&] { letto = leggi_fino_a(fd, "</svg>\n"); });
  const int stato = esegui({"plot", cartella.path(), "-o", fifo});
  lettore.join();
  ::close(fd);
  ASSERT_EQ(stato, 0) << errori.str();
  EXPECT_TRUE(letto.starts_with("<?xml")) << letto.substr(0, 80);
  EXPECT_NE(letto.find("</svg>"), std::string::npos);
  ASSERT_TRUE(std::filesystem::is_fifo(fifo)) << "the FIFO was replaced";

  // A null device of the test's own where one can be made, so that a fault
  // here cannot replace the system's.
  std::string nulla = cartella.file("null");
  if (::mknod(nulla.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0) nulla = "/dev/null";
  ASSERT_EQ(esegui({"plot", cartella.path(), "-o", nulla}), 0) << errori.str();
  EXPECT_TRUE(std::filesystem::is_character_file(nulla));
  EXPECT_EQ(read_file(nulla), "");

  // /dev/stdout redirected to a file: a link to a descriptor, written through,
  // never replaced by a file of its own.
  const std::string uscita_file = cartella.file("redirected.svg");
  const int redirezione =
      ::open(uscita_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  ASSERT_GE(redirezione, 0);
  const std::string link = cartella.file("stdout");
  std::filesystem::create_symlink("/proc/self/fd/" + std::to_string(redirezione), link);
  const int stato_link = esegui({"plot", cartella.path(), "-o", link});
  ::close(redirezione);
  ASSERT_EQ(stato_link, 0) << errori.str();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_TRUE(read_file(uscita_file).starts_with("<?xml"));
}

// The picture never takes the place of one of the scenario's own files,
// whatever path leads to it: a hard link, a symbolic link, "x/../", another
// case where the file system ignores case. Each is a usage error that
// names the file, for plot and for watch alike, and every file stays.
TEST_F(ScenarioToolTest, PlotNeverReplacesTheScenariosOwnFiles) {
  const nomi_file nomi = prepara("Prova", "1");
  ASSERT_EQ(esegui({"compile", cartella.path(), "--scenario", "Prova", "--train", "1"}), 0)
      << errori.str();
  const std::vector<std::string> propri = {nomi.linea_txt, nomi.treno_txt, nomi.linea_dat,
                                           nomi.scenario_sim, nomi.treno_dat};
  std::vector<std::string> prima;
  for (const std::string& f : propri) prima.push_back(read_file(f));

  std::filesystem::create_directory(cartella.file("x"));
  std::filesystem::create_hard_link(nomi.treno_txt, cartella.file("hard.svg"));
  std::filesystem::create_symlink("Prova_linea.txt", cartella.file("soft.svg"));
  struct caso {
    std::string uscita;
    std::string file;  // the scenario's file it is
    const char* cosa;
  };
  std::vector<caso> casi = {
      {nomi.linea_txt, nomi.linea_txt, "the scenario's line description text"},
      {cartella.file("hard.svg"), nomi.treno_txt, "the scenario's train description text"},
      {cartella.file("soft.svg"), nomi.linea_txt, "the scenario's line description text"},
      {cartella.file("x/../Prova_1.sim"), nomi.scenario_sim, "the scenario binary file"},
      {cartella.file("./Prova_linea.dat"), nomi.linea_dat, "the scenario's line binary file"},
      {nomi.treno_dat, nomi.treno_dat, "the scenario's train binary file"},
  };
  // Where the file system ignores case, another case names the same file.
  std::string maiuscolo = nomi.linea_txt;
  maiuscolo.replace(maiuscolo.size() - 4, 4, ".TXT");
  if (fs.exists(maiuscolo)) {
    casi.push_back({maiuscolo, nomi.linea_txt, "the scenario's line description text"});
  }
  for (const caso& c : casi) {
    for (const char* opzione : {"-o", "--plot"}) {
      SCOPED_TRACE(c.uscita + " " + opzione);
      const bool plot = std::string(opzione) == "-o";
      EXPECT_EQ(esegui({plot ? "plot" : "watch", cartella.path(), "--scenario", "Prova", "--train",
                        "1", opzione, c.uscita}),
                64);
      std::string atteso = "scenario-tool: refusing " + std::string(opzione) + " " +
                           percorso_citato(c.uscita) + ": it is " + c.cosa + " " +
                           percorso_citato(c.file);
      if (c.uscita != c.file) atteso += " (the same file by another path)";
      EXPECT_TRUE(errori.str().starts_with(atteso + "; the picture must not take the place of "))
          << errori.str();
      EXPECT_NE(errori.str().find(plot ? "usage: scenario-tool plot DIR"
                                       : "usage: scenario-tool watch DIR"),
                std::string::npos);
      EXPECT_EQ(uscita.str(), "");
    }
  }
  for (size_t i = 0; i < propri.size(); ++i) {
    EXPECT_TRUE(read_file(propri[i]) == prima[i]) << propri[i] << " was written over";
  }
  EXPECT_TRUE(std::filesystem::is_symlink(cartella.file("soft.svg")));
  EXPECT_EQ(testing::files_in(cartella.path()),
            (std::set<std::string>{"Prova_linea.txt", "Prova_1-.txt", "Prova_linea.dat",
                                   "Prova_1.sim", "Prova_1.dat", "x", "hard.svg", "soft.svg"}));

  // A picture of its own is drawn as ever, beside them.
  ASSERT_EQ(esegui({"plot", cartella.path(), "--scenario", "Prova", "--train", "1", "-o",
                    cartella.file("x/route.svg")}),
            0)
      << errori.str();
  EXPECT_TRUE(read_file(cartella.file("x/route.svg")).starts_with("<?xml"));
}

// plot draws its picture with the folder shared, and lets it go before
// writing: a FIFO that waits for its reader holds no run that writes there.
TEST_F(ScenarioToolTest, PlotWaitsForAFifosReaderHoldingNoFolder) {
  std::ostringstream scarto;
  ASSERT_EQ(esegui_programma(cartella.path(), fs, p, scarto), 0) << scarto.str();
  const std::string fifo = cartella.file("picture.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  std::cout.flush();
  const pid_t figlio = ::fork();
  if (figlio == 0) {
    RealFileSystem fs_figlio;
    testing::FakePlatform p_figlio;
    std::ostringstream u, e;
    ::_exit(esegui_scenario_tool({"plot", cartella.path(), "-o", fifo}, fs_figlio, p_figlio, u, e));
  }
  // Until the plot waits at the FIFO, as the system shows it where it can.
  const std::string wchan = "/proc/" + std::to_string(figlio) + "/wchan";
  const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (read_file(wchan) != "wait_for_partner" && std::chrono::steady_clock::now() < fine) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_NO_THROW(fs.lock_folder(cartella.path(), LockKind::exclusive, [] {
    throw std::runtime_error("plot holds its folder while it waits for the FIFO's reader");
  }));
  const int lettore = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(lettore, 0);
  ::fcntl(lettore, F_SETFL, 0);
  const std::string letto = leggi_fino_a(lettore, "</svg>\n");
  ::close(lettore);
  int stato = 0;
  ::waitpid(figlio, &stato, 0);
  EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
  EXPECT_TRUE(letto.starts_with("<?xml")) << letto.substr(0, 80);
}

// A folder's name reaches the terminal quoted, its control bytes escaped: an
// escape sequence in it would colour the terminal, a newline forge a line.
TEST_F(ScenarioToolTest, FolderNamesInMessagesHoldNoControlByte) {
  const std::string strana = cartella.file("scen\x1B[31mari\no");
  auto senza_controlli = [](const std::string& messaggio) {
    return std::none_of(messaggio.begin(), messaggio.end() - 1,
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
  };
  EXPECT_EQ(esegui({"verify", strana}), 2);
  EXPECT_NE(errori.str().find("\"" + cartella.file("scen\\x1B[31mari\\x0Ao") + "\""),
            std::string::npos)
      << errori.str();
  EXPECT_TRUE(senza_controlli(errori.str())) << errori.str();

  ASSERT_EQ(esegui({"init", strana}), 0) << errori.str();
  EXPECT_EQ(esegui({"init", strana}), 2);
  EXPECT_NE(errori.str().find("already exists"), std::string::npos) << errori.str();
  EXPECT_TRUE(senza_controlli(errori.str())) << errori.str();
}

// init makes the one folder it is given, as mkdir would, not its parents.
TEST_F(ScenarioToolTest, InitMakesItsFolder) {
  const std::string nuova = cartella.file("Nuova");
  ASSERT_EQ(esegui({"init", nuova}), 0) << errori.str();
  EXPECT_EQ(testing::files_in(nuova),
            (std::set<std::string>{"Lorvenna_linea.txt", "Lorvenna_2579bis-.txt"}));
  EXPECT_EQ(esegui({"init", cartella.file("missing/new")}), 2);
  EXPECT_NE(errori.str().find("No such file or directory"), std::string::npos) << errori.str();
  EXPECT_FALSE(fs.exists(cartella.file("missing")));
}

// Runs the tool in a process of its own, so that a run that waits for ever
// fails the test instead of hanging it: -1 while it still waits after `limite`.
int esegui_in_un_processo(const std::vector<std::string>& argomenti,
                          std::chrono::milliseconds limite) {
  const pid_t figlio = ::fork();
  if (figlio == 0) {
    RealFileSystem fs;
    testing::FakePlatform p;
    std::ostringstream uscita, errori;
    ::_exit(esegui_scenario_tool(argomenti, fs, p, uscita, errori));
  }
  const auto fine = std::chrono::steady_clock::now() + limite;
  int stato = 0;
  while (std::chrono::steady_clock::now() < fine) {
    if (::waitpid(figlio, &stato, WNOHANG) == figlio) return WEXITSTATUS(stato);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(figlio, SIGKILL);
  ::waitpid(figlio, &stato, 0);
  return -1;
}

// diff reads two folders, so it holds both; it must neither wait on itself
// when both name one folder nor wait in a circle with another diff.
TEST_F(ScenarioToolTest, DiffLocksBothFoldersWithoutDeadlock) {
  TempFolder b;
  std::ostringstream scarto;
  ASSERT_EQ(esegui_programma(cartella.path(), fs, p, scarto), 0) << scarto.str();
  ASSERT_EQ(esegui_programma(b.path(), fs, p, scarto), 0) << scarto.str();
  const auto limite = std::chrono::seconds(20);
  EXPECT_EQ(esegui_in_un_processo({"diff", cartella.path(), cartella.path()}, limite), 0);
  EXPECT_EQ(esegui_in_un_processo({"diff", cartella.path(), cartella.file(".")}, limite), 0);
  {
    const auto lock = fs.lock_folder(b.path(), LockKind::exclusive, [] {});
    EXPECT_EQ(
        esegui_in_un_processo({"diff", cartella.path(), b.path()}, std::chrono::milliseconds(300)),
        -1)
        << "diff went on while another run held its second folder";
  }
  EXPECT_EQ(esegui_in_un_processo({"diff", cartella.path(), b.path()}, limite), 0);

  // Two diffs of the same pair take the locks in the same order.
  std::vector<std::vector<std::string>> ordini;
  for (const auto& coppia :
       {std::pair(cartella.path(), b.path()), std::pair(b.path() + "/.", cartella.path())}) {
    testing::FailingFileSystem registro(fs);
    std::ostringstream u, e;
    ASSERT_EQ(esegui_scenario_tool({"diff", coppia.first, coppia.second}, registro, p, u, e), 0)
        << e.str();
    ordini.emplace_back();
    for (const auto& op : registro.log()) {
      if (op.op == testing::FailingFileSystem::Op::lock) {
        ordini.back().push_back(fs.folder_identity(op.path));
      }
    }
  }
  EXPECT_EQ(ordini[0].size(), 2u);
  EXPECT_EQ(ordini[0], ordini[1]);
}

// An output that, at each write, checks whether a run that writes could take
// its folders at that moment, as one started while a reader's output sits
// in a full pipe would.
class uscita_che_prova_le_cartelle : public std::streambuf {
 public:
  explicit uscita_che_prova_le_cartelle(std::vector<std::string> cartelle)
      : cartelle_(std::move(cartelle)) {}
  int scritture = 0;
  int cartelle_tenute = 0;

 protected:
  int_type overflow(int_type c) override {
    prova();
    return traits_type::not_eof(c);
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    prova();
    return n;
  }

 private:
  void prova() {
    ++scritture;
    for (const std::string& c : cartelle_) {
      const int fd = ::open(c.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) ++cartelle_tenute;
      if (fd >= 0) ::close(fd);
    }
  }
  std::vector<std::string> cartelle_;
};

TEST_F(ScenarioToolTest, ReadersLetTheirFoldersGoBeforeTheyPrint) {
  TempFolder b;
  std::ostringstream scarto;
  ASSERT_EQ(esegui_programma(cartella.path(), fs, p, scarto), 0) << scarto.str();
  ASSERT_EQ(esegui_programma(b.path(), fs, p, scarto), 0) << scarto.str();
  // One cell changed, so that diff has something to print.
  const file_binari altri = binari_di(nomi_file_per(b.path(), kNomeScenario, kNumeroTreno));
  modello m;
  m.celle = decodifica_celle(read_file(altri.treno));
  m.celle[734].tipo_cella = tipo_vuota;
  write_file(altri.treno, codifica_celle(m));

  struct caso {
    std::vector<std::string> argomenti;
    int stato;
  };
  for (const caso& c : std::vector<caso>{{{"verify", cartella.path()}, 0},
                                         {{"dump", cartella.path()}, 0},
                                         {{"dump", cartella.path(), "--json"}, 0},
                                         {{"plot", cartella.path(), "-o", "-"}, 0},
                                         {{"diff", cartella.path(), b.path()}, 1}}) {
    SCOPED_TRACE(c.argomenti[0]);
    uscita_che_prova_le_cartelle prova({cartella.path(), b.path()});
    std::ostream uscita_provata(&prova);
    std::ostringstream e;
    EXPECT_EQ(esegui_scenario_tool(c.argomenti, fs, p, uscita_provata, e), c.stato) << e.str();
    EXPECT_GT(prova.scritture, 0);
    EXPECT_EQ(prova.cartelle_tenute, 0) << "a folder was still held while the reader printed";
  }
}

// A command kept waiting by another run says so once, and goes on when the
// other run ends; a reader is kept waiting by a writer only.
TEST_F(ScenarioToolTest, ACommandKeptWaitingByAnotherRunSaysSo) {
  std::ostringstream scarto;
  ASSERT_EQ(esegui_programma(cartella.path(), fs, p, scarto), 0) << scarto.str();
  {
    const auto lettore = fs.lock_folder(cartella.path(), LockKind::shared, [] {});
    EXPECT_EQ(esegui_in_un_processo({"verify", cartella.path()}, std::chrono::seconds(20)), 0)
        << "a reader waited for a reader";
  }
  prepara(kNomeScenario, kNumeroTreno);
  struct caso {
    LockKind tenuto;
    std::vector<std::string> argomenti;
  };
  for (const caso& c : std::vector<caso>{{LockKind::shared, {"compile", cartella.path()}},
                                         {LockKind::exclusive, {"verify", cartella.path()}}}) {
    SCOPED_TRACE(c.argomenti[0]);
    auto altra_run = fs.lock_folder(cartella.path(), c.tenuto, [] {});
    testing::SharedText condivisi;
    std::ostream errori_condivisi(&condivisi);
    std::ostringstream u;
    int stato = -1;
    std::thread comando(
        [&] { stato = esegui_scenario_tool(c.argomenti, fs, p, u, errori_condivisi); });
    const std::string avviso =
        "scenario-tool: waiting for another run in " + citato(cartella.path()) + "\n";
    EXPECT_TRUE(condivisi.attendi(avviso, std::chrono::seconds(20)))
        << "not told while the other run held the folder";
    altra_run.reset();
    comando.join();
    EXPECT_EQ(stato, 0) << condivisi.testo();
    EXPECT_EQ(condivisi.testo(), avviso) << "told once";
  }
}

}  // namespace
}  // namespace lorvenna
