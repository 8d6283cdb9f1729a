// scenario-tool check: the author's texts compiled in memory, and what the
// compile finds shown at the records it is about. Nothing is written.
#include <algorithm>
#include <iterator>
#include <map>

#include "check/author_texts.h"
#include "check/bounded_findings.h"
#include "check/diagnostic_render.h"
#include "check/diagnostics.h"
#include "check/text_encoding.h"
#include "check/text_warnings.h"
#include "check/texts_in_memory.h"
#include "driver/file_names.h"
#include "driver/report.h"
#include "driver/version.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

// Both texts as the compile is to read them, in Windows-1252, each read
// once: the compile and the findings' source lines use the same bytes.
struct testi_letti {
  testi_sorgente testi;
  std::vector<Diagnostic> trovate;                // what their conversion found
  std::map<std::string, std::string> convertiti;  // a text's path, and what it was converted from
};

std::optional<testi_letti> leggi_convertiti(FileSystem& fs, const testi_descrizione& testi,
                                            bool utf8, std::ostream& errori) {
  auto letti_cosi = leggi_testi(fs, testi, errori);
  if (!letti_cosi) return std::nullopt;
  testi_letti letti;
  for (auto& [percorso, byte] : *letti_cosi) {
    testo_convertito c = in_windows1252(percorso, byte, utf8);
    letti.testi[percorso] = std::move(c.testo);
    std::ranges::move(c.trovate, std::back_inserter(letti.trovate));
    if (!c.convertito_da.empty()) letti.convertiti[percorso] = c.convertito_da;
  }
  return letti;
}

int esegui(const richiesta& r) {
  const nomi_file nomi = nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno);
  const testi_descrizione testi = testi_di(nomi);
  auto letti = leggi_convertiti(r.fs, testi, r.o.codifica == "utf-8", r.errori);
  if (!letti) return kStatoFermato;
  TextsInMemory in_memoria(letti->testi);
  std::vector<Diagnostic> trovate =
      controlla_scenario(in_memoria, {r.scenario, r.treno, true, testi, {}}, letti->testi);
  std::ranges::move(letti->trovate, std::back_inserter(trovate));
  // Each part is bounded already; bounded again together, a class found in
  // both is told as one.
  trovate = limitate(std::move(trovate));
  for (const auto& [percorso, da] : letti->convertiti) nota_conversione(trovate, percorso, da);
  trovate = secondo_le_opzioni(std::move(trovate), r.o.senza_avvisi, r.o.avvisi_come_errori);
  if (r.o.formato == "json") {
    r.uscita << come_json(trovate);
  } else if (r.o.formato == "sarif") {
    r.uscita << come_sarif(trovate, versione());
  } else {
    scrivi_testo(r.uscita, trovate, letti->testi);
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
                             "leaves out the warnings of CLASS; may be given again",
                             {kClassiAvviso.begin(), kClassiAvviso.end()}),
                  a_scelta("--encoding", "ENCODING", &opzioni_tool::codifica,
                           "what the texts are read as when they have no byte-order mark; "
                           "a text with one is read as its mark says",
                           {"windows-1252", "utf-8"})},
      .accesso = LockKind::shared,
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
