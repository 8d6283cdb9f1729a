// The walk over the finished track that secures the 180 km/h points around
// slowdowns: in front of signals shortly before a warning board, on the
// approach to every slowdown start, inside slow slowdowns and in front of
// the first signal after their end.
#pragma once

#include <cstdint>

#include "compiler/model.h"

namespace lorvenna {

// The speed, in km/h, of the points the walk places.
inline constexpr int16_t kValorePunto = 180;

// A signal up to this many cells before a warning board needs a point in
// front of it.
inline constexpr int32_t kFinestraAvviso = 20;

// The smaller of the two, x on a tie.
int16_t minimo(int16_t x, int16_t y);

// Places the points as type-12 cells with value 180. Where a point finds no
// room it records code 11, 12 or 13 and goes on. Touches nothing outside
// `celle`. Returns the cell of the signal or slowdown start whose point
// recorded the last code, or -1 when none did.
int32_t cammina_celle(modello& m);

}  // namespace lorvenna
