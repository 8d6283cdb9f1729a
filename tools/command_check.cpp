// scenario-tool check: the author's texts compiled in memory, and what the
// compile finds shown at the records it is about. Nothing is written.
#include <algorithm>

#include "compiler/text_limit.h"
#include "driver/file_names.h"
#include "driver/report.h"
#include "encoding/quoted.h"
#include "tools/author_texts.h"
#include "tools/command_table.h"
#include "tools/diagnostic_render.h"
#include "tools/diagnostics.h"
#include "tools/texts_in_memory.h"

namespace lorvenna {
namespace {

int esegui(const richiesta& r) {
  const nomi_file nomi = nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno);
  const testi_descrizione testi = testi_di(nomi);
  const auto letti = leggi_testi(r.fs, testi, r.errori);
  if (!letti) return kStatoFermato;
  TextsInMemory in_memoria(*letti);
  const std::vector<Diagnostic> trovate = secondo_le_opzioni(
      controlla_scenario(in_memoria, {r.scenario, r.treno, true, testi, {}}, *letti),
      r.o.senza_avvisi, r.o.avvisi_come_errori);
  if (r.o.formato == "json") {
    r.uscita << come_json(trovate);
  } else if (r.o.formato == "sarif") {
    r.uscita << come_sarif(trovate);
  } else {
    r.uscita << come_testo(trovate, *letti);
  }
  return con_errori(trovate) ? kStatoConCodice : kStatoCompleto;
}

}  // namespace

const comando& comando_check() {
  static const comando c{
      .nome = "check",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = "checks the description texts in DIR and shows each mistake where it is",
      .descrizione =
          "Compiles the line and train description texts that stand in DIR (NAME_linea.txt and "
          "NAME_NUMBER-.txt) in memory, writing nothing, and prints each mistake found with its "
          "text, line and column, the line itself with the place marked, and what is allowed. "
          "Exit 0 when nothing is found or only warnings, 1 when there is an error, 2 when a "
          "text cannot be read.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  a_scelta("--format", "FORMAT", &opzioni_tool::formato,
                           "how the findings are printed", {"text", "json", "sarif"}),
                  interruttore("--warnings-as-errors", &opzioni_tool::avvisi_come_errori,
                               "counts every warning as an error, in the output and the exit "
                               "status"),
                  ripetibile("--no-warn", "CLASS", &opzioni_tool::senza_avvisi,
                             "leaves out the warnings of CLASS; may be given again")},
      .accesso = LockKind::shared,
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
