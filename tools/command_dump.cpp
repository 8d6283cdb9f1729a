// scenario-tool dump: a compiled scenario decoded.
#include "driver/file_names.h"
#include "driver/report.h"
#include "inspect/dump.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

int esegui(const richiesta& r) {
  const auto d = descrivi_scenario(
      r.fs, binari_di(nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno)));
  if (r.o.json) {
    r.uscita << d.dump(2) << "\n";
  } else {
    stampa_scenario(d, r.uscita);
  }
  return kStatoCompleto;
}

}  // namespace

const comando& comando_dump() {
  static const comando c{
      .nome = "dump",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = "prints the three binary files in DIR decoded",
      .descrizione =
          "Prints the three binary files in DIR decoded: the scenario and train data, the "
          "progressive sections, every station with its area, time and codes, every cell that "
          "holds a mark with its values read by type, the gradient, line speed and adhesion as "
          "runs of cells, and a summary of the plan view.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  interruttore("--json", &opzioni_tool::json,
                               "prints the same as one JSON document")},
      .accesso = LockKind::shared,
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
