#include "compiler/record_rules.h"

namespace lorvenna {

bool trova_generale(lettore_campi& r, std::string& campo) {
  while (true) {
    campo = r.leggi_testo();
    if (r.alla_fine()) return false;
    if (contiene(campo, "[generale]")) return true;
  }
}

bool salta_trattini(lettore_campi& r, std::string& campo, int volte, bool ferma_alla_fine) {
  for (int i = 0; i < volte && contiene(campo, "-"); ++i) {
    campo = r.leggi_testo();
    if (ferma_alla_fine && r.alla_fine()) return false;
  }
  return true;
}

}  // namespace lorvenna
