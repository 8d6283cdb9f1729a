#include "compiler/rounding.h"

#include <cmath>
#include <string>

#include "compiler/failure.h"

namespace lorvenna {
namespace {

// std::nearbyint follows the default rounding mode, round-to-nearest-even.
double arrotonda_in(double v, double minimo, double massimo, const char* tipo) {
  double r = std::nearbyint(v);
  if (!(r >= minimo && r <= massimo)) {
    throw errore_lettura("value " + std::to_string(v) + " does not fit a " + tipo);
  }
  return r;
}

}  // namespace

int32_t arrotonda_long(double v) {
  return static_cast<int32_t>(arrotonda_in(v, INT32_MIN, INT32_MAX, "Long"));
}

int16_t arrotonda_integer(double v) {
  return static_cast<int16_t>(arrotonda_in(v, INT16_MIN, INT16_MAX, "Integer"));
}

uint8_t arrotonda_byte(double v) { return static_cast<uint8_t>(arrotonda_in(v, 0, 255, "Byte")); }

}  // namespace lorvenna
