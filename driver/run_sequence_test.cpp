#include "driver/run_sequence.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include "compiler/description_fixture.h"
#include "driver/file_names.h"
#include "encoding/quoted.h"
#include "platform/real_file_system.h"
#include "testing/failing_file_system.h"
#include "testing/fake_platform.h"
#include "testing/shared_text.h"
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
  struct atteso {
    const std::string* file;
    size_t dimensione;
    uint64_t impronta;
  };
  for (const atteso& a : {atteso{&nomi.linea_dat, 1659964, 0xe5828807c3eeb39b},
                          atteso{&nomi.scenario_sim, 3554, 0xed8879ebaf5f83f3},
                          atteso{&nomi.treno_dat, 24915, 0x0c4e2d96f5bfbd86},
                          atteso{&nomi.note, 3745, 0xa9f684521a3bf5d0},
                          atteso{&nomi.rallentamenti, 3385, 0xe7140228f41f4e5a},
                          atteso{&nomi.scheda, 3733, 0xa6edecb6acfbbc93}}) {
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

// Seven syncs: each kept file once, before it is renamed into place, and the
// folder once, after the last rename, which makes every rename durable. The
// description texts, read back and deleted within the run, are not synced.
TEST_F(ProgrammaTest, SyncsEachKeptFileOnceAndTheFolderOnceAtTheEnd) {
  RealFileSystem disco;
  FailingFileSystem registro(disco);
  ASSERT_EQ(esegui(registro), 0) << errori.str();
  std::multiset<std::string> file_sincronizzati;
  std::vector<size_t> sync_cartella;
  size_t ultima_rinomina = 0;
  for (size_t i = 0; i < registro.log().size(); ++i) {
    const auto& o = registro.log()[i];
    if (o.op == FailingFileSystem::Op::sync && o.path == cartella.path()) {
      sync_cartella.push_back(i);
    } else if (o.op == FailingFileSystem::Op::sync) {
      file_sincronizzati.insert(o.path);
    } else if (o.op == FailingFileSystem::Op::rename) {
      ultima_rinomina = i;
      if (!o.path.ends_with("-.txt") && !o.path.ends_with("_linea.txt")) {
        EXPECT_EQ(file_sincronizzati.count(o.path), 1u) << o.path << " renamed unsynced";
      }
    }
  }
  EXPECT_EQ(file_sincronizzati,
            (std::multiset<std::string>{nomi.note, nomi.rallentamenti, nomi.scheda, nomi.linea_dat,
                                        nomi.scenario_sim, nomi.treno_dat}));
  ASSERT_EQ(sync_cartella.size(), 1u);
  EXPECT_GT(sync_cartella[0], ultima_rinomina);
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

// The six outputs of a good run, by name.
std::map<std::string, std::string> uscite_buone(const nomi_file& nomi) {
  std::map<std::string, std::string> uscite;
  for (const std::string* f : {&nomi.linea_dat, &nomi.scenario_sim, &nomi.treno_dat, &nomi.note,
                               &nomi.rallentamenti, &nomi.scheda}) {
    uscite[*f] = read_file(*f);
  }
  return uscite;
}

void svuota(const std::string& cartella) {
  for (const auto& e : std::filesystem::directory_iterator(cartella)) {
    std::filesystem::remove_all(e.path());
  }
}

std::string parola(FailingFileSystem::Op op) {
  using Op = FailingFileSystem::Op;
  switch (op) {
    case Op::create:
      return "create";
    case Op::write:
      return "write";
    case Op::sync:
      return "sync";
    case Op::rename:
      return "rename";
    case Op::remove:
      return "delete";
    case Op::read:
      return "open";
    case Op::lock:
      return "lock";
    case Op::keep:
      return "keep";
    case Op::none:
      break;
  }
  return "";
}

// Each file operation of a whole run fails in turn. The run stops (or, for a
// description text the compile reads or deletes, records code 25), says which
// operation failed on which file, and every output holds either its earlier
// bytes or the complete new ones; no temporary file is left behind.
TEST_F(ProgrammaTest, EveryFileOperationOfARunCanFail) {
  RealFileSystem disco;
  ASSERT_EQ(esegui(disco), 0);
  const auto nuove = uscite_buone(nomi);
  FailingFileSystem registro(disco);
  ASSERT_EQ(esegui(registro), 0);
  const auto operazioni = registro.log();
  ASSERT_GT(operazioni.size(), 30u);

  for (size_t i = 0; i < operazioni.size(); ++i) {
    const auto& o = operazioni[i];
    const std::string caso = std::to_string(i) + " " + parola(o.op) + " " + o.path;
    svuota(cartella.path());
    for (const auto& [nome, byte] : nuove) testing::write_file(nome, "earlier " + nome);
    FailingFileSystem fs(disco);
    fs.fail_at(i);
    errori.str("");
    const int stato = esegui(fs);
    // An earlier output's second name that cannot be removed once the set is
    // in place harms nothing: a run after this process has ended removes it.
    if (o.op == FailingFileSystem::Op::remove && o.path.ends_with(".part")) {
      EXPECT_EQ(stato, 0) << caso;
      continue;
    }
    const bool testo_del_compile =
        o.op == FailingFileSystem::Op::read || o.op == FailingFileSystem::Op::remove;
    if (testo_del_compile) {
      EXPECT_TRUE(stato == 1 || stato == 2) << caso;
    } else {
      EXPECT_EQ(stato, 2) << caso;
    }
    EXPECT_NE(errori.str().find("cannot " + parola(o.op) + " \"" + o.path + "\": "),
              std::string::npos)
        << caso << "\n"
        << errori.str();
    // The description texts are the run's own temporaries, whatever stopped it.
    if (o.op != FailingFileSystem::Op::remove) {
      EXPECT_FALSE(std::filesystem::exists(nomi.linea_txt)) << caso;
      EXPECT_FALSE(std::filesystem::exists(nomi.treno_txt)) << caso;
    }
    int binari_nuovi = 0;
    for (const auto& [nome, byte] : nuove) {
      const std::string ora = read_file(nome);
      const bool binario = !nome.ends_with(".txt");
      if (stato == 1 && binario) continue;  // this run's own bytes, from what it read
      EXPECT_TRUE(ora == byte || ora == "earlier " + nome) << caso << ": " << nome;
      if (binario && ora == byte) ++binari_nuovi;
    }
    // The simulator's three files are one set: never some old and some new.
    if (stato == 2) {
      EXPECT_TRUE(binari_nuovi == 0 || binari_nuovi == 3) << caso;
    }
    for (const std::string& f : testing::files_in(cartella.path())) {
      EXPECT_FALSE(f.ends_with(".part")) << caso << ": " << f;
    }
  }
}

// Out of memory is a stop like any other: status 2, what ran out while
// doing what, and no description text left behind.
TEST_F(ProgrammaTest, RunningOutOfMemoryStopsTheRunWithItsStep) {
  const std::pair<FailingFileSystem::Op, std::string> casi[] = {
      {FailingFileSystem::Op::read, "_linea.txt"},
      {FailingFileSystem::Op::create, "_note.txt"},
      {FailingFileSystem::Op::create, ".sim"},
  };
  const std::string passi[] = {
      "compiling the description texts in " + percorso_citato(cartella.path()),
      "writing " + percorso_citato(nomi.note),
      "writing the binary files in " + percorso_citato(cartella.path())};
  for (size_t i = 0; i < std::size(casi); ++i) {
    FailingFileSystem fs(casi[i].first, casi[i].second);
    fs.run_out_of_memory();
    errori.str("");
    EXPECT_EQ(esegui(fs), 2) << passi[i];
    EXPECT_EQ(errori.str(), "lorvenna: out of memory while " + passi[i] + "\n");
    EXPECT_FALSE(std::filesystem::exists(nomi.linea_txt)) << passi[i];
    EXPECT_FALSE(std::filesystem::exists(nomi.treno_txt)) << passi[i];
  }
}

// The temporaries of a run that was killed are removed by the next run.
TEST_F(ProgrammaTest, ARunRemovesWhatAKilledRunLeft) {
  const pid_t figlio = ::fork();
  if (figlio == 0) ::_exit(0);
  ::waitpid(figlio, nullptr, 0);
  const auto morto = static_cast<unsigned long>(figlio);
  const std::string lasciati[] = {temporary_name(nomi.scenario_sim, morto, 4),
                                  temporary_name(nomi.linea_txt, morto, 0)};
  for (const std::string& f : lasciati) testing::write_file(f, "left by a killed run");
  RealFileSystem fs;
  ASSERT_EQ(esegui(fs), 0) << errori.str();
  for (const std::string& f : lasciati) EXPECT_FALSE(std::filesystem::exists(f)) << f;
}

// What a hostile or careless hand may leave in the folder: nothing is
// followed, nothing hangs, and what may not be replaced stops the run
// before any binary file of the set is renamed into place.
TEST_F(ProgrammaTest, LeftoversInTheFolder) {
  TempFolder altrove;
  const std::string bersaglio = altrove.file("target");
  struct caso {
    const char* nome;
    std::function<void()> prepara;
    int stato;
    std::string messaggio;
  };
  auto link = [&](const std::string& nome) {
    testing::write_file(bersaglio, "not yours");
    std::filesystem::create_symlink(bersaglio, nome);
  };
  auto fifo = [](const std::string& nome) { ASSERT_EQ(::mkfifo(nome.c_str(), 0644), 0); };
  auto cartella_a = [](const std::string& nome) { std::filesystem::create_directory(nome); };
  const caso casi[] = {
      {"link at an old temporary name", [&] { link(nomi.scenario_sim + ".part"); }, 0, ""},
      {"FIFO at an old temporary name", [&] { fifo(nomi.linea_dat + ".part"); }, 0, ""},
      {"link at an output", [&] { link(nomi.treno_dat); }, 0, ""},
      {"FIFO at an output", [&] { fifo(nomi.linea_dat); }, 0, ""},
      {"FIFO at a description text", [&] { fifo(nomi.linea_txt); }, 0, ""},
      {"folder at an output", [&] { cartella_a(nomi.scenario_sim); }, 2,
       "cannot replace \"" + nomi.scenario_sim + "\": Is a directory"},
      {"folder at a description text", [&] { cartella_a(nomi.treno_txt); }, 2, nomi.treno_txt},
      {"read-only output",
       [&] {
         testing::write_file(nomi.treno_dat, "kept");
         ::chmod(nomi.treno_dat.c_str(), 0444);
       },
       2, "cannot replace \"" + nomi.treno_dat + "\": the file is read-only"},
  };
  RealFileSystem fs;
  for (const caso& c : casi) {
    svuota(cartella.path());
    c.prepara();
    errori.str("");
    EXPECT_EQ(esegui(fs), c.stato) << c.nome << "\n" << errori.str();
    EXPECT_NE(errori.str().find(c.messaggio), std::string::npos) << c.nome << "\n" << errori.str();
    if (std::filesystem::exists(bersaglio)) {
      EXPECT_EQ(read_file(bersaglio), "not yours") << c.nome;
    }
    if (c.stato == 0) {
      EXPECT_TRUE(std::filesystem::is_regular_file(nomi.linea_dat)) << c.nome;
      EXPECT_TRUE(std::filesystem::is_regular_file(nomi.treno_dat)) << c.nome;
      EXPECT_EQ(read_file(nomi.scenario_sim).size(), 3554u) << c.nome;
    } else {
      EXPECT_FALSE(std::filesystem::exists(nomi.linea_dat)) << c.nome << ": a binary of the set";
    }
  }
}

// A run kept waiting by another says so once, at once, and goes on when
// the other run ends.
TEST_F(ProgrammaTest, SaysWhenItWaitsForAnotherRun) {
  RealFileSystem fs;
  auto altra_run = fs.lock_folder(cartella.path(), LockKind::exclusive, [] {});
  testing::SharedText avvisi;
  std::ostream flusso_avvisi(&avvisi);
  int stato = -1;
  std::thread corsa(
      [&] { stato = esegui_programma(cartella.path(), fs, p, errori, flusso_avvisi); });
  const std::string avviso =
      "lorvenna: waiting for another run in " + citato(cartella.path()) + "\n";
  EXPECT_TRUE(avvisi.attendi(avviso, std::chrono::seconds(20)));
  altra_run.reset();
  corsa.join();
  EXPECT_EQ(stato, 0) << errori.str();
  EXPECT_EQ(avvisi.testo(), avviso);
}

// Runs in one folder at the same time take turns: each leaves the files it
// would have left alone.
TEST_F(ProgrammaTest, SimultaneousRunsInOneFolderTakeTurns) {
  RealFileSystem disco;
  ASSERT_EQ(esegui(disco), 0);
  const auto nuove = uscite_buone(nomi);
  const auto elenco = testing::files_in(cartella.path());
  for (int giro = 0; giro < 10; ++giro) {
    int stati[2] = {-1, -1};
    std::ostringstream messaggi[2];
    auto corsa = [&](int k) {
      RealFileSystem fs;
      testing::FakePlatform piattaforma;
      stati[k] = esegui_programma(cartella.path(), fs, piattaforma, messaggi[k]);
    };
    std::thread a(corsa, 0), b(corsa, 1);
    a.join();
    b.join();
    EXPECT_EQ(stati[0], 0) << messaggi[0].str();
    EXPECT_EQ(stati[1], 0) << messaggi[1].str();
    EXPECT_EQ(testing::files_in(cartella.path()), elenco);
    for (const auto& [nome, byte] : nuove) EXPECT_TRUE(read_file(nome) == byte) << nome;
  }
}

// The compile step: the compile, then the binary files when they are due.
class MemorizzaPercorsoTest : public ::testing::Test {
 protected:
  compilazione compila(const std::string& linea, bool con_linea = true) {
    if (!linea.empty()) disco.write(nomi.linea_txt, linea);
    disco.write(nomi.treno_txt, std::string(testing::kTrenoMinimo));
    return memorizza_percorso(con_linea, "Prova", "7", disco, nomi);
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
  EXPECT_EQ(disco.files().at(nomi.treno_dat).size(), 341u * 15);
  EXPECT_EQ(disco.files().at(nomi.linea_dat).size(), 20u * 17000 - 36);
  EXPECT_EQ(disco.files().at(nomi.scenario_sim).size(), 87u * 34 + 5 + 1);
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
  EXPECT_EQ(disco.files().at(nomi.linea_dat), "earlier");
  EXPECT_EQ(disco.files().at(nomi.treno_dat).size(), 341u * 15);
}

}  // namespace
}  // namespace lorvenna
