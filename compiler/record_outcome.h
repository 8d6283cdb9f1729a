// How a record of either description leaves the reading, and the helpers
// that record a fault as they say so.
#pragma once

#include <cstdint>

#include "compiler/cell.h"
#include "compiler/fault_codes.h"
#include "compiler/model.h"

namespace lorvenna {

enum class esito_record {
  continua,      // read the next keyword field
  fine_lettura,  // as if the text ended here: the completion of the half still runs
  fermo,         // the whole parse ends now: the text is deleted, nothing more is done
};

// A record beyond the track ends the reading of its text, not the parse.
inline esito_record fuori_tracciato(modello& m, int32_t p) {
  m.codice_errore = codice::fuori_tracciato;
  m.posizione_errore = p;
  m.valori_errore.posizione = p;
  m.valori_errore.limite = ultima_posizione_record(m.ultima_cella());
  return esito_record::fine_lettura;
}

inline esito_record ferma(modello& m, codice c) {
  m.codice_errore = c;
  return esito_record::fermo;
}

inline esito_record ferma(modello& m, codice c, int32_t p) {
  m.posizione_errore = p;
  m.valori_errore.posizione = p;
  return ferma(m, c);
}

// A record that finds cell `indice` taken: the code, the cell, and what
// stood on it, said before the record's position is added.
inline void cella_presa(modello& m, codice c, int32_t indice) {
  m.codice_errore = c;
  m.valori_errore.cella = indice;
  m.valori_errore.occupante = m.celle[static_cast<size_t>(indice)].tipo_cella;
}

// A code's state, cleared once it is told and passed over.
inline void togli_codice(modello& m) {
  m.codice_errore = codice::nessuno;
  m.posizione_errore = 0;
  m.valori_errore = {};
}

// After a marking call: any code standing now, the marker's own or one left
// before the call, stops the parse at this record.
inline esito_record dopo_marcatura(modello& m, int32_t p) {
  if (m.con_codice()) return ferma(m, m.codice_errore, p);
  return esito_record::continua;
}

}  // namespace lorvenna
