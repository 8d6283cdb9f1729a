#include "compiler/compile_driver.h"

#include "compiler/cell_walk.h"
#include "compiler/description_reader.h"
#include "compiler/scenario_codes.h"
#include "output/binary_files.h"

namespace lorvenna {

esito_compilazione memorizza_percorso(modello& m, int32_t j, FileSystem& fs,
                                      const nomi_file& nomi) {
  m.salva_linea = j;
  m.codice_errore = 0;
  m.motivo_errore.clear();
  for (auto& v : m.dati_generali) v = voce_generale{};
  // The model is built from scratch: a track or plan view of an earlier
  // compile must not stand in for a parse that stopped early.
  m.celle.clear();
  m.planimetria = planimetria_t{};

  memorizza_dati(m, fs, nomi);
  if (!m.tracciato_creato()) return esito_compilazione::senza_tracciato;
  cammina_celle(m);

  voce_generale& scenario = m.dati_generali[kVoceScenario];
  cella& prima = m.celle.at(1);
  if (scenario.valore_1 != 0 || prima.dato_1 != 0) return esito_compilazione::errore_1250;
  scenario.valore_1 = kMarcaScenario;
  prima.dato_1 = kMarcaCella;
  if (scenario.orario != 0 || prima.dato_2 != 0) return esito_compilazione::errore_1251;
  scenario.orario = codice_gara_st(m);
  prima.dato_2 = codice_gara_og(m);

  scrivi_file_binari(fs, nomi, m);
  return esito_compilazione::scritto;
}

}  // namespace lorvenna
