// The desktop layer, checked in a real X server through the X protocol: what
// a person would see, not what the code says it draws. Every window is made
// in a child process, so that each test sees only its own.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "compiler/description_fixture.h"
#include "driver/file_names.h"
#include "driver/report.h"
#include "driver/run_sequence.h"
#include "platform/desktop.h"
#include "platform/real_file_system.h"
#include "testing/png_file.h"
#include "testing/temp_folder.h"
#include "testing/x_display.h"

namespace lorvenna {
namespace {

using testing::Picture;
using testing::TempFolder;

constexpr const char* kTitolo = "lorvenna";

// A child process that runs `corpo`, says so, and then waits until the
// parent closes the pipe; the parent inspects the screen meanwhile.
class processo_figlio {
 public:
  explicit processo_figlio(const std::function<void()>& corpo) {
    int tubo[2], ritorno[2];
    if (::pipe(tubo) != 0 || ::pipe(ritorno) != 0) std::abort();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(tubo[1]);
      ::close(ritorno[0]);
      corpo();
      if (::write(ritorno[1], "x", 1) != 1) std::_Exit(1);
      char c;
      while (::read(tubo[0], &c, 1) > 0) {
      }
      std::_Exit(0);
    }
    ::close(tubo[0]);
    ::close(ritorno[1]);
    scrittura_ = tubo[1];
    lettura_ = ritorno[0];
  }
  // Waits until `corpo` has returned in the child; false if the child ended first.
  bool pronto() {
    char c;
    return ::read(lettura_, &c, 1) == 1;
  }
  // Lets the child end and returns its exit status, or -1.
  int attendi() {
    if (scrittura_ >= 0) ::close(scrittura_);
    scrittura_ = -1;
    int stato = 0;
    if (::waitpid(pid_, &stato, 0) != pid_ || !WIFEXITED(stato)) return -1;
    return WEXITSTATUS(stato);
  }
  ~processo_figlio() {
    if (scrittura_ >= 0) attendi();
    ::close(lettura_);
  }

 private:
  pid_t pid_ = -1;
  int scrittura_ = -1;
  int lettura_ = -1;
};

int twip(int t, double dpi) { return static_cast<int>(std::lround(t * dpi / 1440)); }

class FinestraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(x.get(), nullptr) << "the tests run in an X server of their own";
  }
  // The box `corpo` shows appears over the waiting window, `tasto` closes
  // it, and the process ends with the status `corpo` returns.
  int apri_e_chiudi_la_scatola(KeySym tasto, const std::function<int(piattaforma&)>& corpo);
  testing::XConnection x;
};

TEST_F(FinestraTest, TheWaitingWindowShowsAttendereAtTheFormsMeasures) {
  processo_figlio figlio([] {
    static auto p = piattaforma_del_sistema(LORVENNA_MODULE_DIR, kTitolo);
    p->mostra_attesa();
  });
  // mostra_attesa returns once the window is painted: the program's first
  // file is written only then.
  ASSERT_TRUE(figlio.pronto());
  const auto finestre = testing::wait_for_windows(x.get(), kTitolo, 1, 0);
  ASSERT_EQ(finestre.size(), 1u) << "the window is on the screen with the application's title";
  XWindowAttributes a;
  ASSERT_NE(XGetWindowAttributes(x.get(), finestre[0], &a), 0);
  const double h = testing::dpi_across(x.get()), v = testing::dpi_down(x.get());
  EXPECT_EQ(a.width, twip(4200, h));
  EXPECT_EQ(a.height, twip(2688, v));

  const Picture tutta = testing::capture(x.get(), finestre[0], 0, 0, a.width, a.height);
  testing::write_png("window.png", tutta.width, tutta.height, tutta.rgb);
  const Picture etichetta = testing::capture(x.get(), finestre[0], twip(960, h), twip(960, v),
                                             twip(2652, h), twip(792, v));
  const int scuri = testing::dark_pixels(etichetta);
  EXPECT_GT(scuri, 100) << "the label's text is drawn";
  EXPECT_LT(scuri, etichetta.width * etichetta.height / 2) << "on a light background";
  const Picture sotto =
      testing::capture(x.get(), finestre[0], 0, twip(1900, v), a.width, a.height - twip(1900, v));
  EXPECT_EQ(testing::dark_pixels(sotto), 0) << "nothing else is drawn";
  EXPECT_EQ(figlio.attendi(), 0);
}

