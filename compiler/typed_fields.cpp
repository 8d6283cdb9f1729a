#include "compiler/typed_fields.h"

#include <limits>
#include <string>

namespace lorvenna {
namespace {

// The range is said as the author may write it, not by the width's name.
int32_t leggi_entro(lettore_campi& lettore, int32_t minimo, int32_t massimo) {
  int32_t v = lettore.leggi_numero();
  if (v < minimo || v > massimo) {
    lettore.fallisci(std::to_string(v) + " lies outside " + std::to_string(minimo) + " to " +
                     std::to_string(massimo) + ", the values this field holds");
  }
  return v;
}

}  // namespace

int32_t leggi_long(lettore_campi& lettore) { return lettore.leggi_numero(); }

int16_t leggi_integer(lettore_campi& lettore) {
  return static_cast<int16_t>(leggi_entro(lettore, std::numeric_limits<int16_t>::min(),
                                          std::numeric_limits<int16_t>::max()));
}

uint8_t leggi_byte(lettore_campi& lettore) {
  return static_cast<uint8_t>(leggi_entro(lettore, 0, 255));
}

}  // namespace lorvenna
