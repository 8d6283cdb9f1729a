#include "driver/run_sequence.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "compiler/description_fixture.h"
#include "driver/file_names.h"
#include "platform/real_file_system.h"
#include "testing/failing_file_system.h"
#include "testing/fake_platform.h"
#include "testing/temp_folder.h"

namespace lorvenna {
namespace {

using testing::FailingFileSystem;
using testing::read_file;
using testing::TempFolder;

class ProgrammaTest : public ::testing::Test {
 protected:
  int esegui(FileSystem& fs) { return esegui_programma(cartella.path(), fs, p, errori); }

  TempFolder cartella;
  testing::FakePlatform p;
  std::ostringstream errori;
  nomi_file nomi = nomi_file_per(cartella.path(), "Lorvenna", "2579bis");
};

// FNV-1a, to pin whole outputs without keeping copies of them.
uint64_t impronta(const std::string& dati) {
  uint64_t h = 0xcbf29ce484222325;
  for (unsigned char c : dati) {
    h ^= c;
    h *= 0x100000001b3;
  }
  return h;
}

TEST_F(ProgrammaTest, LeavesExactlyTheSixFilesOfTheEmbeddedScenario) {
  RealFileSystem fs;
  ASSERT_EQ(esegui(fs), 0) << errori.str();
  EXPECT_EQ(p.waits, 1);
  EXPECT_EQ(errori.str(), "");
  EXPECT_EQ(
      testing::files_in(cartella.path()),
      (std::set<std::string>{"Lorvenna_2579bis_note.txt", "Lorvenna_2579bis_rallentamenti.txt",
                             "Lorvenna_2579bis_scheda_treno.txt", "Lorvenna_linea.dat",
                             "Lorvenna_2579bis.sim", "Lorvenna_2579bis.dat"}));
  struct Atteso {
    const std::string* file;
    size_t dimensione;
    uint64_t impronta;
  };
  for (const Atteso& a : {Atteso{&nomi.linea_dat, 1659964, 0xe5828807c3eeb39b},
                          Atteso{&nomi.scenario_sim, 3554, 0xed8879ebaf5f83f3},
                          Atteso{&nomi.treno_dat, 24915, 0x0c4e2d96f5bfbd86},
                          Atteso{&nomi.note, 3745, 0xa9f684521a3bf5d0},
                          Atteso{&nomi.rallentamenti, 3385, 0xe7140228f41f4e5a},
                          Atteso{&nomi.scheda, 3733, 0xa6edecb6acfbbc93}}) {
    const std::string dati = read_file(*a.file);
    EXPECT_EQ(dati.size(), a.dimensione) << *a.file;
    EXPECT_EQ(impronta(dati), a.impronta) << *a.file;
  }
}

TEST_F(ProgrammaTest, TheWalkAddsExactlyTheFourPointsOfTheEmbeddedScenario) {
  RealFileSystem fs;
  ASSERT_EQ(esegui(fs), 0);
  const std::string celle = read_file(nomi.treno_dat);
  std::vector<int> punti;
  for (size_t i = 0; i < celle.size() / 15; ++i) {
    if (celle[i * 15] == 12) punti.push_back(static_cast<int>(i));
  }
  EXPECT_EQ(punti, (std::vector<int>{1044, 1067, 1075, 1081}));
  for (int i : punti) {
    EXPECT_EQ(celle.substr(i * 15 + 1, 2), std::string("\xB4\x00", 2));
  }
  EXPECT_EQ(celle.substr(16, 2), std::string("\x01\x14", 2)) << "cell 1 carries 5121";
}

TEST_F(ProgrammaTest, AReadOnlyDocumentStopsTheRunAtItsStep) {
  testing::write_file(nomi.rallentamenti, "earlier run");
  ::chmod(nomi.rallentamenti.c_str(), 0444);
  RealFileSystem fs;
  EXPECT_EQ(esegui(fs), 2);
  EXPECT_NE(errori.str().find("Lorvenna_2579bis_rallentamenti.txt"), std::string::npos);
  EXPECT_NE(errori.str().find("read-only"), std::string::npos) << errori.str();
  EXPECT_EQ(read_file(nomi.rallentamenti), "earlier run");
  EXPECT_TRUE(fs.exists(nomi.note)) << "the steps before it ran";
  EXPECT_FALSE(fs.exists(nomi.scheda)) << "the steps after it did not";
  EXPECT_FALSE(fs.exists(nomi.treno_dat));
}

TEST_F(ProgrammaTest, ASecondRunLeavesByteIdenticalFiles) {
  RealFileSystem fs;
  ASSERT_EQ(esegui(fs), 0);
  std::vector<std::string> prima;
  for (const auto* f : {&nomi.linea_dat, &nomi.scenario_sim, &nomi.treno_dat}) {
    prima.push_back(read_file(*f));
  }
  const auto elenco = testing::files_in(cartella.path());
  ASSERT_EQ(esegui(fs), 0);
  EXPECT_TRUE(read_file(nomi.linea_dat) == prima[0]);
  EXPECT_TRUE(read_file(nomi.scenario_sim) == prima[1]);
  EXPECT_TRUE(read_file(nomi.treno_dat) == prima[2]);
  EXPECT_EQ(testing::files_in(cartella.path()), elenco);
}

TEST_F(ProgrammaTest, AFailedWriteStopsWithStatusTwoAndNoTruncatedOutput) {
  {
    RealFileSystem fs;
    ASSERT_EQ(esegui(fs), 0);
  }
  const std::string prima = read_file(nomi.scenario_sim);
  FailingFileSystem fs(FailingFileSystem::Op::write, ".sim");
  EXPECT_EQ(esegui(fs), 2);
  EXPECT_NE(errori.str().find("cannot write"), std::string::npos) << errori.str();
  EXPECT_NE(errori.str().find("Lorvenna_2579bis.sim"), std::string::npos);
  EXPECT_TRUE(read_file(nomi.scenario_sim) == prima);
  for (const auto& nome : testing::files_in(cartella.path())) {
    EXPECT_EQ(nome.find(".part"), std::string::npos) << nome;
  }
}

TEST_F(ProgrammaTest, AFailedFirstWriteLeavesNoBinaryFile) {
  FailingFileSystem fs(FailingFileSystem::Op::create, "_linea.txt");
  EXPECT_EQ(esegui(fs), 2);
  EXPECT_NE(errori.str().find("Lorvenna_linea.txt"), std::string::npos) << errori.str();
  EXPECT_TRUE(testing::files_in(cartella.path()).empty());
}

// The compile step: the compile, then the binary files when they are due.
class MemorizzaPercorsoTest : public ::testing::Test {
 protected:
  compilazione compila(const std::string& linea, bool j = true) {
    if (!linea.empty()) disco.write(nomi.linea_txt, linea);
    disco.write(nomi.treno_txt, std::string(testing::kTrenoMinimo));
    return memorizza_percorso(j, "Prova", "7", disco, nomi);
  }
  bool nessun_binario() {
    return !disco.exists(nomi.linea_dat) && !disco.exists(nomi.scenario_sim) &&
           !disco.exists(nomi.treno_dat);
  }

