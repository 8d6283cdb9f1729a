// One sentence for each code the compiler can leave, for the user's report.
#pragma once

#include <cstdint>
#include <string_view>

namespace lorvenna {

std::string_view descrizione_errore(int32_t codice);

}  // namespace lorvenna
