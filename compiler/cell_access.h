// Checked access to a track cell from inside the parse: an index outside the
// track is a reading failure, never a write outside the array.
#pragma once

#include <string>

#include "compiler/cell.h"
#include "compiler/failure.h"
#include "compiler/model.h"

namespace lorvenna {

inline cella& cella_in(modello& m, int64_t indice) {
  if (!m.tracciato_creato()) {
    throw errore_lettura("the track does not exist: no \"lunghezza percorso\" record was read");
  }
  if (indice < 0 || indice > m.ultima_cella()) {
    throw errore_lettura("cell " + std::to_string(indice) + " lies outside the track");
  }
  return m.celle[static_cast<size_t>(indice)];
}

// Position p with margin `margine` (compiler/cell.h) fits when the last
// cell index is not below p + margine counted in cells, in floating point.
inline bool entra(const modello& m, int32_t p, int32_t margine) {
  return static_cast<double>(m.ultima_cella()) >= in_celle(static_cast<double>(p) + margine);
}

}  // namespace lorvenna
