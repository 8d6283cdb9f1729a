// What the records of the train description share: the test that keeps a
// record on the track, and how a record ends the reading.
#pragma once

#include <cstdint>

#include "compiler/model.h"

namespace lorvenna {

// How a record leaves the reading loop.
enum class esito_record {
  continua,      // read the next keyword field
  fine_lettura,  // code 15: as if the text ended here, so the fills and the final check still run
  fermo,         // any other code: delete the text and return at once
};

inline constexpr int32_t kCodiceFuoriTracciato = 15;
inline constexpr int32_t kMargineRecord = 100;
inline constexpr int32_t kMargineStazione = 800;

// Position p with margin `margine` fits when the last cell index is not
// below (p + margine) / 50, in floating point.
inline bool entra(const modello& m, int32_t p, int32_t margine) {
  return static_cast<double>(m.ultima_cella()) >= (static_cast<double>(p) + margine) / 50;
}

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
