// Signals and slowdowns of the train description, marked on the track cells.
// Both markers refuse an occupied cell by setting codice_errore (16 to 20) and
// returning; the caller records the position and stops its parse.
#pragma once

#include <cstdint>

#include "compiler/model.h"

namespace lorvenna {

// Marks the signal cell at `posizione` and the approach codes 2, 4, 6 and 8
// cells before it. A `tempo` of 1 to 100 becomes 101, for the caller too.
// The other arguments are left unchanged.
void memo_segnale(modello& m, int32_t posizione, int32_t& sx, int32_t& s1, int32_t& s2, int32_t& s3,
                  int32_t& rapp, int32_t& dx, int32_t& d1, int32_t& d2, int32_t& d3,
                  int32_t& tempo);

// Marks a slowdown starting at `x`, `l` metres long: its start and end cells,
// past 1500 m a warning cell 1200 m before the start, and with `f_ta` set the
// four cells before the warning. The reference arguments are not changed.
void memo_rallentamento(modello& m, int32_t x, int32_t& v, int32_t& l, int32_t& f_tt, int32_t f_ta,
                        int32_t& d_v);

// Whether every cell that the marker would test or write lies inside
// `celle`. The markers assume it; the parser refuses a record that fails it.
bool segnale_nel_tracciato(const modello& m, int32_t posizione);
bool rallentamento_nel_tracciato(const modello& m, int32_t x, int32_t l, int32_t f_ta);

}  // namespace lorvenna
