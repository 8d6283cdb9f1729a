#include "compiler/plan_view.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "compiler/failure.h"
#include "compiler/keywords.h"

namespace lorvenna {

double curvatura(const std::string& campo) {
  static constexpr std::array<std::pair<std::string_view, double>, 6> kClassi = {{
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
  righe_planimetria& p = m_.planimetria;
  if (p.metri() < 2) throw errore_lettura("the plan view has fewer than two metres");
  p.inizia();
  metro_ = 2;
}

// Sets metres metro_ to fino_a as one stretch; the points are drawn when the
// line file is written.
template <bool Curva>
void tracciatore_planimetria::corsa(int64_t fino_a, double k) {
  if (fino_a < metro_) return;
  righe_planimetria& p = m_.planimetria;
  if (metro_ < 2 || static_cast<size_t>(fino_a) >= p.metri()) {
    throw errore_lettura("plan-view metre " + std::to_string(fino_a) + " lies outside the route");
  }
  p.prosegui(static_cast<size_t>(fino_a - metro_ + 1), Curva, k);
  metro_ = static_cast<int32_t>(fino_a + 1);
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
  // The view stops at the metre limit, the metres up to it computed.
  corsa<false>(std::min<int64_t>(s, kMetriMassimiCurve), k);
  if (metro_ > kMetriMassimiCurve) return codice::curva;
  corsa<true>(std::min<int64_t>(int64_t{s} + n, kMetriMassimiCurve), k);
  if (metro_ > kMetriMassimiCurve) return codice::curva;
  return codice::nessuno;
}

void tracciatore_planimetria::completa() { corsa<false>(int64_t{m_.lunghezza_estesa} - 2, 0.0); }

}  // namespace lorvenna
