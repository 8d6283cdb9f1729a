#include "compiler/record_rules.h"

namespace lorvenna {

motivo_lettura record_in_errore(const std::string& testo, int riga, const lettore_campi& r) {
  motivo_lettura m{testo, riga, "", campo_posizione(r), r.campi_record()};
  return m;
}

posizione_campo campo_posizione(const lettore_campi& r) { return r.campo_del_record(1); }

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
