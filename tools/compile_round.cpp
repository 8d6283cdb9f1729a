#include "tools/compile_round.h"

#include <algorithm>
#include <sstream>

#include "check/author_texts.h"
#include "check/bounded_findings.h"
#include "check/diagnostic_render.h"
#include "check/diagnostics.h"
#include "check/texts_in_memory.h"
#include "driver/file_names.h"
#include "driver/run_sequence.h"

namespace lorvenna {
namespace {

// What the check finds in the texts as read, for the compile about to run:
// without the plan view, a curve's fault is no concern of the files written.
std::vector<Diagnostic> controlla(const richiesta& r, const testi_descrizione& testi,
                                  const testi_sorgente& letti) {
  TextsInMemory in_memoria(letti);
  return controlla_scenario(in_memoria, {r.scenario, r.treno, !r.o.senza_linea, testi, {}}, letti);
}

}  // namespace

// An author's texts are the only copy of their work: the compile deletes
// them only in its own view of the folder. Asked to, the tool deletes them
// on the disk too, but only once the binary files made from them are on the
// disk: a run that stops before that leaves them.
giro_compilazione compila_testi(const richiesta& r, std::ostream& trovate, std::ostream* codici) {
  const opzioni_tool& o = r.o;
  const nomi_file nomi = nomi_file_per(o.cartelle.front(), o.scenario, o.treno);
  const testi_descrizione testi = testi_di(nomi);
  giro_compilazione g;
  // A mistyped name finds no text: nothing is touched before the texts are
  // read.
  const auto letti = leggi_testi(r.fs, testi, r.errori);
  if (!letti) return g;
  const std::vector<Diagnostic> controllo = controlla(r, testi, *letti);
  scrivi_testo(trovate, controllo, *letti);
  const conteggio_trovate n = conta(controllo);
  g.errori = n.errori;
  g.avvisi = n.avvisi;
  // A half-compiled scenario is never shipped by mistake: the author asks
  // for it by name.
  if (g.errori > 0 && !o.scrivi_con_errori) {
    g.stato = kStatoConCodice;
    return g;
  }

  const file_binari binari = binari_di(nomi);
  r.fs.clear_leftovers(std::vector<std::string>{binari.linea, binari.scenario, binari.treno});
  TextsReadOnce vista(r.fs, *letti);
  FolderSyncs cartella;
  const compilazione c =
      memorizza_percorso(!o.senza_linea, r.scenario, r.treno, vista, nomi, &cartella);
  cartella.sync(r.fs);
  if (o.cancella_testi && c.esito == esito_compilazione::completa) vista.carry_out();
  g.scritti = c.esito == esito_compilazione::completa;
  const bool fatale =
      c.esito == esito_compilazione::errore_1250 || c.esito == esito_compilazione::errore_1251;
  // The check's findings name the compile's fault where it lies, in place
  // of the program's sentence.
  std::ostringstream frase;
  g.stato = riporta_compilazione(c, r.p, codici, frase);
  // Errors 1250 and 1251 end with their box.
  if (fatale || g.errori > 0) return g;
  // Should the compile record a fault the check did not find, it is still
  // shown where it lies.
  const std::string diagnostica =
      c.m.con_codice() ? come_testo(controlla_testi(c, *letti), *letti) : "";
  trovate << (diagnostica.empty() ? frase.str() : diagnostica);
  return g;
}

}  // namespace lorvenna
