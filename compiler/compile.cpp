#include "compiler/compile.h"

#include "compiler/cell_walk.h"
#include "compiler/scenario_codes.h"

namespace lorvenna {
namespace {

// The two marks and the two codes go into places that nothing before them
// may have taken; a taken place ends the compile without output.
esito_compilazione segna_e_codifica(modello& m) {
  voce_generale& scenario = m.dati_generali[kVoceScenario];
  cella& prima = m.celle.at(1);
  if (scenario.valore_1 != 0 || prima.dato_1 != 0) return esito_compilazione::errore_1250;
  scenario.valore_1 = kMarcaScenario;
  prima.dato_1 = kMarcaCella;
  if (scenario.orario != 0 || prima.dato_2 != 0) return esito_compilazione::errore_1251;
  scenario.orario = codice_gara_st(m);
  prima.dato_2 = codice_gara_og(m);
  return esito_compilazione::completa;
}

}  // namespace

compilazione compila(const richiesta_compilazione& r, FileSystem& fs) {
  compilazione c{esito_compilazione::completa, modello{}};
  modello& m = c.m;
  m.nome_scenario = r.nome_scenario;
  m.numero_treno = r.numero_treno;
  m.salva_linea = r.salva_linea;

  memorizza_dati(m, fs, r.testi);
  if (!m.tracciato_creato()) {
    c.esito = esito_compilazione::senza_tracciato;
    return c;
  }
  cammina_celle(m);
  c.esito = segna_e_codifica(m);
  return c;
}

}  // namespace lorvenna
