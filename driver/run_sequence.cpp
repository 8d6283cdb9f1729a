#include "driver/run_sequence.h"

#include <exception>

#include "driver/folder_wait.h"
#include "driver/report.h"
#include "output/binary_files.h"
#include "texts/line_description.h"
#include "texts/notes.h"
#include "texts/slow_order.h"
#include "texts/train_card.h"
#include "texts/train_description.h"

namespace lorvenna {

compilazione memorizza_percorso(bool j, const std::string& nome_scenario,
                                const std::string& numero_treno, FileSystem& fs,
                                const nomi_file& nomi) {
  const richiesta_compilazione richiesta{nome_scenario, numero_treno, j, testi_di(nomi)};
  compilazione c = compila(richiesta, fs);
  if (c.esito == esito_compilazione::completa) scrivi_file_binari(fs, binari_di(nomi), c.m, j);
  return c;
}

int esegui_programma(const std::string& cartella, FileSystem& fs, piattaforma& p,
                     std::ostream& errori) {
  p.mostra_attesa();
  const nomi_file nomi = nomi_file_per(cartella, kNomeScenario, kNumeroTreno);
  try {
    // A second run in this folder waits here until this one has ended.
    const auto lock = fs.lock_folder(cartella, LockKind::exclusive,
                                     avviso_di_attesa(errori, "lorvenna", cartella));
    dati_linea(fs, nomi.linea_txt);
    dati_treno(fs, nomi.treno_txt);
    dati_note(fs, nomi.note);
    dati_rallentamenti(fs, nomi.rallentamenti);
    dati_scheda(fs, nomi.scheda);
    const compilazione c = memorizza_percorso(true, kNomeScenario, kNumeroTreno, fs, nomi);
    return riporta_compilazione(c, p, nullptr, errori);
  } catch (const std::exception& e) {
    errori << "lorvenna: " << e.what() << "\n";
    return kStatoFermato;
  }
}

}  // namespace lorvenna
