// The plan view: the route drawn one metre at a time from the origin, heading
// along +y, bent by the curve records.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/model.h"

namespace lorvenna {

inline constexpr int32_t kMetriMassimiCurve = 1000000;

class tracciatore_planimetria {
 public:
  explicit tracciatore_planimetria(modello& m) : m_(m) {}

  // Metres 0 and 1 as Integers; the next metre to compute is 2.
  void inizio();
  // Runs straight up to metre s, then turns through metres s+1..s+n. Returns
  // codice::curva when the keyword names no curve class or when the view
  // passes metre 1000000 (the rows up to there are kept); codice::fuori_tracciato,
  // having computed nothing, when the curve would end past the last row
  // before that limit; else codice::nessuno.
  codice curva(int32_t s, int32_t n, const std::string& campo);
  // Runs straight up to metre lunghezza_estesa - 2; the last two stay empty.
  void completa();

  int32_t metro() const { return metro_; }

 private:
  template <bool Curva>
  void corsa(int64_t fino_a, double k);
  modello& m_;
  int32_t metro_ = 0;
};

// Curvature of a curve keyword ("curvas1".."curvad6"): negative for a
// left-hand curve, 0 when the keyword names no class.
double curvatura(const std::string& campo);

}  // namespace lorvenna
