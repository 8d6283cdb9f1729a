// Fitting computed values into the model's integer widths. The cell fields
// that the markers fill keep only the low bits of what is stored in them;
// a Long field that cannot hold its value is a reading failure instead.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "compiler/failure.h"

namespace lorvenna {

// The results are computed in 64 bits so that the truncation below sees the
// exact value of any expression of 32-bit operands.
inline int16_t bassi_16(int64_t v) { return static_cast<int16_t>(static_cast<uint16_t>(v)); }
inline uint8_t bassi_8(int64_t v) { return static_cast<uint8_t>(v); }

inline int32_t come_long(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) {
    throw errore_lettura("value " + std::to_string(v) + " does not fit a Long");
  }
  return static_cast<int32_t>(v);
}

}  // namespace lorvenna
