// scenario-tool diff: two compiled scenarios compared record by record.
#include "driver/file_names.h"
#include "inspect/scenario_diff.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

int esegui(const richiesta& r) {
  constexpr size_t kSchermata = 40;
  return confronta_scenari(r.fs, binari_di(nomi_file_per(r.o.cartelle[0], r.o.scenario, r.o.treno)),
                           binari_di(nomi_file_per(r.o.cartelle[1], r.o.scenario, r.o.treno)),
                           r.o.tutte ? 0 : kSchermata, r.uscita);
}

}  // namespace

const comando& comando_diff() {
  static const comando c{
      .nome = "diff",
      .cartelle = {"DIR_A", "DIR_B"},
      .crea_cartella = false,
      .riassunto = "compares the scenarios compiled in DIR_A and DIR_B record by record",
      .descrizione =
          "Compares the scenarios compiled in DIR_A and DIR_B record by record, through the "
          "same record layouts as the encoders, and prints each difference decoded, a "
          "screenful unless --all. Exit 0 when they are the same, 1 when they differ, 2 when a "
          "file cannot be read.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  interruttore("--all", &opzioni_tool::tutte, "prints every difference")},
      .accesso = LockKind::shared,
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
