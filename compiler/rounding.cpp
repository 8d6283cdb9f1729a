#include "compiler/rounding.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "compiler/failure.h"

namespace lorvenna {
namespace {

// std::nearbyint follows the default rounding mode, round-to-nearest-even.
double arrotonda_in(double v, double minimo, double massimo) {
  double r = std::nearbyint(v);
  if (!(r >= minimo && r <= massimo)) {
    char testo[96];
    std::snprintf(testo, sizeof testo, "%.15g lies outside %.15g to %.15g", v, minimo, massimo);
    throw errore_lettura(std::string("the computed value ") + testo + ", the values it is kept in");
  }
  return r;
}

}  // namespace

int32_t arrotonda_long(double v) {
  return static_cast<int32_t>(arrotonda_in(v, INT32_MIN, INT32_MAX));
}

int16_t arrotonda_integer(double v) {
  return static_cast<int16_t>(arrotonda_in(v, INT16_MIN, INT16_MAX));
}

uint8_t arrotonda_byte(double v) { return static_cast<uint8_t>(arrotonda_in(v, 0, 255)); }

}  // namespace lorvenna
