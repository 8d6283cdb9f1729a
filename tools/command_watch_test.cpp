#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <regex>
#include <sstream>

#include "driver/file_names.h"
#include "encoding/quoted.h"
#include "platform/folder_watch.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"
#include "tools/scenario_tool.h"

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
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
struct passo {
  WatchEvent evento;
  std::function<void()> prima = {};
};

// A folder in memory whose locks are counted, to see what a wait holds,
// and where a path may be made a link to another file.
class disco_contato : public MemoryFileSystem {
 public:
  std::unique_ptr<FolderLock> lock_folder(const std::string&, LockKind,
                                          const std::function<void()>&) override {
    return std::make_unique<blocco_contato>(tenuti);
  }
  std::string file_identity(const std::string& path) override {
    const auto link = collegamenti.find(path);
    return MemoryFileSystem::file_identity(link == collegamenti.end() ? path : link->second);
  }
  int tenuti = 0;
  std::map<std::string, std::string> collegamenti;  // a path and the file it leads to

 private:
  struct blocco_contato : FolderLock {
    explicit blocco_contato(int& n) : n_(n) { ++n_; }
    ~blocco_contato() override { --n_; }
    int& n_;
  };
};

// The watch and the user as a script: each wait tells the next event, and
// once the script is done the user interrupts.
class piattaforma_scritta : public testing::FakePlatform {
 public:
  explicit piattaforma_scritta(const int& tenuti) : tenuti_(tenuti) {}
  std::unique_ptr<FolderWatch> watch_folder(const std::string& folder,
                                            const std::vector<std::string>& names) override {
    cartella = folder;
    nomi = names;
    return std::make_unique<sorveglianza_scritta>(*this);
  }
  std::deque<passo> passi;
  std::string cartella;
  std::vector<std::string> nomi;
  std::vector<int> tenuti_in_attesa;  // the locks held at each wait

