// A model with its track laid out as the line half leaves it, for the tests
// of the marking, plan-view and walk steps.
#pragma once

#include <cstdint>

#include "compiler/cell.h"
#include "compiler/model.h"

namespace lorvenna::testing {

// The embedded route: 76000 m plus the 7000 m margin.
inline constexpr int32_t kLunghezzaEstesa = 83000;

// Cells 0 to cella_che_inizia_in(lunghezza_estesa), all empty; with
// `planimetria` also an empty plan view of metres 0 to lunghezza_estesa.
inline modello tracciato(int32_t lunghezza_estesa = kLunghezzaEstesa, bool planimetria = false) {
  modello m;
  m.lunghezza_estesa = lunghezza_estesa;
  m.celle.assign(static_cast<size_t>(cella_che_inizia_in(lunghezza_estesa)) + 1, cella{});
  if (planimetria) {
    m.planimetria.crea(lunghezza_estesa);
  }
  return m;
}

}  // namespace lorvenna::testing
