#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <regex>
#include <sstream>

#include "driver/file_names.h"
#include "platform/folder_watch.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"
#include "tools/scenario_tool.h"

#ifndef _WIN32
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <thread>

#include "platform/real_file_system.h"
#include "testing/temp_folder.h"
#endif

namespace lorvenna {
namespace {

std::string testo_linea() { return testo_da_tabella(righe_linea()); }
std::string testo_treno() { return testo_da_tabella(righe_treno()); }
// The line text with one error in it: a curve of a class there is not.
std::string linea_con_errore() {
  std::string s = testo_linea();
  const std::string curva = "curvad5,  43150,  1050";
  s.replace(s.find(curva), curva.size(), "curvad7,  43150,  1050");
  return s;
}

// The summary of each round, without its time: "compiled; 3 files written".
std::vector<std::string> riassunti(const std::string& uscita, const std::string& nome) {
  std::vector<std::string> s;
  const std::regex riga("(^|\n)[0-9]{2}:[0-9]{2}:[0-9]{2} " + nome + ": ([^\n]*)");
  for (auto it = std::sregex_iterator(uscita.begin(), uscita.end(), riga);
       it != std::sregex_iterator(); ++it) {
    s.push_back((*it)[2]);
  }
  return s;
}

size_t quante(const std::string& testo, const std::string& cosa) {
  size_t n = 0;
  for (size_t i = testo.find(cosa); i != std::string::npos; i = testo.find(cosa, i + 1)) ++n;
  return n;
}

// One event the scripted watch tells, after doing to the folder what the
// author's editor did.
struct Passo {
  WatchEvent evento;
  std::function<void()> prima = {};
};

// A folder in memory whose locks are counted, to see what a wait holds.
class DiscoContato : public MemoryFileSystem {
 public:
  std::unique_ptr<FolderLock> lock_folder(const std::string&, LockKind,
                                          const std::function<void()>&) override {
    return std::make_unique<Contato>(tenuti);
  }
  int tenuti = 0;

 private:
  struct Contato : FolderLock {
    explicit Contato(int& n) : n_(n) { ++n_; }
    ~Contato() override { --n_; }
    int& n_;
  };
};

// The watch and the user as a script: each wait tells the next event, and
// once the script is done the user interrupts.
class PiattaformaScritta : public testing::FakePlatform {
 public:
  explicit PiattaformaScritta(const int& tenuti) : tenuti_(tenuti) {}
  std::unique_ptr<FolderWatch> sorveglia_cartella(const std::string& folder,
                                                  const std::vector<std::string>& names) override {
    cartella = folder;
    nomi = names;
    return std::make_unique<Scritta>(*this);
  }
  std::deque<Passo> passi;
  std::string cartella;
  std::vector<std::string> nomi;
  std::vector<int> tenuti_in_attesa;  // the locks held at each wait

 private:
  struct Scritta : FolderWatch {
    explicit Scritta(PiattaformaScritta& p) : p_(p) {}
    WatchEvent wait(std::chrono::milliseconds) override {
      p_.tenuti_in_attesa.push_back(p_.tenuti_);
      if (p_.passi.empty()) return WatchEvent::interrupted;
      Passo passo = std::move(p_.passi.front());
      p_.passi.pop_front();
      if (passo.prima) passo.prima();
      return passo.evento;
    }
    PiattaformaScritta& p_;
  };
  const int& tenuti_;
};

class WatchTest : public ::testing::Test {
 protected:
  WatchTest() {
    disco.create_folder("dir");
    disco.write(nomi.linea_txt, testo_linea());
    disco.write(nomi.treno_txt, testo_treno());
  }
  int esegui(std::vector<std::string> altri = {}) {
    std::vector<std::string> a = {"watch", "dir", "--scenario", "Prova", "--train", "1"};
    a.insert(a.end(), altri.begin(), altri.end());
    return esegui_scenario_tool(a, disco, p, uscita, errori);
  }

