#include "encoding/quoted.h"

#include <cstdint>

namespace lorvenna {
namespace {

constexpr size_t kMassimo = 40;
// A path up to kMassimoPercorso bytes is shown whole; a longer one keeps
// its first kInizioPercorso bytes and its last kFinePercorso.
constexpr size_t kMassimoPercorso = 240;
constexpr size_t kInizioPercorso = 80;
constexpr size_t kFinePercorso = kMassimoPercorso - kInizioPercorso - 3;

bool continuazione(char c) { return (static_cast<uint8_t>(c) & 0xC0) == 0x80; }

bool di_controllo(char c) {
  const auto b = static_cast<uint8_t>(c);
  return b < 0x20 || b == 0x7F;
}

// The first byte at or before `i` that starts a UTF-8 sequence (or ends the text).
size_t inizio_sequenza(std::string_view testo, size_t i) {
  while (i > 0 && i < testo.size() && continuazione(testo[i])) --i;
  return i;
}

}  // namespace

std::string senza_controlli(std::string_view testo) {
  std::string out;
  out.reserve(testo.size());
  for (char c : testo) {
    if (!di_controllo(c)) {
      out += c;
      continue;
    }
    static constexpr char kCifre[] = "0123456789ABCDEF";
    const auto b = static_cast<uint8_t>(c);
    out += "\\x";
    out += kCifre[b >> 4];
    out += kCifre[b & 0xF];
  }
  return out;
}

std::string citato(std::string_view testo) {
  if (testo.size() <= kMassimo) return "\"" + senza_controlli(testo) + "\"";
  return "\"" + senza_controlli(testo.substr(0, inizio_sequenza(testo, kMassimo))) + "...\"";
}

std::string percorso_citato(std::string_view percorso) {
  if (percorso.size() <= kMassimoPercorso) return "\"" + senza_controlli(percorso) + "\"";
  const size_t fine_inizio = inizio_sequenza(percorso, kInizioPercorso);
  // The kept end starts on a sequence's first byte, so it may come out a little shorter.
  size_t inizio_fine = percorso.size() - kFinePercorso;
  while (inizio_fine < percorso.size() && continuazione(percorso[inizio_fine])) ++inizio_fine;
  return "\"" + senza_controlli(percorso.substr(0, fine_inizio)) + "..." +
         senza_controlli(percorso.substr(inizio_fine)) + "\"";
}

}  // namespace lorvenna
