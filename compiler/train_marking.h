// Signals and slowdowns of the train description, marked on the track cells.
// Both markers refuse an occupied cell by setting codice_errore (16 to 20) and
// returning; the caller records the position and stops its parse.
#pragma once

#include <cstdint>
#include <vector>

#include "compiler/model.h"

namespace lorvenna {

// A slowdown's warning stands this many metres before its start, and only
// for slowdowns starting past kMinimoPerAvviso.
inline constexpr double kAnticipoAvviso = 1200;
inline constexpr int32_t kMinimoPerAvviso = 1500;

// A "segnale" record's eleven values, in record order.
struct segnale_letto {
  int32_t posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo;
};

// A "rallentamento" record: start `x`, speed `v`, `lunghezza` metres long.
struct rallentamento_letto {
  int32_t x, v, lunghezza, f_tt, f_ta, d_v;
};

// Marks the signal cell at its position and the approach codes 2, 4, 6 and 8
// cells before it.
void memo_segnale(modello& m, const segnale_letto& s);

// Marks a slowdown's start and end cells, past 1500 m a warning cell 1200 m
// before the start, and with `f_ta` set the four cells before the warning.
void memo_rallentamento(modello& m, const rallentamento_letto& r);

// Whether every cell that the marker would test or write lies inside
// `celle`. The markers assume it; the parser refuses a record that fails it.
bool segnale_nel_tracciato(const modello& m, int32_t posizione);

// A cell a slowdown marks, and what it is there, for the author's notes.
struct cella_segnata {
  int32_t cella;
  const char* cosa;
};
std::vector<cella_segnata> celle_segnate(const rallentamento_letto& r);

// The cell a slowdown found taken, when `memo_rallentamento` left code 17
// to 20 on `m`; -1 otherwise.
int32_t cella_trovata_presa(const modello& m, const rallentamento_letto& r);
bool rallentamento_nel_tracciato(const modello& m, const rallentamento_letto& r);

}  // namespace lorvenna
