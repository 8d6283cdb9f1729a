#include "compiler/record_rules.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

namespace lorvenna {

motivo_lettura record_in_errore(const std::string& testo, int riga, const lettore_campi& r,
                                spiegazione_guasto& spiegata) {
  spiegazione_guasto s = std::exchange(spiegata, {});
  motivo_lettura m{testo,
                   riga,
                   std::move(s.perche),
                   r.campo_del_record(s.campo),
                   r.campi_record(),
                   std::move(s.aiuto)};
  m.cella_contesa = s.cella;
  return m;
}

posizione_campo campo_posizione(const lettore_campi& r) { return r.campo_del_record(1); }

bool parola_da_record(const std::string& campo) {
  const bool lettera =
      std::any_of(campo.begin(), campo.end(), [](unsigned char c) { return std::isalpha(c) != 0; });
  const size_t primo = campo.find_first_not_of(" \t");
  return lettera && !(primo != std::string::npos && campo[primo] == '[');
}

size_t distanza(std::string_view a, std::string_view b) {
  std::vector<size_t> riga(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) riga[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonale = riga[0];
    riga[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t sopra = riga[j];
      const bool uguali = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                          std::tolower(static_cast<unsigned char>(b[j - 1]));
      riga[j] = std::min({riga[j] + 1, riga[j - 1] + 1, diagonale + (uguali ? 0 : 1)});
      diagonale = sopra;
    }
  }
  return riga[b.size()];
}

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
