// One sentence for each code the compile can leave: the program's report
// and scenario-tool's diagnostics both say a fault with it.
#pragma once

#include <string_view>

#include "compiler/fault_codes.h"

namespace lorvenna {

std::string_view descrizione_errore(codice c);

}  // namespace lorvenna
