// scenario-tool verify: a compiled scenario checked from its files alone.
#include "driver/file_names.h"
#include "inspect/verify.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

int esegui(const richiesta& r) {
  const nomi_file nomi = nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno);
  return verifica(r.fs, binari_di(nomi), r.scenario, r.treno, r.uscita);
}

}  // namespace

const comando& comando_verify() {
  static const comando c{
      .nome = "verify",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = "checks that the three binary files in DIR agree with each other",
      .descrizione =
          "Checks what can be checked of the scenario compiled in DIR from its three binary "
          "files alone: their sizes, the names in entries 85 and 86, the 610 and 5121 marks, "
          "the two scenario codes recomputed from the names, the cell types, stop marks and "
          "text boards pointing at their entries, and station areas on the track. Prints each "
          "finding with its file. Exit 0 when the files are consistent, 1 when not, 2 when a "
          "file cannot be read.",
      .opzioni = {opzione_scenario(), opzione_treno()},
      .accesso = LockKind::shared,
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
