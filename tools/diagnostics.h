// The author's diagnostic for a compile that recorded a fault, in the usual
// compiler form: "FILE:LINE: error: MESSAGE (codice_errore C)".
#pragma once

#include <string>

#include "compiler/compile.h"

namespace lorvenna {

// Empty when the compile recorded no fault.
std::string diagnostica(const compilazione& c);

}  // namespace lorvenna
