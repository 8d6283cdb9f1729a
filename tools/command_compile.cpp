// scenario-tool compile: the program's compile on an author's texts.
#include <sstream>

#include "compiler/text_limit.h"
#include "driver/file_names.h"
#include "driver/report.h"
#include "driver/run_sequence.h"
#include "platform/deferred_deletions.h"
#include "tools/command_table.h"
#include "tools/diagnostic_render.h"
#include "tools/diagnostics.h"

namespace lorvenna {
namespace {

// The text at fault as it stands on the disk, for the diagnostic to show
// its line; one that cannot be read now is shown without it.
testi_sorgente testo_in_difetto(FileSystem& disco, const compilazione& c) {
  const std::string& testo = c.traccia.motivo.testo;
  if (c.traccia.motivo.riga < 1) return {};
  try {
    return {{testo, disco.read(testo, kLimiteTesto)}};
  } catch (const FileError&) {
    return {};
  }
}

// An author's texts are the only copy of their work: the compile deletes
// them only in its own view of the folder. Asked to, the tool deletes them
// on the disk too, but only once the binary files made from them are on the
// disk: a run that stops before that leaves them.
int compila(const opzioni_tool& o, const std::string& scenario, const std::string& treno,
            FileSystem& disco, piattaforma& p, std::ostream& uscita, std::ostream& errori) {
  const nomi_file nomi = nomi_file_per(o.cartelle.front(), o.scenario, o.treno);
  const file_binari binari = binari_di(nomi);
  disco.clear_leftovers(std::vector<std::string>{binari.linea, binari.scenario, binari.treno});
  DeferredDeletions vista(disco, {nomi.linea_txt, nomi.treno_txt});
  FolderSyncs cartella;
  const compilazione c =
      memorizza_percorso(!o.senza_linea, scenario, treno, vista, nomi, &cartella);
  cartella.sync(disco);
  // The texts are read again for the diagnostic's source line only when
  // there is one, and before the texts may go.
  const bool fatale =
      c.esito == esito_compilazione::errore_1250 || c.esito == esito_compilazione::errore_1251;
  std::string diagnostiche;
  if (c.m.con_codice() && !fatale) {
    const testi_sorgente testi = testo_in_difetto(disco, c);
    diagnostiche = come_testo(controlla_testi(c, testi), testi);
  }
  if (o.cancella_testi && c.esito == esito_compilazione::completa) vista.carry_out();
  // An author gets the diagnostic pointing at the text instead of the
  // program's sentence.
  std::ostringstream frase;
  const int stato = riporta_compilazione(c, p, &uscita, frase);
  // Errors 1250 and 1251 are the whole report: their box was the run's end.
  if (fatale) return stato;
  errori << (diagnostiche.empty() ? frase.str() : diagnostiche);
  return stato;
}

int esegui(const richiesta& r) {
  return compila(r.o, r.scenario, r.treno, r.fs, r.p, r.uscita, r.errori);
}

}  // namespace

const comando& comando_compile() {
  static const comando c{
      .nome = "compile",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = "compiles the description texts in DIR into the three binary files",
      .descrizione =
          "Compiles the line and train description texts that stand in DIR (NAME_linea.txt and "
          "NAME_NUMBER-.txt) into NAME_linea.dat, NAME_NUMBER.sim and NAME_NUMBER.dat in DIR, "
          "with the same compiler as the program, and prints the codice_errore and "
          "posizione_errore it ends with. A fault is reported as a diagnostic naming the text "
          "and the line at fault. Exit 0 when the compile records no fault, 1 when it records "
          "one, 2 when it stops.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  interruttore("--no-line", &opzioni_tool::senza_linea,
                               "skips the plan view and leaves the line file alone"),
                  interruttore("--delete-texts", &opzioni_tool::cancella_testi,
                               "deletes the texts as the program deletes its own, once the "
                               "binary files made from them are on the disk; without it they "
                               "stay")},
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
