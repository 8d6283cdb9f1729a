// Conversions from floating point to the model's integer widths: nearest
// integer, halves to the even neighbour. A result outside the target's range
// throws errore_lettura.
#pragma once

#include <cstdint>

namespace lorvenna {

int32_t arrotonda_long(double v);
int16_t arrotonda_integer(double v);
uint8_t arrotonda_byte(double v);

// Cell that holds route position p for signals, boards, slowdowns and text
// boards: arrotonda_long(p / 50 + 1).
inline int32_t cella_di(double p) { return arrotonda_long(p / 50 + 1); }

}  // namespace lorvenna
