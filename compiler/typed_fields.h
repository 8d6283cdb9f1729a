// Reading a number field into the width that its record gives it. A value
// outside that width is a reading failure, never a silent truncation.
#pragma once

#include <cstdint>

#include "compiler/field_reader.h"

namespace lorvenna {

int32_t leggi_long(lettore_campi& lettore);
int16_t leggi_integer(lettore_campi& lettore);
uint8_t leggi_byte(lettore_campi& lettore);

}  // namespace lorvenna
