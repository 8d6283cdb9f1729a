#include "compiler/plan_view_rows.h"

#include <algorithm>
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

// The Integer points of metres 0 and 1.
constexpr int16_t kPuntiInteri[2][2] = {{0, 0}, {0, 1}};

}  // namespace

void righe_planimetria::crea(int32_t ultimo_metro) {
  metri_ = static_cast<size_t>(ultimo_metro) + 1;
  interi_ = 0;
  doppi_ = 0;
  tratti_.clear();
  punti_x_.clear();
  punti_y_.clear();
  disegno_ = {};
}

void righe_planimetria::inizia() {
  if (metri_ < 2) throw std::logic_error("the plan view has fewer than two metres");
  interi_ = 2;
  doppi_ = 0;
  tratti_.clear();
  punti_x_.clear();
  punti_y_.clear();
  disegno_ = {};
}

void righe_planimetria::metti_interi(char* x, char* y) const {
  constexpr auto kTag = static_cast<uint16_t>(etichetta::intero);
  for (size_t metro = 0; metro < interi_; ++metro) {
    metti_u16(x + kIntero * metro, kTag);
    metti_u16(x + kIntero * metro + 2, static_cast<uint16_t>(kPuntiInteri[metro][0]));
    metti_u16(y + kIntero * metro, kTag);
    metti_u16(y + kIntero * metro + 2, static_cast<uint16_t>(kPuntiInteri[metro][1]));
  }
}

void righe_planimetria::accoda(size_t n, tipo_tratto t, double k) {
  if (interi_ != 2 || n > vuoti()) rifiuta();
  if (n == 0) return;
  disegno_ = {};
  doppi_ += n;
  // Points set one by one make one stretch, not one each.
  if (t == dati && !tratti_.empty() && tratti_.back().tipo == dati) {
    tratti_.back().metri += n;
    return;
  }
  tratti_.push_back({n, t, k, punti_x_.size()});
}

void righe_planimetria::prosegui(size_t n, bool curva, double k) {
  accoda(n, curva ? curvo : dritto, k);
}

void righe_planimetria::aggiungi(double x, double y) {
  accoda(1, dati, 0.0);
  punti_x_.push_back(x);
  punti_y_.push_back(y);
}

// The step vector is turned without renormalising, in exactly this order of
// operations; the points stay in locals across the stretch.
template <int Tipo>
void righe_planimetria::matita::passi(char* xs, char* ys, size_t n, double k) {
  double x0 = x0_, y0 = y0_, x1 = x1_, y1 = y1_;
  const size_t primo = p_.tratti_[tratto_].primo_punto + fatti_;
  for (size_t i = 0; i < n; ++i) {
    double x, y;
    if constexpr (Tipo == dati) {
      x = p_.punti_x_[primo + i];
      y = p_.punti_y_[primo + i];
    } else {
      const double dx = x1 - x0;
      const double dy = y1 - y0;
      if constexpr (Tipo == curvo) {
        const double sterzo_x = dy * k + dx;
        const double sterzo_y = dy - dx * k;
        x = x1 + sterzo_x;
        y = y1 + sterzo_y;
      } else {
        x = x1 + dx;
        y = y1 + dy;
      }
    }
    metti_doppio(xs + i * kDoppio, x);
    metti_doppio(ys + i * kDoppio, y);
    x0 = x1;
    y0 = y1;
    x1 = x;
    y1 = y;
  }
  x0_ = x0;
  y0_ = y0;
  x1_ = x1;
  y1_ = y1;
}

size_t righe_planimetria::matita::disegna(char* x, char* y, size_t n) {
  size_t fatti = 0;
  while (fatti < n && tratto_ < p_.tratti_.size()) {
    const tratto& t = p_.tratti_[tratto_];
    const size_t m = std::min(n - fatti, t.metri - fatti_);
    char* px = x + kDoppio * fatti;
    char* py = y + kDoppio * fatti;
    switch (t.tipo) {
      case dritto:
        passi<dritto>(px, py, m, 0.0);
        break;
      case curvo:
        passi<curvo>(px, py, m, t.k);
        break;
      case dati:
        passi<dati>(px, py, m, 0.0);
        break;
    }
    fatti += m;
    fatti_ += m;
    if (fatti_ == t.metri) {
      ++tratto_;
      fatti_ = 0;
    }
  }
  return fatti;
}

const righe_planimetria::punti& righe_planimetria::punti_disegnati() const {
  if (disegno_.x.size() == doppi_) return disegno_;
  punti d;
  d.x.reserve(doppi_);
  d.y.reserve(doppi_);
  constexpr size_t kPezzo = 4096;
  std::vector<char> x(kDoppio * kPezzo), y(kDoppio * kPezzo);
  matita m(*this);
  while (const size_t n = m.disegna(x.data(), y.data(), kPezzo)) {
    for (size_t i = 0; i < n; ++i) {
      d.x.push_back(leggi_f64(x.data() + kDoppio * i + kEtichetta));
      d.y.push_back(leggi_f64(y.data() + kDoppio * i + kEtichetta));
    }
  }
  disegno_ = std::move(d);
  return disegno_;
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

double righe_planimetria::valore(size_t metro, int asse) const {
  if (metro < interi_) return kPuntiInteri[metro][asse];
  if (metro >= calcolati()) return 0.0;
  const punti& d = punti_disegnati();
  return (asse == 0 ? d.x : d.y)[metro - interi_];
}

}  // namespace lorvenna
