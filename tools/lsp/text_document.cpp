#include "tools/lsp/text_document.h"

#include <algorithm>
#include <optional>

#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

// The UTF-16 units of the character at `i`, moving `i` past it. Bytes that
// form no character are one column each, as the conversion to
// Windows-1252 reads them.
int unita_utf16(std::string_view riga, size_t& i) {
  const size_t da = i;
  const std::optional<char32_t> c = decodifica_utf8(riga, i);
  if (!c) i = da + 1;
  return c && *c >= 0x10000 ? 2 : 1;
}

}  // namespace

testo_client::testo_client(std::string utf8) : testo_(std::move(utf8)) { conta_righe(); }

void testo_client::conta_righe() {
  inizi_.assign(1, 0);
  for (size_t i = 0; i < testo_.size(); ++i) {
    if (testo_[i] == '\n') inizi_.push_back(i + 1);
  }
}

std::string_view testo_client::riga(int r) const {
  if (r < 0 || r >= righe()) return {};
  const size_t da = inizi_[static_cast<size_t>(r)];
  size_t a = r + 1 < righe() ? inizi_[static_cast<size_t>(r) + 1] - 1 : testo_.size();
  if (a > da && testo_[a - 1] == '\r') --a;
  return std::string_view(testo_).substr(da, a - da);
}

size_t testo_client::offset(posizione_client p) const {
  if (p.riga < 0) return 0;
  if (p.riga >= righe()) return testo_.size();
  const std::string_view l = riga(p.riga);
  const size_t inizio = inizi_[static_cast<size_t>(p.riga)];
  size_t i = 0;
  for (int u = 0; u < p.carattere && i < l.size();) u += unita_utf16(l, i);
  return inizio + i;
}

void testo_client::sostituisci(posizione_client da, posizione_client a, std::string_view nuovo) {
  const size_t inizio = offset(da);
  const size_t fine = std::max(inizio, offset(a));
  testo_.replace(inizio, fine - inizio, nuovo);
  conta_righe();
}

int testo_client::utf16_di(int r, int colonna) const {
  const std::string_view l = riga(r - 1);
  int u = 0;
  size_t i = 0;
  // A column past the line's end (the end of a finding at its last
  // character) counts one unit a column.
  for (int c = 1; c < colonna; ++c) {
    if (i >= l.size()) {
      ++u;
      continue;
    }
    u += unita_utf16(l, i);
  }
  return u;
}

int testo_client::colonna_di(int r, int utf16) const {
  const std::string_view l = riga(r - 1);
  int colonna = 1;
  size_t i = 0;
  for (int u = 0; i < l.size(); ++colonna) {
    size_t dopo = i;
    const int n = unita_utf16(l, dopo);
    if (u + n > utf16) break;
    u += n;
    i = dopo;
  }
  return colonna;
}

}  // namespace lorvenna
