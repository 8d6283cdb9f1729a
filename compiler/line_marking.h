// Marks that the line description places on the model: the order of the
// kilometric progressive sections, montagna stretches and speed boards.
#pragma once

#include <cstdint>

#include "compiler/model.h"

namespace lorvenna {

// Orders entries 81..83 by start, greatest first, and adds 100 to the end of
// every section flagged 1.
void progressive_ordina(modello& m);

// A line holds at most this many montagna stretches.
inline constexpr int kMaxMontagne = 80;

// The montagna stretches marked so far: how many, and where the last ended.
struct tratti_montagna {
  int32_t numero = 0;
  int32_t fine_precedente = 0;
};

// Writes a montagna stretch's type over its cells; a type above 10 also asks
// for a marker in every fourth cell, and a stretch starting within 150 m of
// the previous one's end takes the joining type 3. The caller has checked
// that the stretch fits the track.
void memo_montagna(modello& m, tratti_montagna& tratti, int32_t inizio, int32_t fine, int32_t tipo);

// An "indicatori_vmax" record: the three speeds and the stripe count of the
// left side, then of the right side.
struct indicatori_letti {
  int32_t posizione;
  int32_t vas, vbs, vcs;
  int16_t strisces;
  int32_t vad, vbd, vcd;
  int16_t strisced;
};

// Places a speed board; sets codice_errore 21 when its cell is taken. A speed
// code beyond 16 bits throws errore_lettura after the codes before it are written.
void memo_indicatori_v_max(modello& m, const indicatori_letti& v);

// Cells a montagna stretch covers: arrotonda_long(inizio / 50) to
// arrotonda_long(fine / 50 - 1), empty when the first exceeds the second.
struct intervallo_celle {
  int32_t prima;
  int32_t ultima;
};
intervallo_celle celle_montagna(int32_t inizio, int32_t fine);

}  // namespace lorvenna