// 1250 raised by a real compile: the run ends with status 2 once the box
// is closed, and writes no binary file.
TEST_F(FinestraTest, TheErrorBoxClosesOnReturnOrEscapeAndEndsTheRun) {
  for (const KeySym tasto : {XK_Return, XK_Escape}) {
    SCOPED_TRACE(XKeysymToString(tasto));
    TempFolder cartella;
    const nomi_file nomi = nomi_file_per(cartella.path(), "Prova", "1");
    testing::write_file(nomi.linea_txt, testing::linea_breve("cartello_indicatore, 0, (A)\n"));
    testing::write_file(nomi.treno_txt, std::string(testing::kTrenoMinimo));
    const int stato = apri_e_chiudi_la_scatola(tasto, [&](piattaforma& p) {
      RealFileSystem fs;
      const compilazione c = memorizza_percorso(/*con_linea=*/true, "Prova", "1", fs, nomi);
      std::ostringstream scarto;
      return riporta_compilazione(c, p, nullptr, scarto);
    });
    EXPECT_EQ(stato, 2);
    EXPECT_FALSE(std::filesystem::exists(nomi.scenario_sim));
    EXPECT_FALSE(std::filesystem::exists(nomi.treno_dat));
    EXPECT_FALSE(std::filesystem::exists(nomi.linea_dat));
  }
}

// A run that stops on a file failure says why in a box too: started from a
// file manager, the driver has no terminal to read it in.
TEST_F(FinestraTest, AFileFailureIsShownInABox) {
  for (const KeySym tasto : {XK_Return, XK_Escape}) {
    SCOPED_TRACE(XKeysymToString(tasto));
    const int stato = apri_e_chiudi_la_scatola(tasto, [](piattaforma& p) {
      p.segnala_fallimento(
          "lorvenna: cannot replace /some/folder/Lorvenna_2579bis.sim: Read-only file system\n");
      return 2;
    });
    EXPECT_EQ(stato, 2);
  }
}

int FinestraTest::apri_e_chiudi_la_scatola(KeySym tasto,
                                           const std::function<int(piattaforma&)>& corpo) {
  processo_figlio figlio([&] {
    auto p = piattaforma_del_sistema(LORVENNA_MODULE_DIR, kTitolo);
    p->mostra_attesa();
    std::_Exit(corpo(*p));
  });
  const auto finestre = testing::wait_for_windows(x.get(), kTitolo, 2, 5);
  EXPECT_EQ(finestre.size(), 2u) << "the waiting window and the box";
  if (finestre.size() != 2u) return -1;
  Window scatola = finestre[0];
  XWindowAttributes a;
  for (Window w : finestre) {
    XGetWindowAttributes(x.get(), w, &a);
    if (a.width != twip(4200, testing::dpi_across(x.get()))) scatola = w;
  }
  XGetWindowAttributes(x.get(), scatola, &a);
  // The box is drawn by its own modal loop, soon after it is mapped.
  Picture box;
  for (int i = 0; i < 100 && testing::dark_pixels(box) < 100; ++i) {
    ::usleep(20000);
    box = testing::capture(x.get(), scatola, 0, 0, a.width, a.height);
  }
  testing::write_png("error_box.png", box.width, box.height, box.rgb);
  EXPECT_GT(testing::dark_pixels(box), 100) << "the message and the button are drawn";

  testing::press_key(x.get(), scatola, tasto);
  return figlio.attendi();
}

std::string esegui_in(const std::string& cartella, const std::string& ambiente) {
  const std::string errori = cartella + ".stderr";
  const std::string comando = "cd '" + cartella + "' && " + ambiente + " ./lorvenna 2> '" + errori +
                              "'; echo $? >> '" + errori + "'";
  if (std::system(comando.c_str()) != 0) return "system failed";
  const std::string testo = testing::read_file(errori);
  std::filesystem::remove(errori);
  return testo;
}

// With a display the program shows its window instead of printing, and
// writes the same six files as without one.
TEST_F(FinestraTest, TheProgramWithADisplayWritesWhatItWritesWithout) {
  TempFolder con, senza;
  for (const TempFolder* c : {&con, &senza}) {
    for (const char* f : {"lorvenna", "lorvenna-window.so"}) {
      std::filesystem::copy_file(std::filesystem::path(LORVENNA_MODULE_DIR) / f,
                                 std::filesystem::path(c->path()) / f);
    }
  }
  EXPECT_EQ(esegui_in(con.path(), ""), "0\n") << "nothing printed: the window was shown";
  EXPECT_EQ(esegui_in(senza.path(), "env -u DISPLAY"), "Attendere\n0\n");
  const auto elenco = testing::files_in(con.path());
  EXPECT_EQ(elenco.size(), 8u);
  EXPECT_EQ(elenco, testing::files_in(senza.path()));
  for (const std::string& f : elenco) {
    EXPECT_TRUE(testing::read_file(con.file(f)) == testing::read_file(senza.file(f))) << f;
  }
}

}  // namespace
}  // namespace lorvenna
