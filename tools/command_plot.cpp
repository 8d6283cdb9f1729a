// scenario-tool plot: a compiled scenario drawn as one SVG picture.
#include "driver/file_names.h"
#include "driver/report.h"
#include "platform/replace_files.h"
#include "tools/command_table.h"
#include "tools/plot.h"

namespace lorvenna {
namespace {

int esegui(const richiesta& r) {
  const std::string svg = disegna_scenario(
      r.fs, binari_di(nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno)));
  if (r.o.immagine == "-") {
    r.uscita << svg;
  } else if (const auto flusso = r.fs.open_stream(r.o.immagine)) {
    // A FIFO, a device or /dev/stdout is written into, never replaced by a file.
    flusso->write(svg);
  } else {
    r.fs.clear_leftovers(std::vector<std::string>{r.o.immagine});
    write_whole_file(r.fs, r.o.immagine, svg);
  }
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