  const nomi_file nomi = nomi_file_per("dir", "Prova", "1");
  DiscoContato disco;
  PiattaformaScritta p{disco.tenuti};
  std::ostringstream uscita, errori;
};

// An editor's save is a burst of events, during which a text may be missing
// for a moment: one round after the burst, and a text still missing once it
// is over is told once. No lock is held while the watch waits.
TEST_F(WatchTest, OneRoundForEachBurstOfEvents) {
  const auto togli = [&] { disco.remove(nomi.treno_txt); };
  const auto rimetti = [&] { disco.write(nomi.treno_txt, testo_treno()); };
  const auto sbaglia = [&] { disco.write(nomi.linea_txt, linea_con_errore()); };
  p.passi = {
      // renamed away, put back, written: one save
      {WatchEvent::changed, togli},
      {WatchEvent::changed, rimetti},
      {WatchEvent::changed},
      {WatchEvent::quiet},
      // a long wait with nothing saved
      {WatchEvent::quiet},
      // removed, and still missing when the folder is quiet
      {WatchEvent::changed, togli},
      {WatchEvent::changed},
      {WatchEvent::quiet},
      // put back, with a mistake in the other text
      {WatchEvent::changed, rimetti},
      {WatchEvent::changed, sbaglia},
      {WatchEvent::quiet},
  };
  ASSERT_EQ(esegui(), 0) << errori.str();
  EXPECT_EQ(riassunti(uscita.str(), "Prova_1"),
            (std::vector<std::string>{"compiled; 3 files written", "compiled; 3 files written",
                                      "stopped; nothing written",
                                      "1 error, 0 warnings; nothing written"}))
      << uscita.str();
  EXPECT_EQ(quante(errori.str(), "does not exist"), 1u) << errori.str();
  EXPECT_NE(uscita.str().find("error: \"curvad7\" names no curve"), std::string::npos);
  EXPECT_TRUE(uscita.str().ends_with(" stopped watching \"dir\"\n")) << uscita.str();
  EXPECT_EQ(p.cartella, "dir");
  EXPECT_EQ(p.nomi, (std::vector<std::string>{"Prova_linea.txt", "Prova_1-.txt"}));
  EXPECT_EQ(p.tenuti_in_attesa, std::vector<int>(12, 0));
}

// An interrupt in the middle of a save ends the watch without a round for
// it; with --plot each round that compiles redraws the picture.
TEST_F(WatchTest, InterruptEndsAtOnceAndPlotFollowsTheRounds) {
  p.passi = {{WatchEvent::changed, [&] { disco.remove(nomi.linea_txt); }}};
  ASSERT_EQ(esegui({"--plot", "dir/route.svg"}), 0) << errori.str();
  EXPECT_EQ(riassunti(uscita.str(), "Prova_1"),
            (std::vector<std::string>{"compiled; 3 files written, \"dir/route.svg\" drawn"}));
  EXPECT_NE(disco.files().at("dir/route.svg").find("<svg"), std::string::npos) << "no picture";
  EXPECT_EQ(errori.str(), "");
}

#ifndef _WIN32
// Reads what a child process prints, as it comes.
class UscitaDelFiglio {
 public:
  explicit UscitaDelFiglio(int fd) : fd_(fd) {}
  ~UscitaDelFiglio() { ::close(fd_); }
  // Waits, up to a generous limit, until `cosa` has been printed.
  bool attendi(const std::string& cosa) {
    const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (letto.find(cosa) == std::string::npos) {
      if (std::chrono::steady_clock::now() > fine) return false;
      pollfd attesa{fd_, POLLIN, 0};
      if (::poll(&attesa, 1, 100) <= 0) continue;
      char buffer[4096];
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n <= 0) return false;
      letto.append(buffer, static_cast<size_t>(n));
    }
    return true;
  }
  std::string letto;

 private:
  int fd_;
};

// On the disk, with the system's watch: a save by rename-over makes a
// second round, the folder is free between rounds, and Ctrl-C ends the
// watch with status 0 after its last summary.
TEST(WatchOnDisk, RecompilesAfterASaveAndEndsOnCtrlC) {
  testing::TempFolder cartella;
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  testing::write_file(nomi.linea_txt, testo_linea());
  testing::write_file(nomi.treno_txt, testo_treno());
  int tubo[2];
  ASSERT_EQ(::pipe(tubo), 0);
  std::cout.flush();
  const pid_t figlio = ::fork();
  if (figlio == 0) {
    ::dup2(tubo[1], 1);
    ::close(tubo[0]);
    ::close(tubo[1]);
    RealFileSystem fs;
    // The system's own watch, which the test's save and interrupt reach.
    struct : testing::FakePlatform {
      std::unique_ptr<FolderWatch> sorveglia_cartella(
          const std::string& folder, const std::vector<std::string>& names) override {
        return watch_folder(folder, names);
      }
    } p;
    std::ostringstream errori;
    const int stato =
        esegui_scenario_tool({"watch", cartella.path(), "--scenario", "Prova", "--train", "1"}, fs,
                             p, std::cout, errori);
    std::cout.flush();
    ::_exit(stato);
  }
  ::close(tubo[1]);
  UscitaDelFiglio uscita(tubo[0]);
  ASSERT_TRUE(uscita.attendi("Prova_1: compiled; 3 files written")) << uscita.letto;

  RealFileSystem fs;
  EXPECT_NO_THROW(fs.lock_folder(cartella.path(), LockKind::exclusive, [] {
    throw std::runtime_error("the watch holds its folder between rounds");
  }));
  testing::write_file(cartella.file("salvataggio.tmp"), linea_con_errore());
  std::filesystem::rename(cartella.file("salvataggio.tmp"), nomi.linea_txt);
  EXPECT_TRUE(uscita.attendi("Prova_1: 1 error, 0 warnings; nothing written")) << uscita.letto;

  ::kill(figlio, SIGINT);
  EXPECT_TRUE(uscita.attendi("stopped watching")) << uscita.letto;
  int stato = 0;
  const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (::waitpid(figlio, &stato, WNOHANG) != figlio) {
    if (std::chrono::steady_clock::now() > fine) {
      ::kill(figlio, SIGKILL);
      ::waitpid(figlio, &stato, 0);
      FAIL() << "the watch went on after Ctrl-C";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(WIFEXITED(stato));
  EXPECT_EQ(WEXITSTATUS(stato), 0);
}
#endif

}  // namespace
}  // namespace lorvenna
