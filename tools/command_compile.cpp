// scenario-tool compile: the program's compile on an author's texts, after
// the check has looked them over.
#include <sstream>

#include "driver/file_names.h"
#include "driver/report.h"
#include "driver/run_sequence.h"
#include "tools/author_texts.h"
#include "tools/command_table.h"
#include "tools/diagnostic_render.h"
#include "tools/diagnostics.h"
#include "tools/texts_in_memory.h"

namespace lorvenna {
namespace {

// What the check finds in the texts as read, for the compile about to run:
// without the plan view, a curve's fault is no concern of the files written.
std::vector<Diagnostic> controlla(const richiesta& r, const testi_descrizione& testi,
                                  const testi_sorgente& letti) {
  TextsInMemory in_memoria(letti);
  return controlla_scenario(in_memoria, {r.scenario, r.treno, !r.o.senza_linea, testi, {}}, letti);
}

// An author's texts are the only copy of their work: the compile deletes
// them only in its own view of the folder. Asked to, the tool deletes them
// on the disk too, but only once the binary files made from them are on the
// disk: a run that stops before that leaves them.
int esegui(const richiesta& r) {
  const opzioni_tool& o = r.o;
  const nomi_file nomi = nomi_file_per(o.cartelle.front(), o.scenario, o.treno);
  const testi_descrizione testi = testi_di(nomi);
  // A mistyped name finds no text: nothing is touched before the texts are
  // read.
  const auto letti = leggi_testi(r.fs, testi, r.errori);
  if (!letti) return kStatoFermato;
  const std::vector<Diagnostic> trovate = controlla(r, testi, *letti);
  r.errori << come_testo(trovate, *letti);
  const bool errori_trovati = con_errori(trovate);
  // A half-compiled scenario is never shipped by mistake: the author asks
  // for it by name.
  if (errori_trovati && !o.scrivi_con_errori) {
    r.errori << "scenario-tool: no binary file was written, since the texts have errors; "
                "--write-on-error writes them as the program would\n";
    return kStatoConCodice;
  }

  const file_binari binari = binari_di(nomi);
  r.fs.clear_leftovers(std::vector<std::string>{binari.linea, binari.scenario, binari.treno});
  TextsReadOnce vista(r.fs, *letti);
  FolderSyncs cartella;
  const compilazione c =
      memorizza_percorso(!o.senza_linea, r.scenario, r.treno, vista, nomi, &cartella);
  cartella.sync(r.fs);
  if (o.cancella_testi && c.esito == esito_compilazione::completa) vista.carry_out();
  const bool fatale =
      c.esito == esito_compilazione::errore_1250 || c.esito == esito_compilazione::errore_1251;
  // The check's findings name the compile's fault where it lies, in place
  // of the program's sentence.
  std::ostringstream frase;
  const int stato = riporta_compilazione(c, r.p, &r.uscita, frase);
  // Errors 1250 and 1251 end with their box.
  if (fatale || errori_trovati) return stato;
  // Should the compile record a fault the check did not find, it is still
  // shown where it lies.
  const std::string diagnostica =
      c.m.con_codice() ? come_testo(controlla_testi(c, *letti), *letti) : "";
  r.errori << (diagnostica.empty() ? frase.str() : diagnostica);
  return stato;
}

}  // namespace

const comando& comando_compile() {
  static const comando c{
      .nome = "compile",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = "compiles the description texts in DIR into the three binary files",
      .descrizione =
          "Checks the line and train description texts that stand in DIR (NAME_linea.txt and "
          "NAME_NUMBER-.txt) as check does, printing its findings on standard error, then "
          "compiles them into NAME_linea.dat, NAME_NUMBER.sim and NAME_NUMBER.dat in DIR, with "
          "the same compiler as the program, and prints the codice_errore and posizione_errore "
          "it ends with. When the check finds an error, nothing is written unless "
          "--write-on-error is given. Exit 0 when the compile records no fault, 1 when the check "
          "or the compile finds one, 2 when it stops.",
      .opzioni = {opzione_scenario(), opzione_treno(),
                  interruttore("--no-line", &opzioni_tool::senza_linea,
                               "skips the plan view and leaves the line file alone"),
                  interruttore("--delete-texts", &opzioni_tool::cancella_testi,
                               "deletes the texts as the program deletes its own, once the "
                               "binary files made from them are on the disk; without it they "
                               "stay"),
                  interruttore("--write-on-error", &opzioni_tool::scrivi_con_errori,
                               "writes the binary files even when the check finds an error, as "
                               "the program would")},
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
