// How a record of either description leaves the reading, and the helpers
// that record a fault as they say so.
#pragma once

#include <cstdint>

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
  return esito_record::fine_lettura;
}

inline esito_record ferma(modello& m, codice c) {
  m.codice_errore = c;
  return esito_record::fermo;
}

inline esito_record ferma(modello& m, codice c, int32_t p) {
  m.posizione_errore = p;
  return ferma(m, c);
}

// After a marking call: any code standing now, the marker's own or one left
// before the call, stops the parse at this record.
inline esito_record dopo_marcatura(modello& m, int32_t p) {
  if (m.con_codice()) return ferma(m, m.codice_errore, p);
  return esito_record::continua;
}

}  // namespace lorvenna
