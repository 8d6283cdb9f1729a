#include "compiler/plan_view.h"

#include <array>

#include "compiler/failure.h"
#include "compiler/keywords.h"

namespace lorvenna {

double curvatura(const std::string& campo) {
  static constexpr std::array<std::pair<const char*, double>, 6> kClassi = {{
      {"1", 0.0001},
      {"2", 0.0002},
      {"3", 0.0004},
      {"4", 0.001},
      {"5", 0.002},
      {"6", 0.003},
  }};
  for (const auto& [cifra, k] : kClassi) {
    if (contiene(campo, cifra)) return contiene(campo, "s") ? -k : k;
  }
  return 0.0;
}

void tracciatore_planimetria::inizio() {
  planimetria_t& p = m_.planimetria;
  if (p.metri() < 2) throw errore_lettura("the plan view has fewer than two metres");
  p.inizia();
  prima_ = {0.0, 0.0};
  ultimo_ = {0.0, 1.0};
  metro_ = 2;
}

// The step vector is turned without renormalising, in exactly this order of
// operations, so that the file matches to the last bit.
void tracciatore_planimetria::passo(double k, bool curva) {
  planimetria_t& p = m_.planimetria;
  if (metro_ < 2 || static_cast<size_t>(metro_) >= p.metri()) {
    throw errore_lettura("plan-view metre " + std::to_string(metro_) + " lies outside the route");
  }
  const double x1 = ultimo_.x;
  const double y1 = ultimo_.y;
  const double dx = x1 - prima_.x;
  const double dy = y1 - prima_.y;
  double x, y;
  if (curva) {
    const double sterzo_x = dy * k + dx;
    const double sterzo_y = dy - dx * k;
    x = x1 + sterzo_x;
    y = y1 + sterzo_y;
  } else {
    x = x1 + dx;
    y = y1 + dy;
  }
  p.aggiungi(x, y);
  prima_ = ultimo_;
  ultimo_ = {x, y};
  ++metro_;
}

codice tracciatore_planimetria::curva(int32_t s, int32_t n, const std::string& campo) {
  const double k = curvatura(campo);
  if (k == 0.0) return codice::curva;
  // A curve that would run past the last row is refused before any row is
  // computed, unless the metre limit would stop it first.
  const int64_t ultima_riga = static_cast<int64_t>(m_.planimetria.metri()) - 1;
  if (int64_t{s} + n > ultima_riga && ultima_riga < kMetriMassimiCurve) {
    return codice::fuori_tracciato;
  }
  while (metro_ <= s) {
    passo(k, false);
    if (metro_ > kMetriMassimiCurve) return codice::curva;
  }
  while (int64_t{metro_} <= int64_t{s} + n) {
    passo(k, true);
    if (metro_ > kMetriMassimiCurve) return codice::curva;
  }
  return codice::nessuno;
}

void tracciatore_planimetria::completa() {
  while (metro_ <= m_.lunghezza_estesa - 2) passo(0.0, false);
}

}  // namespace lorvenna
