#include "lsp/editor_places.h"

#include <algorithm>

namespace lorvenna {

nlohmann::json posizione_lsp(int riga, int colonna, const testo_client* testo) {
  // A finding on no line (a missing section) is shown at the text's start.
  if (riga <= 0) return {{"line", 0}, {"character", 0}};
  const int carattere =
      testo ? testo->utf16_di(riga, std::max(colonna, 1)) : std::max(colonna - 1, 0);
  return {{"line", riga - 1}, {"character", carattere}};
}

nlohmann::json intervallo_lsp(const SourceSpan& s, const testo_client* testo) {
  return {{"start", posizione_lsp(s.line, s.column, testo)},
          {"end", posizione_lsp(s.line, std::max(s.end_column, s.column), testo)}};
}

nlohmann::json intervallo_lsp(const posizione_campo& da, const posizione_campo& a,
                              const testo_client* testo) {
  return {{"start", posizione_lsp(da.riga, da.colonna, testo)},
          {"end", posizione_lsp(a.riga, a.colonna_fine, testo)}};
}

}  // namespace lorvenna
