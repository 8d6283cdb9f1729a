// scenario-tool plot: a compiled scenario drawn as one SVG picture.
#include <string>

#include "driver/activity.h"
#include "driver/file_names.h"
#include "driver/report.h"
#include "inspect/plot.h"
#include "tools/command_table.h"
#include "tools/folder_locks.h"
#include "tools/plot_output.h"

namespace lorvenna {
namespace {

// The folder is shared with other readers while the picture is drawn, and
// let go before it is written: a FIFO that waits for its reader, or a
// standard output piped into a program that has stopped reading, must not
// hold up a run that writes there.
int esegui(const richiesta& r) {
  const nomi_file nomi = nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno);
  std::string svg;
  {
    const auto locks = blocca_cartelle(r.fs, r.o.cartelle, LockKind::shared, r.errori);
    const in_corso passo("reading the scenario in", r.o.cartelle.front());
    svg = disegna_scenario(r.fs, binari_di(nomi));
  }
  scrivi_disegno(r.fs, nomi, svg, r.o.immagine, r.uscita, StreamWait::as_shell);
  return kStatoCompleto;
}

}  // namespace

const comando& comando_plot() {
  static const comando c{
      .nome = "plot",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = "draws the scenario compiled in DIR as one SVG picture",
      .descrizione =
          "Draws the scenario compiled in DIR as one SVG picture: the route in plan from the "
          "plan view, to scale, with its stations, signals, speed boards, text boards and "
          "slowdowns, and under it strip charts of the gradient, the line speed and the "
          "station areas.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  con_valore("-o", "FILE.svg", &opzioni_tool::immagine,
                             "the picture's file; - writes it to standard output; never one of "
                             "the scenario's texts or binary files",
                             nullptr, true)},
      .accesso = LockKind::shared,
      .blocca_a_ogni_giro = true,
      .esegui = esegui,
      .rifiuta = [](const richiesta& r) { return rifiuta_immagine(r, "-o"); },
  };
  return c;
}

}  // namespace lorvenna
