#include "check/author_units.h"

#include <cstdio>

namespace lorvenna {

std::string orario_hms(int32_t secondi) {
  char testo[32];
  std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", secondi / 3600, secondi / 60 % 60,
                secondi % 60);
  return testo;
}

}  // namespace lorvenna
