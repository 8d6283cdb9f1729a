// One sentence for each code the compile can leave, for the user's report.
#pragma once

#include <string_view>

#include "compiler/fault_codes.h"

namespace lorvenna {

std::string_view descrizione_errore(codice c);

}  // namespace lorvenna
