// Checked access to a track cell from inside the parse: an index outside the
// track is a reading failure, never a write outside the array.
#pragma once

#include <string>

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

}  // namespace lorvenna
