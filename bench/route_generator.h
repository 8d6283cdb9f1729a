// Line and train description texts for a route of any length, made up by
// the benchmark itself so that every run measures the same work: a curve
// every kilometre, a gradient every 500 m, a signal every 1500 m, and as
// many stations and text boards as the general table holds.
#pragma once

#include <cstdint>
#include <string>

namespace lorvenna::bench {

struct descrizioni {
  std::string linea;
  std::string treno;
};

descrizioni genera_percorso(int32_t lunghezza_metri);

}  // namespace lorvenna::bench
