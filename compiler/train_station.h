// One "stazione" record of the train description: its entry of the general
// table, its station area, and the stop and approach marks on the track.
#pragma once

#include <cstdint>

#include "compiler/field_reader.h"
#include "compiler/model.h"
#include "compiler/record_outcome.h"

namespace lorvenna {

// A station's area starts at least this many metres after the previous
// station's area ends.
inline constexpr int32_t kDistanzaMinimaStazioni = 350;
// A station's length is a multiple of this many metres.
inline constexpr int32_t kPassoLunghezzaStazione = 100;

// The cell that holds the stop mark of the station of entry `e`, once it is
// stored; -1 for a station that marks none.
int32_t cella_fermata(const voce_generale& e);

// Reads the record's fields (its keyword already read) into entry
// `numero_stazione` and, when the station is stored, moves `numero_stazione`
// on. Stations grow upward towards `indice_cartello`, the highest entry that
// no text board uses. Reading failures throw errore_lettura.
esito_record leggi_stazione(modello& m, lettore_campi& lettore, int32_t& numero_stazione,
                            int32_t indice_cartello);

}  // namespace lorvenna
