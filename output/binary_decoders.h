// Reading the three binary files back into the model's records, for the
// author tools. A file that is too short, too long or inconsistent throws
// DamagedFileError with what is wrong; nothing is assumed of a damaged file.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/model.h"

namespace lorvenna {

class DamagedFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<cella> decodifica_celle(std::string_view dati);
std::array<voce_generale, kNumeroVoci> decodifica_dati_generali(std::string_view dati);

// What the line file holds, half by half: how many metres of each kind.
struct riassunto_planimetria {
  size_t metri = 0;   // in each half
  size_t interi = 0;  // leading Integer metres
  size_t doppi = 0;   // doubles after them
  size_t vuoti = 0;   // empty metres at the end
};
riassunto_planimetria decodifica_planimetria(std::string_view dati);

// The points of the metres set, from metre 0.
struct punti_planimetria {
  std::vector<double> x;
  std::vector<double> y;
};
punti_planimetria decodifica_punti(std::string_view dati);

// Both at once, the file checked once.
struct planimetria_letta {
  riassunto_planimetria riassunto;
  punti_planimetria punti;
};
planimetria_letta decodifica_linea(std::string_view dati);

}  // namespace lorvenna
