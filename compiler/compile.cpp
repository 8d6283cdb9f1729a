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

// A point the walk found no room for is said of the signal or slowdown
// whose point it was.
void attribuisci(traccia_lettura& t, int32_t marca) {
  if (marca < 0) return;
  for (const origine_marca& o : t.marche_lette) {
    if (o.prima_cella == marca) t.motivo = {t.testo_treno, o.riga, "", o.campo, {}, {}};
  }
}

}  // namespace

compilazione compila(const richiesta_compilazione& r, FileSystem& fs) {
  compilazione c{esito_compilazione::completa, modello{}, {}};
  modello& m = c.m;
  m.nome_scenario = r.nome_scenario;
  m.numero_treno = r.numero_treno;

  memorizza_dati(m, c.traccia, fs, r.testi, r.salva_linea, r.recupero);
  if (!m.tracciato_creato()) {
    c.esito = esito_compilazione::senza_tracciato;
    return c;
  }
  attribuisci(c.traccia, cammina_celle(m));
  c.esito = segna_e_codifica(m);
  return c;
}

}  // namespace lorvenna
