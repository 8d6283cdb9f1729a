// The track's cell: 50 m of route, the unit every mark, fill and area is
// placed in. Each conversion between metres and cells is written here once,
// with the operations of the compile in their order: the binary files hold
// the doubles these compute, so two places that round differently keep two
// functions.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "compiler/rounding.h"

namespace lorvenna {

// An int, so that it stands for the literal in integer and in floating-point
// arithmetic alike: p / kLunghezzaCella is p / 50.0 for a double p.
inline constexpr int32_t kLunghezzaCella = 50;

// The size as the messages write it: "50 m".
inline std::string metri_cella() { return std::to_string(kLunghezzaCella) + " m"; }

// Position p counted in cells, unrounded.
inline double in_celle(double p) { return p / kLunghezzaCella; }

// Cell that holds route position p for signals, boards, slowdowns and text
// boards: one past the cell whose start is nearest.
inline int32_t cella_di(double p) { return arrotonda_long(in_celle(p) + 1); }

// Cell whose start is nearest position p, without the added 1 of
// cella_di: where the fills of gradients, speeds and adhesion begin, an
// abbattimento point's cell, and the track's last cell for its length.
inline int32_t cella_che_inizia_in(double p) { return arrotonda_long(in_celle(p)); }

// The position cell i starts at, which is how a cell is reported in metres.
// In the index's own type, as i * 50 is.
template <typename Indice>
constexpr auto inizio_cella(Indice i) {
  return i * kLunghezzaCella;
}

// Whether the records that mark a cell take position p as written.
constexpr bool sulla_griglia(int64_t p) { return p % kLunghezzaCella == 0; }

// The grid position nearest p, halves to the even cell: the start of the
// cell a position off the grid is taken to.
inline int64_t griglia_piu_vicina(int64_t p) {
  return std::llround(std::nearbyint(in_celle(static_cast<double>(p)))) * kLunghezzaCella;
}

// Margins that keep a record's marks inside the track: 100 m for most
// records, 800 m for a station, whose area reaches ahead of its position.
inline constexpr int32_t kMargineRecord = 100;
inline constexpr int32_t kMargineStazione = 800;

// The last position a record with kMargineRecord may take on a track whose
// last cell is `ultima_cella`: entra's floating-point test (cell_access.h)
// admits exactly the positions up to it.
constexpr int32_t ultima_posizione_record(int32_t ultima_cella) {
  return inizio_cella(ultima_cella) - kMargineRecord;
}

// A length cut to whole cells, toward zero.
constexpr int32_t tronca_alla_griglia(int32_t lunghezza) {
  return lunghezza / kLunghezzaCella * kLunghezzaCella;
}

}  // namespace lorvenna
