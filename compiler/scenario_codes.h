// Two check codes that tie the compiled files to the train number and the
// scenario name, as stored in entries 86 and 85.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/model.h"

namespace lorvenna {

// Plain sum of the first 25 character codes.
int16_t codice_gara_og(const modello& m);
// Sum of the first 25 character codes, each weighted by its place.
int32_t codice_gara_st(const modello& m);

// The text both codes are taken from: train number and scenario name, lower
// case, followed by a fixed fill so that it always has 25 characters.
std::string testo_codici(const modello& m);

}  // namespace lorvenna
