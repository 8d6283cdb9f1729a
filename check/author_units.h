// The compiled records' stored values in the units an author writes in the
// description texts, for every tool that shows them.
#pragma once

#include <cstdint>
#include <string>

namespace lorvenna {

// A cell's gradient byte holds 100 + the gradient in per mille.
inline int pendenza_permille(uint8_t pendenza) { return int{pendenza} - 100; }

// A cell's line speed byte holds the speed in steps of 5 km/h.
inline int velocita_kmh(uint8_t velocita_linea) { return int{velocita_linea} * 5; }

// A speed board's code packs 100 x (left / 5) + right / 5.
struct velocita_cartello {
  int sinistra_kmh;
  int destra_kmh;
};
inline velocita_cartello decodifica_velocita(int16_t codice) {
  return {codice / 100 * 5, codice % 100 * 5};
}

// Seconds since midnight as "hh:mm:ss".
std::string orario_hms(int32_t secondi);

}  // namespace lorvenna
