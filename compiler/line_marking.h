// Marks that the line description places on the model: the order of the
// kilometric progressive sections, montagna stretches and speed boards.
#pragma once

#include <cstdint>

#include "compiler/model.h"

namespace lorvenna {

// Orders entries 81..83 by start, greatest first, and adds 100 to the end of
// every section flagged 1.
void progressive_ordina(modello& m);

// Records a montagna stretch and writes its type over its cells; a type above
// 10 also asks for a marker in every fourth cell. The caller has checked that
// the stretch fits the track and the stretch arrays.
void memo_montagna(modello& m, int32_t inizio, int32_t fine, int32_t& tipo);

// Places a speed board; sets codice_errore 21 when its cell is taken. A speed
// code beyond 16 bits throws errore_lettura after the codes before it are written.
void memo_indicatori_v_max(modello& m, int32_t posizione, int32_t vas, int32_t vbs, int32_t vcs,
                           int16_t strisces, int32_t vad, int32_t vbd, int32_t vcd,
                           int16_t strisced);

// Cells a montagna stretch covers: arrotonda_long(inizio / 50) to
// arrotonda_long(fine / 50 - 1), empty when the first exceeds the second.
struct intervallo_celle {
  int32_t prima;
  int32_t ultima;
};
intervallo_celle celle_montagna(int32_t inizio, int32_t fine);

}  // namespace lorvenna
