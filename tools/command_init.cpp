// scenario-tool init: the embedded description texts as an author's start.
#include "driver/activity.h"
#include "driver/file_names.h"
#include "driver/report.h"
#include "encoding/quoted.h"
#include "platform/replace_files.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

// Both texts are checked before either is written, so that a refusal
// leaves the folder as it was.
int inizia(const richiesta& r) {
  const nomi_file nomi = nomi_file_per(r.o.cartelle.front(), r.o.scenario, r.o.treno);
  if (!r.o.forza) {
    for (const std::string* testo : {&nomi.linea_txt, &nomi.treno_txt}) {
      if (!r.fs.exists(*testo)) continue;
      r.errori << "scenario-tool: " << percorso_citato(*testo)
               << " already exists; --force replaces it\n";
      return kStatoFermato;
    }
  }
  // One set: a name the folder refuses (too long, say) is found before
  // either text is written.
  const std::string linea = testo_da_tabella(righe_linea());
  const std::string treno = testo_da_tabella(righe_treno());
  const OutputFile testi[] = {{nomi.linea_txt, {linea}}, {nomi.treno_txt, {treno}}};
  const in_corso passo("writing the description texts in", r.o.cartelle.front());
  r.fs.clear_leftovers(std::vector<std::string>{nomi.linea_txt, nomi.treno_txt});
  replace_files(r.fs, testi);
  return kStatoCompleto;
}

}  // namespace

const comando& comando_init() {
  static const comando c{
      .nome = "init",
      .cartelle = {"DIR"},
      .crea_cartella = true,
      .riassunto = "writes the embedded description texts into DIR as a start to edit",
      .descrizione =
          "Writes the embedded line and train description texts into DIR under the given names "
          "(NAME_linea.txt and NAME_NUMBER-.txt), the same bytes the program writes, as a "
          "starting point to edit. DIR is made when it is missing (its parent is not). A text "
          "that is already there is the author's work and stays, and nothing is written, "
          "unless --force is given.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  interruttore("--force", &opzioni_tool::forza,
                               "replaces texts that are already there")},
      .esegui = inizia,
  };
  return c;
}

}  // namespace lorvenna
