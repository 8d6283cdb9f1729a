// scenario-tool watch: compile's work done again after every edit of the
// description texts, until the user interrupts.
#include <chrono>
#include <ctime>
#include <exception>
#include <new>
#include <string>

#include "driver/file_names.h"
#include "driver/report.h"
#include "encoding/quoted.h"
#include "inspect/plot.h"
#include "platform/folder_watch.h"
#include "tools/command_table.h"
#include "tools/compile_round.h"
#include "tools/folder_locks.h"
#include "tools/plot_output.h"

namespace lorvenna {
namespace {

// An editor's save is often several writes, truncations and renames in a
// row: the compile waits until the texts have been left alone this long.
constexpr std::chrono::milliseconds kQuiete{100};
// How long a wait with nothing to do lasts before it starts again.
constexpr std::chrono::milliseconds kAttesaLunga{60'000};

// "14:03:27", the local time, to tell one round's summary from the last.
std::string ora() {
  const std::time_t adesso = std::time(nullptr);
  std::tm t{};
#ifdef _WIN32
  localtime_s(&t, &adesso);
#else
  localtime_r(&adesso, &t);
#endif
  char testo[16];
  return std::string(testo, std::strftime(testo, sizeof testo, "%H:%M:%S", &t));
}

// What one round came to, after its findings: "2 errors, 1 warning; nothing
// written", "compiled, 1 warning; 3 files written". `disegno` is the
// picture's file, "" without --plot; `disegnato`, whether it was drawn.
std::string riassunto(const giro_compilazione& g, const std::string& disegno, bool disegnato) {
  const auto quanti = [](size_t n, const char* cosa) {
    return std::to_string(n) + " " + cosa + (n == 1 ? "" : "s");
  };
  if (!g.scritti) {
    if (g.errori == 0) return "stopped; nothing written";
    return quanti(g.errori, "error") + ", " + quanti(g.avvisi, "warning") + "; nothing written";
  }
  std::string s = g.stato == kStatoCompleto ? "compiled" : "compiled with a fault";
  if (g.avvisi > 0) s += ", " + quanti(g.avvisi, "warning");
  s += "; 3 files written";
  if (!disegno.empty())
    s += ", " + percorso_citato(disegno) + (disegnato ? " drawn" : " not drawn");
  return s;
}

// One round: the folder held alone while the texts are compiled as
// `compile` would and the picture is drawn, then let go before the picture
// is written (a FIFO's reader is not waited for, see StreamWait::never),
// and the summary line. A failure ends the round, not the watch: the author
// may mend it and save again.
void giro(const richiesta& r) {
  const nomi_file nomi = nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno);
  giro_compilazione g;
  std::string svg;
  bool disegnato = false;
  const auto riporta = [&](const std::exception& e) {
    r.errori << "scenario-tool: " << e.what() << "\n";
  };
  try {
    const auto locks = blocca_cartelle(r.fs, r.o.cartelle, LockKind::exclusive, r.errori);
    g = compila_testi(r, r.uscita, nullptr);
    if (g.scritti && !r.o.immagine.empty()) svg = disegna_scenario(r.fs, binari_di(nomi));
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    riporta(e);
  }
  if (!svg.empty()) {
    try {
      scrivi_disegno(r.fs, nomi, svg, r.o.immagine, r.uscita, StreamWait::never);
      disegnato = true;
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      riporta(e);
    }
  }
  r.uscita << ora() << " " << r.o.scenario << "_" << r.o.treno << ": "
           << riassunto(g, g.scritti ? r.o.immagine : "", disegnato) << "\n"
           << std::flush;
}

int esegui(const richiesta& r) {
  const nomi_file nomi = nomi_file_per("", r.o.scenario, r.o.treno);
  const std::string cartella = percorso_citato(r.o.cartelle.front());
  // Watching starts before the first round, so that an edit saved while it
  // runs is not missed.
  const auto sorveglianza =
      r.p.watch_folder(r.o.cartelle.front(), {nomi.linea_txt, nomi.treno_txt});
  giro(r);
  WatchEvent e = WatchEvent::quiet;
  while (e != WatchEvent::interrupted) {
    e = sorveglianza->wait(kAttesaLunga);
    if (e == WatchEvent::quiet || e == WatchEvent::interrupted) continue;
    // A save is over once the texts have been quiet for a while: one round
    // for the lot, however many events it made. A folder that has come
    // back is taken as one save, however its texts are put back in it.
    while (e == WatchEvent::changed || e == WatchEvent::back) {
      if (e == WatchEvent::back) r.uscita << ora() << " " << cartella << " is back\n" << std::flush;
      e = sorveglianza->wait(kQuiete);
    }
    if (e == WatchEvent::gone) {
      // Told once: the waits that follow look for it without a word.
      r.uscita << ora() << " " << cartella
               << " is gone (deleted, renamed or moved); waiting for it to come back\n"
               << std::flush;
      continue;
    }
    if (e != WatchEvent::interrupted) giro(r);
  }
  r.uscita << ora() << " stopped watching " << cartella << "\n" << std::flush;
  return kStatoCompleto;
}

}  // namespace

const comando& comando_watch() {
  static const comando c{
      .nome = "watch",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = "compiles the description texts in DIR again each time one is saved",
      .descrizione =
          "Does what compile does, printing the check's findings on standard output, once at "
          "start and again each time the line or train description text in DIR is saved, "
          "with a summary line for each round, until interrupted (Ctrl-C); then exits 0. The "
          "folder is locked for each round only. A folder deleted or moved away is told once "
          "and watched again once it is back.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  con_valore("--plot", "FILE.svg", &opzioni_tool::immagine,
                             "draws the compiled scenario into FILE.svg after each round that "
                             "writes the binary files, as plot does; a FIFO with no reader "
                             "is told, not waited for")},
      .blocca_a_ogni_giro = true,
      .esegui = esegui,
      .rifiuta = [](const richiesta& r) { return rifiuta_immagine(r, "--plot"); },
  };
  return c;
}

}  // namespace lorvenna
