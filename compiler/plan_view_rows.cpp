#include "compiler/plan_view_rows.h"

#include <bit>
#include <cstring>
#include <stdexcept>
#include <string>

namespace lorvenna {
namespace {

// Little-endian, whatever the host; on a little-endian one a plain copy.
void metti_u16(char* p, uint16_t v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);
  } else {
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
  }
}

void metti_f64(char* p, double v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &v, sizeof v);
  } else {
    uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
  }
}

double leggi_f64(const char* p) {
  uint64_t u = 0;
  for (int i = 0; i < 8; ++i) u |= uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  double v;
  std::memcpy(&v, &u, sizeof v);
  return v;
}

int16_t leggi_i16(const char* p) {
  return static_cast<int16_t>(static_cast<unsigned char>(p[0]) |
                              (static_cast<unsigned char>(p[1]) << 8));
}

}  // namespace

void righe_planimetria::crea(int32_t ultimo_metro) {
  metri_ = static_cast<size_t>(ultimo_metro) + 1;
  interi_ = 0;
  doppi_ = 0;
  usati_ = 0;
  x_ = LargeBuffer(kDoppio * metri_);
  y_ = LargeBuffer(kDoppio * metri_);
}

void righe_planimetria::inizia() {
  if (metri_ < 2) throw std::logic_error("the plan view has fewer than two metres");
  constexpr auto kTag = static_cast<uint16_t>(etichetta::intero);
  const int16_t punti[2][2] = {{0, 0}, {0, 1}};
  for (size_t metro = 0; metro < 2; ++metro) {
    char* x = x_.get() + kIntero * metro;
    char* y = y_.get() + kIntero * metro;
    metti_u16(x, kTag);
    metti_u16(x + 2, static_cast<uint16_t>(punti[metro][0]));
    metti_u16(y, kTag);
    metti_u16(y + 2, static_cast<uint16_t>(punti[metro][1]));
  }
  interi_ = 2;
  doppi_ = 0;
  usati_ = 2 * kIntero;
}

void righe_planimetria::metti_doppio_lento(char* p, double v) {
  metti_u16(p, static_cast<uint16_t>(etichetta::doppio));
  metti_f64(p + 2, v);
}

void righe_planimetria::rifiuta() const {
  throw std::logic_error("plan-view metre " + std::to_string(calcolati()) + " cannot be set");
}

righe_planimetria::etichetta righe_planimetria::tipo(size_t metro) const {
  if (metro < interi_) return etichetta::intero;
  if (metro < calcolati()) return etichetta::doppio;
  return etichetta::vuoto;
}

double righe_planimetria::valore(const char* meta, size_t metro) const {
  if (metro < interi_) return leggi_i16(meta + kIntero * metro + kEtichetta);
  if (metro >= calcolati()) return 0.0;
  return leggi_f64(meta + kIntero * interi_ + kDoppio * (metro - interi_) + kEtichetta);
}

}  // namespace lorvenna