  MemoryFileSystem disco;
  nomi_file nomi = nomi_file_per("", "Prova", "7");
};

TEST_F(MemorizzaPercorsoTest, WritesTheThreeFilesWhenTheCompileCompletes) {
  const compilazione c = compila(testing::linea_breve("pendenza, 0, 0\n"));
  ASSERT_EQ(c.esito, esito_compilazione::completa);
  EXPECT_EQ(disco.read(nomi.treno_dat).size(), 341u * 15);
  EXPECT_EQ(disco.read(nomi.linea_dat).size(), 20u * 17000 - 36);
  EXPECT_EQ(disco.read(nomi.scenario_sim).size(), 87u * 34 + 5 + 1);
}

TEST_F(MemorizzaPercorsoTest, NoBinaryFileWhenTheCompileStopsShort) {
  EXPECT_EQ(compila(testing::linea_breve("cartello_indicatore, 0, (A)\n")).esito,
            esito_compilazione::errore_1250);
  EXPECT_TRUE(nessun_binario());
  EXPECT_EQ(compila("").esito, esito_compilazione::senza_tracciato);
  EXPECT_TRUE(nessun_binario());
}

TEST_F(MemorizzaPercorsoTest, WithoutTheLineTheLineFileIsLeftAlone) {
  disco.write(nomi.linea_dat, "earlier");
  disco.write(nomi.treno_dat, "earlier, longer than nothing");
  ASSERT_EQ(compila(testing::linea_breve("curvas1, 100, 50\n"), false).esito,
            esito_compilazione::completa);
  EXPECT_EQ(disco.read(nomi.linea_dat), "earlier");
  EXPECT_EQ(disco.read(nomi.treno_dat).size(), 341u * 15);
}

}  // namespace
}  // namespace lorvenna
