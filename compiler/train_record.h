// What the records of the train description share: the test that keeps a
// record on the track, and how a record ends the reading.
#pragma once

#include <cstdint>

#include "compiler/cell_access.h"
#include "compiler/model.h"

namespace lorvenna {

// How a record leaves the reading loop.
enum class esito_record {
  continua,      // read the next keyword field
  fine_lettura,  // code 15: as if the text ended here, so the fills and the final check still run
  fermo,         // any other code: delete the text and return at once
};

inline constexpr int32_t kCodiceFuoriTracciato = 15;

inline esito_record fuori_tracciato(modello& m, int32_t p) {
  m.codice_errore = kCodiceFuoriTracciato;
  m.posizione_errore = p;
  return esito_record::fine_lettura;
}

inline esito_record ferma(modello& m, int32_t codice) {
  m.codice_errore = codice;
  return esito_record::fermo;
}

inline esito_record ferma(modello& m, int32_t codice, int32_t p) {
  m.posizione_errore = p;
  return ferma(m, codice);
}

}  // namespace lorvenna
