#include "encoding/quoted.h"

#include <cstdint>

namespace lorvenna {
namespace {

constexpr size_t kMassimo = 40;

bool continuazione(char c) { return (static_cast<uint8_t>(c) & 0xC0) == 0x80; }

bool di_controllo(char c) {
  const auto b = static_cast<uint8_t>(c);
  return b < 0x20 || b == 0x7F;
}

}  // namespace

std::string citato(std::string_view testo) {
  size_t fine = testo.size();
  if (fine > kMassimo) {
    fine = kMassimo;
    while (fine > 0 && continuazione(testo[fine])) --fine;
  }
  std::string out = "\"";
  for (char c : testo.substr(0, fine)) {
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
  if (fine < testo.size()) out += "...";
  return out + "\"";
}

}  // namespace lorvenna