 private:
  struct sorveglianza_scritta : FolderWatch {
    explicit sorveglianza_scritta(piattaforma_scritta& p) : p_(p) {}
    WatchEvent wait(std::chrono::milliseconds) override {
      p_.tenuti_in_attesa.push_back(p_.tenuti_);
      if (p_.passi.empty()) return WatchEvent::interrupted;
      passo prossimo = std::move(p_.passi.front());
      p_.passi.pop_front();
      if (prossimo.prima) prossimo.prima();
      return prossimo.evento;
    }
    piattaforma_scritta& p_;
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
  disco_contato disco;
  piattaforma_scritta p{disco.tenuti};
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

// A folder deleted or moved away is told once, with no round while it is
// away (nor "cannot lock"); once it is back the watch goes on, with a
// round for it. The watch then goes on telling its edits.
TEST_F(WatchTest, AFolderGoneIsToldOnceAndWatchedAgainOnceBack) {
  const auto via = [&] {
    disco.remove(nomi.linea_txt);
    disco.remove(nomi.treno_txt);
  };
  const auto rimessa = [&] {
    disco.write(nomi.linea_txt, testo_linea());
    disco.write(nomi.treno_txt, testo_treno());
  };
  p.passi = {
      // deleted, and back a while later, its texts put back after it
      {WatchEvent::gone, via},
      {WatchEvent::quiet},
      {WatchEvent::quiet},
      {WatchEvent::back},
      {WatchEvent::changed, rimessa},
      {WatchEvent::quiet},
      // moved away in the middle of a save, and back with a mistake
      {WatchEvent::changed},
      {WatchEvent::gone},
      {WatchEvent::back, [&] { disco.write(nomi.linea_txt, linea_con_errore()); }},
      {WatchEvent::quiet},
      // an edit once back
      {WatchEvent::changed, rimessa},
      {WatchEvent::quiet},
  };
  ASSERT_EQ(esegui(), 0) << errori.str();
  EXPECT_EQ(riassunti(uscita.str(), "Prova_1"),
            (std::vector<std::string>{"compiled; 3 files written", "compiled; 3 files written",
                                      "1 error, 0 warnings; nothing written",
                                      "compiled; 3 files written"}))
      << uscita.str();
  EXPECT_EQ(quante(uscita.str(),
                   " \"dir\" is gone (deleted, renamed or moved); waiting for it "
                   "to come back\n"),
            2u)
      << uscita.str();
  EXPECT_EQ(quante(uscita.str(), " \"dir\" is back\n"), 2u) << uscita.str();
  EXPECT_EQ(errori.str(), "");
  EXPECT_EQ(p.tenuti_in_attesa, std::vector<int>(13, 0));
}

// The picture never takes the place of one of the scenario's own files: one
// named at start is a usage error, and one that becomes such a file (a link
// made since) is refused by its round, which says so, and the watch goes on.
TEST_F(WatchTest, PlotNeverReplacesTheScenariosOwnFiles) {
  for (const std::string& propria : {nomi.linea_txt, nomi.treno_txt, nomi.scenario_sim}) {
    uscita.str("");
    errori.str("");
    EXPECT_EQ(esegui({"--plot", propria}), 64) << propria;
    EXPECT_NE(errori.str().find("scenario-tool: refusing --plot " + percorso_citato(propria) +
                                ": it is "),
              std::string::npos)
        << errori.str();
    EXPECT_NE(errori.str().find("usage: scenario-tool watch DIR"), std::string::npos);
    EXPECT_EQ(uscita.str(), "");
  }
  EXPECT_EQ(p.cartella, "") << "a refused watch began watching";

  uscita.str("");
  errori.str("");
  const std::string link = "dir/route.svg";
  p.passi = {
      {WatchEvent::changed, [&] { disco.collegamenti[link] = nomi.linea_txt; }},
      {WatchEvent::quiet},
      {WatchEvent::changed, [&] { disco.collegamenti.clear(); }},
      {WatchEvent::quiet},
  };
  ASSERT_EQ(esegui({"--plot", link}), 0) << errori.str();
  EXPECT_EQ(riassunti(uscita.str(), "Prova_1"),
            (std::vector<std::string>{"compiled; 3 files written, \"dir/route.svg\" drawn",
                                      "compiled; 3 files written, \"dir/route.svg\" not drawn",
                                      "compiled; 3 files written, \"dir/route.svg\" drawn"}))
      << uscita.str();
  EXPECT_EQ(errori.str(),
            "scenario-tool: cannot write \"dir/route.svg\": it is the scenario's "
            "line description text " +
                percorso_citato(nomi.linea_txt) +
                " (the same file by another path); the picture must not take the "
                "place of the author's text\n");
  EXPECT_EQ(disco.files().at(nomi.linea_txt), testo_linea());
}

#ifndef _WIN32
// An exhausted inotify limit is named, with the setting to raise; other
// failures keep the system's words alone.
TEST(InotifyFailure, NamesTheLimitToRaise) {
  const std::string osservazioni = inotify_failure("inotify_add_watch", ENOSPC);
  EXPECT_TRUE(osservazioni.starts_with(std::strerror(ENOSPC))) << osservazioni;
  EXPECT_NE(osservazioni.find("fs.inotify.max_user_watches"), std::string::npos) << osservazioni;
  EXPECT_NE(osservazioni.find("sysctl fs.inotify.max_user_watches="), std::string::npos);

  const std::string istanze = inotify_failure("inotify_init1", EMFILE);
  EXPECT_TRUE(istanze.starts_with(std::strerror(EMFILE))) << istanze;
  EXPECT_NE(istanze.find("sysctl fs.inotify.max_user_instances="), std::string::npos) << istanze;

  EXPECT_EQ(inotify_failure("inotify_add_watch", ENOENT), std::strerror(ENOENT));
  EXPECT_EQ(inotify_failure("inotify_add_watch", EACCES), std::strerror(EACCES));
  // The reason reaches the user in the watch's failure.
  const FileError e("watch", "dir", inotify_failure("inotify_add_watch", ENOSPC));
  EXPECT_NE(std::string(e.what()).find("cannot watch \"dir\": "), std::string::npos);
  EXPECT_NE(std::string(e.what()).find("max_user_watches"), std::string::npos);
}

// Reads what a child process prints, as it comes.
class uscita_del_figlio {
 public:
  explicit uscita_del_figlio(int fd) : fd_(fd) {}
  ~uscita_del_figlio() { ::close(fd_); }
  // Waits, up to a generous limit, until `cosa` has been printed `volte` times.
  bool attendi(const std::string& cosa, size_t volte = 1) {
    const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (quante(letto, cosa) < volte) {
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

// `scenario-tool ARGOMENTI` run in a process of its own with the system's
// watch, all it prints (standard error too) read as it comes.
class WatchInAProcess {
 public:
  explicit WatchInAProcess(const std::vector<std::string>& argomenti) {
    int tubo[2];
    if (::pipe(tubo) != 0) throw std::runtime_error("no pipe");
    std::cout.flush();
    figlio_ = ::fork();
    if (figlio_ == 0) {
      ::dup2(tubo[1], 1);
      ::close(tubo[0]);
      ::close(tubo[1]);
      RealFileSystem fs;
      struct : testing::FakePlatform {
        std::unique_ptr<FolderWatch> watch_folder(const std::string& folder,
                                                  const std::vector<std::string>& names) override {
          return lorvenna::watch_folder(folder, names);
        }
      } p;
      const int stato = esegui_scenario_tool(argomenti, fs, p, std::cout, std::cout);
      std::cout.flush();
      ::_exit(stato);
    }
    ::close(tubo[1]);
    uscita_ = std::make_unique<uscita_del_figlio>(tubo[0]);
  }
  ~WatchInAProcess() {
    if (figlio_ > 0) {
      ::kill(figlio_, SIGKILL);
      ::waitpid(figlio_, nullptr, 0);
    }
  }
  bool attendi(const std::string& cosa, size_t volte = 1) { return uscita_->attendi(cosa, volte); }
  const std::string& letto() const { return uscita_->letto; }
  // Ctrl-C, and the status it ends with; -1 when it goes on.
  int interrompi() {
    ::kill(figlio_, SIGINT);
    uscita_->attendi("stopped watching");
    int stato = 0;
    const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (::waitpid(figlio_, &stato, WNOHANG) != figlio_) {
      if (std::chrono::steady_clock::now() > fine) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    figlio_ = -1;
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
  }

 private:
  pid_t figlio_ = -1;
  std::unique_ptr<uscita_del_figlio> uscita_;
};

// On the disk, with the system's watch: a save by rename-over makes a
// second round, the folder is free between rounds, and Ctrl-C ends the
// watch with status 0 after its last summary.
TEST(WatchOnDisk, RecompilesAfterASaveAndEndsOnCtrlC) {
  testing::TempFolder cartella;
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  testing::write_file(nomi.linea_txt, testo_linea());
  testing::write_file(nomi.treno_txt, testo_treno());
  WatchInAProcess w({"watch", cartella.path(), "--scenario", "Prova", "--train", "1"});
  ASSERT_TRUE(w.attendi("Prova_1: compiled; 3 files written")) << w.letto();

  RealFileSystem fs;
  EXPECT_NO_THROW(fs.lock_folder(cartella.path(), LockKind::exclusive, [] {
    throw std::runtime_error("the watch holds its folder between rounds");
  }));
  testing::write_file(cartella.file("salvataggio.tmp"), linea_con_errore());
  std::filesystem::rename(cartella.file("salvataggio.tmp"), nomi.linea_txt);
  EXPECT_TRUE(w.attendi("Prova_1: 1 error, 0 warnings; nothing written")) << w.letto();

  EXPECT_EQ(w.interrompi(), 0) << "the watch went on after Ctrl-C, or ended otherwise";
  EXPECT_NE(w.letto().find("stopped watching"), std::string::npos) << w.letto();
}

void metti_testi(const std::string& cartella) {
  const nomi_file nomi = nomi_file_per(cartella, "Prova", "1");
  testing::write_file(nomi.linea_txt, testo_linea());
  testing::write_file(nomi.treno_txt, testo_treno());
}

// A folder deleted, renamed, or moved with the folder above it is told once
// each time, and while it is away a save (in the folder under its new name)
// makes no round and no complaint; once back at its path, made anew or
// renamed back, it is watched again, with a round for it.
TEST(WatchOnDisk, AFolderGoneIsWatchedAgainOnceBack) {
  testing::TempFolder radice;
  const std::string sopra = radice.file("sopra");
  const std::string cartella = join_path(sopra, "scenario");
  std::filesystem::create_directories(cartella);
  metti_testi(cartella);
  WatchInAProcess w({"watch", cartella, "--scenario", "Prova", "--train", "1"});
  const std::string compilato = "Prova_1: compiled; 3 files written";
  const std::string andata = percorso_citato(cartella) + " is gone";
  const std::string ritorno = percorso_citato(cartella) + " is back";
  ASSERT_TRUE(w.attendi(compilato)) << w.letto();

  std::filesystem::remove_all(cartella);
  ASSERT_TRUE(w.attendi(andata)) << w.letto();
  std::this_thread::sleep_for(3 * kFolderLookout);
  // Made anew beside it, and moved into place whole.
  const std::string nuova = join_path(sopra, "nuova");
  std::filesystem::create_directory(nuova);
  metti_testi(nuova);
  std::filesystem::rename(nuova, cartella);
  ASSERT_TRUE(w.attendi(ritorno)) << w.letto();
  ASSERT_TRUE(w.attendi(compilato, 2)) << w.letto();
  EXPECT_EQ(quante(w.letto(), andata), 1u) << w.letto();

  const std::string altrove = join_path(sopra, "altrove");
  std::filesystem::rename(cartella, altrove);
  ASSERT_TRUE(w.attendi(andata, 2)) << w.letto();
  testing::write_file(nomi_file_per(altrove, "Prova", "1").linea_txt, linea_con_errore());
  std::this_thread::sleep_for(3 * kFolderLookout);
  std::filesystem::rename(altrove, cartella);
  ASSERT_TRUE(w.attendi("Prova_1: 1 error, 0 warnings; nothing written")) << w.letto();
  EXPECT_EQ(quante(w.letto(), ritorno), 2u) << w.letto();

  // The folder above renamed, which inotify does not tell of the folder.
  std::filesystem::rename(sopra, radice.file("altra"));
  ASSERT_TRUE(w.attendi(andata, 3)) << w.letto();
  std::filesystem::rename(radice.file("altra"), sopra);
  ASSERT_TRUE(w.attendi("Prova_1: 1 error, 0 warnings; nothing written", 2)) << w.letto();

  EXPECT_EQ(quante(w.letto(), andata), 3u) << w.letto();
  EXPECT_EQ(quante(w.letto(), ritorno), 3u) << w.letto();
  EXPECT_EQ(quante(w.letto(), "Prova_1: "), 4u) << "a round while the folder was away\n"
                                                << w.letto();
  EXPECT_EQ(w.letto().find("cannot"), std::string::npos) << w.letto();
  EXPECT_EQ(w.interrompi(), 0) << w.letto();
}

// --plot into a FIFO never holds a round up, nor the folder: with no reader
// the round says so at once and the watch goes on; a reader gets each
// picture whole; a reader that takes nothing holds the picture's write only
// (never the folder), for a few seconds or until Ctrl-C, which ends the
// watch at once.
TEST(WatchOnDisk, APlotIntoAFifoNeverHoldsTheWatchUp) {
  testing::TempFolder cartella;
  metti_testi(cartella.path());
  const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
  const std::string fifo = cartella.file("picture.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  WatchInAProcess w(
      {"watch", cartella.path(), "--scenario", "Prova", "--train", "1", "--plot", fifo});
  const std::string disegnato = "Prova_1: compiled; 3 files written, " + percorso_citato(fifo);
  ASSERT_TRUE(w.attendi(disegnato + " not drawn")) << w.letto();
  EXPECT_NE(w.letto().find("scenario-tool: cannot open " + percorso_citato(fifo) +
                           ": no program is reading the FIFO\n"),
            std::string::npos)
      << w.letto();
  RealFileSystem fs;
  const auto libera = [&] {
    fs.lock_folder(cartella.path(), LockKind::exclusive, [] {
      throw std::runtime_error("the watch holds its folder while it writes the picture");
    });
  };
  EXPECT_NO_THROW(libera());

  // A reader that reads.
  const int lettore = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(lettore, 0);
  uscita_del_figlio immagine(lettore);
  bool intera = false;
  std::thread legge([&] { intera = immagine.attendi("</svg>\n"); });
  testing::write_file(nomi.linea_txt, testo_linea());
  legge.join();
  ASSERT_TRUE(intera) << w.letto();
  ASSERT_TRUE(w.attendi(disegnato + " drawn")) << w.letto();
  EXPECT_TRUE(immagine.letto.starts_with("<?xml")) << immagine.letto.substr(0, 80);

  // The same reader, which now takes nothing: the picture fills the FIFO,
  // and its write waits outside the folder's lock, then gives up.
  const auto pieno = [&] {
    const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int in_attesa = 0;
    while (std::chrono::steady_clock::now() < fine) {
      if (::ioctl(lettore, FIONREAD, &in_attesa) == 0 && in_attesa >= 4096) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  };
  testing::write_file(nomi.linea_txt, testo_linea());
  ASSERT_TRUE(pieno()) << w.letto();
  EXPECT_NO_THROW(libera());
  ASSERT_TRUE(w.attendi(disegnato + " not drawn", 2)) << w.letto();
  EXPECT_NE(w.letto().find("scenario-tool: cannot write " + percorso_citato(fifo) +
                           ": the program reading it took nothing for 5 seconds\n"),
            std::string::npos)
      << w.letto();

  // Again, and Ctrl-C while the write waits: the first ends the watch.
  char scarto[65536];
  while (::read(lettore, scarto, sizeof scarto) > 0) {
  }
  testing::write_file(nomi.linea_txt, testo_linea());
  ASSERT_TRUE(pieno()) << w.letto();
  EXPECT_EQ(w.interrompi(), 0) << w.letto();
  EXPECT_NE(
      w.letto().find("scenario-tool: cannot write " + percorso_citato(fifo) + ": interrupted\n"),
      std::string::npos)
      << w.letto();
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}
#endif

}  // namespace
}  // namespace lorvenna
