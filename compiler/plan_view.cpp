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
  if (p.x.size() < 2) throw errore_lettura("the plan view has fewer than two metres");
  p.x[0] = valore_etichettato::da_intero(0);
  p.y[0] = valore_etichettato::da_intero(0);
  p.x[1] = valore_etichettato::da_intero(0);
  p.y[1] = valore_etichettato::da_intero(1);
  metro_ = 2;
}

// The step vector is turned without renormalising, in exactly this order of
// operations, so that the file matches to the last bit.
void tracciatore_planimetria::passo(double k, bool curva) {
  planimetria_t& p = m_.planimetria;
  if (metro_ < 2 || static_cast<size_t>(metro_) >= p.x.size()) {
    throw errore_lettura("plan-view metre " + std::to_string(metro_) + " lies outside the route");
  }
  const size_t i = static_cast<size_t>(metro_);
  const double x1 = p.x[i - 1].come_doppio();
  const double y1 = p.y[i - 1].come_doppio();
  const double dx = x1 - p.x[i - 2].come_doppio();
  const double dy = y1 - p.y[i - 2].come_doppio();
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
  p.x[i] = valore_etichettato::da_doppio(x);
  p.y[i] = valore_etichettato::da_doppio(y);
  ++metro_;
}

codice tracciatore_planimetria::curva(int32_t s, int32_t n, const std::string& campo) {
  const double k = curvatura(campo);
  if (k == 0.0) return codice::curva;
  // A curve that would run past the last row is refused before any row is
  // computed, unless the metre limit would stop it first.
  const int64_t ultima_riga = static_cast<int64_t>(m_.planimetria.x.size()) - 1;
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
