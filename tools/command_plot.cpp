// scenario-tool plot: a compiled scenario drawn as one SVG picture.
#include "driver/file_names.h"
#include "driver/report.h"
#include "tools/command_table.h"
#include "tools/plot_output.h"

namespace lorvenna {
namespace {

int esegui(const richiesta& r) {
  scrivi_disegno(r.fs, binari_di(nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno)),
                 r.o.immagine, r.uscita);
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
                             "the picture's file; - writes it to standard output", nullptr, true)},
      .accesso = LockKind::shared,
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
