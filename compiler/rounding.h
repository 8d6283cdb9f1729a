// Conversions from floating point to the model's integer widths: nearest
// integer, halves to the even neighbour. A result outside the target's range
// throws errore_lettura.
#pragma once

#include <cstdint>

namespace lorvenna {

int32_t arrotonda_long(double v);
int16_t arrotonda_integer(double v);
uint8_t arrotonda_byte(double v);

}  // namespace lorvenna
