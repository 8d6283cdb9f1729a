#include "lsp/text_document.h"

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

colonne_utf16::colonne_utf16(std::string_view riga) {
  for (size_t i = 0; i < riga.size();) {
    ++caratteri_;
    if (unita_utf16(riga, i) == 2) doppie_.push_back(caratteri_);
  }
}

int colonne_utf16::utf16_di(int colonna) const {
  const int prima = colonna - 1;  // the characters before it
  if (prima <= 0) return 0;
  if (prima > caratteri_) return caratteri_ + static_cast<int>(doppie_.size()) + prima - caratteri_;
  const auto doppie_prima = std::lower_bound(doppie_.begin(), doppie_.end(), colonna);
  return prima + static_cast<int>(doppie_prima - doppie_.begin());
}

int colonne_utf16::colonna_di(int utf16) const {
  // The most characters from the line's start whose units all fall within
  // `utf16`: the offset of the first j characters grows with j.
  int meno = 0;
  int piu = caratteri_;
  while (meno < piu) {
    const int j = meno + (piu - meno + 1) / 2;
    if (utf16_di(j + 1) <= utf16) {
      meno = j;
    } else {
      piu = j - 1;
    }
  }
  return meno + 1;
}

testo_client::testo_client(std::string utf8) : testo_(std::move(utf8)) { conta_righe(); }

void testo_client::conta_righe() {
  colonne_.clear();
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

const colonne_utf16& testo_client::colonne(int r) const {
  static const colonne_utf16 nessuna;
  if (r < 1 || r > righe()) return nessuna;  // no line: one unit a column
  const auto c = colonne_.find(r);
  if (c != colonne_.end()) return c->second;
  return colonne_.emplace(r, colonne_utf16(riga(r - 1))).first->second;
}

int testo_client::utf16_di(int r, int colonna) const { return colonne(r).utf16_di(colonna); }

int testo_client::colonna_di(int r, int utf16) const { return colonne(r).colonna_di(utf16); }

}  // namespace lorvenna
