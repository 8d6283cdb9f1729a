#include "driver/run_sequence.h"

#include <exception>

#include "compiler/compile_driver.h"
#include "driver/file_names.h"
#include "driver/report.h"
#include "texts/line_description.h"
#include "texts/notes.h"
#include "texts/slow_order.h"
#include "texts/train_card.h"
#include "texts/train_description.h"

namespace lorvenna {

int esegui_programma(const std::string& cartella, FileSystem& fs, piattaforma& p,
                     std::ostream& errori) {
  modello m;
  m.nome_scenario = kNomeScenario;
  m.numero_treno = kNumeroTreno;
  p.mostra_attesa();
  const nomi_file nomi = nomi_file_per(cartella, m.nome_scenario, m.numero_treno);
  try {
    dati_linea(fs, nomi);
    dati_treno(fs, nomi);
    dati_note(fs, nomi);
    dati_rallentamenti(fs, nomi);
    dati_scheda(fs, nomi);
    const esito_compilazione esito = memorizza_percorso(m, 1, fs, nomi);
    return riporta_compilazione(esito, m, p, nullptr, errori);
  } catch (const std::exception& e) {
    errori << "lorvenna: " << e.what() << "\n";
    return kStatoFermato;
  }
}

}  // namespace lorvenna
