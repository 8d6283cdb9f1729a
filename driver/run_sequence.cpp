#include "driver/run_sequence.h"

#include <exception>
#include <new>

#include "driver/activity.h"
#include "driver/folder_wait.h"
#include "driver/report.h"
#include "output/binary_files.h"
#include "platform/deferred_deletions.h"
#include "texts/line_description.h"
#include "texts/notes.h"
#include "texts/slow_order.h"
#include "texts/train_card.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

// The run's own description texts, whatever stopped it: they are
// temporaries, and no later step of this run will delete them.
void rimuovi_testi(FileSystem& fs, const nomi_file& nomi) {
  for (const std::string* testo : {&nomi.linea_txt, &nomi.treno_txt}) {
    try {
      if (fs.exists(*testo)) fs.remove(*testo);
    } catch (const FileError&) {
      // The failure that stopped the run is the one to report.
    }
  }
}

}  // namespace

compilazione memorizza_percorso(bool con_linea, const std::string& nome_scenario,
                                const std::string& numero_treno, FileSystem& fs,
                                const nomi_file& nomi, FolderSyncs* syncs) {
  const richiesta_compilazione richiesta{
      nome_scenario, numero_treno, con_linea, testi_di(nomi), {}};
  const in_corso compilando("compiling the description texts in", folder_of(nomi.linea_txt));
  compilazione c = compila(richiesta, fs);
  if (c.esito == esito_compilazione::completa) {
    const in_corso scrivendo("writing the binary files in", folder_of(nomi.linea_txt));
    scrivi_file_binari(fs, binari_di(nomi), c.m, con_linea, {.later = syncs});
  }
  return c;
}

int esegui_programma(const std::string& cartella, FileSystem& fs, piattaforma& p,
                     std::ostream& errori, std::ostream& avvisi) {
  p.mostra_attesa();
  const nomi_file nomi = nomi_file_per(cartella, kNomeScenario, kNumeroTreno);
  bool testi_nostri = false;
  try {
    // A second run in this folder waits here until this one has ended.
    const auto lock = fs.lock_folder(cartella, LockKind::exclusive,
                                     avviso_di_attesa(avvisi, "lorvenna", cartella));
    // The description texts are read back and deleted within the run: a
    // crash loses nothing a sync would have kept. Everything else reaches
    // the disk with one sync of the folder, after the last rename.
    const Durability provvisori{.kept = false};
    FolderSyncs cartella_da_fissare;
    const Durability tenuti{.later = &cartella_da_fissare};
    fs.clear_leftovers(tutti_i_file(nomi));
    testi_nostri = true;
    const auto scrivi = [&fs](auto scrittore, const std::string& nome, Durability d) {
      const in_corso passo("writing", nome);
      scrittore(fs, nome, d);
    };
    scrivi(dati_linea, nomi.linea_txt, provvisori);
    scrivi(dati_treno, nomi.treno_txt, provvisori);
    scrivi(dati_note, nomi.note, tenuti);
    scrivi(dati_rallentamenti, nomi.rallentamenti, tenuti);
    scrivi(dati_scheda, nomi.scheda, tenuti);
    // The texts go only once the binary files are in place.
    DeferredDeletions vista(fs, {nomi.linea_txt, nomi.treno_txt});
    const compilazione c = memorizza_percorso(/*con_linea=*/true, kNomeScenario, kNumeroTreno,
                                              vista, nomi, &cartella_da_fissare);
    cartella_da_fissare.sync(fs);
    vista.carry_out();
    return riporta_compilazione(c, p, nullptr, errori);
  } catch (const std::bad_alloc&) {
    if (testi_nostri) rimuovi_testi(fs, nomi);
    riporta_memoria_esaurita("lorvenna", errori);
    return kStatoFermato;
  } catch (const std::exception& e) {
    if (testi_nostri) rimuovi_testi(fs, nomi);
    errori << "lorvenna: " << e.what() << "\n";
    return kStatoFermato;
  }
}

}  // namespace lorvenna
