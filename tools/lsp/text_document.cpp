#include "tools/lsp/text_document.h"

#include <algorithm>

namespace lorvenna {
namespace {

// How many bytes the UTF-8 character starting with `b` takes; a byte that
// starts none counts as one, as the check reads it as one character.
size_t lunghezza_utf8(unsigned char b) {
  if (b >= 0xF0 && b <= 0xF4) return 4;
  if (b >= 0xE0) return 3;
  if (b >= 0xC2 && b < 0xE0) return 2;
  return 1;
}

int unita_utf16(size_t byte) { return byte == 4 ? 2 : 1; }

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
  for (int u = 0; u < p.carattere && i < l.size();) {
    const size_t n = std::min(lunghezza_utf8(static_cast<unsigned char>(l[i])), l.size() - i);
    u += unita_utf16(n);
    i += n;
  }
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
    const size_t n = std::min(lunghezza_utf8(static_cast<unsigned char>(l[i])), l.size() - i);
    u += unita_utf16(n);
    i += n;
  }
  return u;
}

int testo_client::colonna_di(int r, int utf16) const {
  const std::string_view l = riga(r - 1);
  int colonna = 1;
  size_t i = 0;
  for (int u = 0; i < l.size();) {
    const size_t n = std::min(lunghezza_utf8(static_cast<unsigned char>(l[i])), l.size() - i);
    if (u + unita_utf16(n) > utf16) break;
    u += unita_utf16(n);
    i += n;
    ++colonna;
  }
  return colonna;
}

}  // namespace lorvenna
