#include "driver/run_sequence.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "driver/file_names.h"
#include "driver/test_support.h"

namespace lorvenna {
namespace {

using testing::FailingFileSystem;
using testing::read_file;
using testing::TempFolder;

class PiattaformaFinta : public piattaforma {
 public:
  struct fine_processo {
    std::string messaggio;
  };
  void mostra_attesa() override { ++attese; }
  [[noreturn]] void errore(const std::string& a) override {
    throw fine_processo{messaggio_errore(a)};
  }
  int attese = 0;
};

std::set<std::string> file_in(const std::string& cartella) {
  std::set<std::string> nomi;
  for (const auto& e : std::filesystem::directory_iterator(cartella)) {
    nomi.insert(e.path().filename().string());
  }
  return nomi;
}

class ProgrammaTest : public ::testing::Test {
 protected:
  int esegui(FileSystem& fs) { return esegui_programma(cartella.path(), fs, p, errori); }

  TempFolder cartella;
  PiattaformaFinta p;
  std::ostringstream errori;
  nomi_file nomi = nomi_file_per(cartella.path(), "Lorvenna", "2579bis");
};

TEST_F(ProgrammaTest, WritesTheBinaryFilesOfTheEmbeddedScenario) {
  RealFileSystem fs;
  ASSERT_EQ(esegui(fs), 0) << errori.str();
  EXPECT_EQ(p.attese, 1);
  EXPECT_EQ(read_file(nomi.linea_dat).size(), 1659964u);
  EXPECT_EQ(read_file(nomi.treno_dat).size(), 24915u);
  EXPECT_FALSE(fs.exists(nomi.linea_txt));
  EXPECT_FALSE(fs.exists(nomi.treno_txt));
  for (const auto& nome : file_in(cartella.path())) {
    EXPECT_EQ(nome.find(".part"), std::string::npos) << nome;
  }
}

TEST_F(ProgrammaTest, ASecondRunLeavesByteIdenticalFiles) {
  RealFileSystem fs;
  ASSERT_EQ(esegui(fs), 0);
  std::vector<std::string> prima;
  for (const auto* f : {&nomi.linea_dat, &nomi.scenario_sim, &nomi.treno_dat}) {
    prima.push_back(read_file(*f));
  }
  const auto elenco = file_in(cartella.path());
  ASSERT_EQ(esegui(fs), 0);
  EXPECT_TRUE(read_file(nomi.linea_dat) == prima[0]);
  EXPECT_TRUE(read_file(nomi.scenario_sim) == prima[1]);
  EXPECT_TRUE(read_file(nomi.treno_dat) == prima[2]);
  EXPECT_EQ(file_in(cartella.path()), elenco);
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
  for (const auto& nome : file_in(cartella.path())) {
    EXPECT_EQ(nome.find(".part"), std::string::npos) << nome;
  }
}

TEST_F(ProgrammaTest, AFailedFirstWriteLeavesNoBinaryFile) {
  FailingFileSystem fs(FailingFileSystem::Op::create, "_linea.txt");
  EXPECT_EQ(esegui(fs), 2);
  EXPECT_NE(errori.str().find("Lorvenna_linea.txt"), std::string::npos) << errori.str();
  EXPECT_TRUE(file_in(cartella.path()).empty());
}

}  // namespace
}  // namespace lorvenna
