// The binary files' records, field by field, written down once: the encoder
// and the decoder both walk these lists, so that what is written and what
// is read back can never disagree. A visitor `v` has u8, i16, i32 and testo
// (a text with its 16-bit length) for fields of the record `r`; with a const
// record it writes, with a mutable one it reads. Each field comes with its
// name, for the tools that show records field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "compiler/cell.h"
#include "compiler/line_parser.h"
#include "compiler/model.h"
#include "compiler/plan_view_rows.h"
#include "platform/file_system.h"

namespace lorvenna {

// The train file: one 15-byte record per track cell, from cell 0.
inline constexpr size_t kByteCella = 15;

template <typename Visitatore, typename Cella>
void campi_cella(Visitatore& v, Cella& c) {
  v.u8("tipo_cella", c.tipo_cella);
  v.i16("dato_1", c.dato_1);
  v.i16("dato_2", c.dato_2);
  v.i16("dato_3", c.dato_3);
  v.i16("dato_4", c.dato_4);
  v.u8("tempo_segnale", c.tempo_segnale);
  v.u8("avvicinamento", c.avvicinamento);
  v.u8("tipo_montagna", c.tipo_montagna);
  v.u8("velocita_linea", c.velocita_linea);
  v.u8("pendenza", c.pendenza);
  v.u8("aderenza", c.aderenza);
}

// The scenario file: the kNumeroVoci entries of the general table in order,
// each 34 bytes and its name.
template <typename Visitatore, typename Voce>
void campi_voce(Visitatore& v, Voce& e) {
  v.u8("tipo", e.tipo);
  v.i32("inizio", e.inizio);
  v.i32("fine", e.fine);
  v.i32("posizione", e.posizione);
  v.u8("opzione", e.opzione);
  v.testo("nome", e.nome);
  v.i16("valore_1", e.valore_1);
  v.i16("valore_2", e.valore_2);
  v.i16("valore_3", e.valore_3);
  v.i16("valore_4", e.valore_4);
  v.i16("valore_5", e.valore_5);
  v.u8("codice_1", e.codice_1);
  v.u8("codice_2", e.codice_2);
  v.u8("codice_3", e.codice_3);
  v.u8("codice_4", e.codice_4);
  v.i32("orario", e.orario);
}

// The largest each file can be, from the layouts above and the longest route
// the compiler accepts, so that a reader can refuse a larger file from its
// size alone.
namespace dimensioni {

// Counts a record's bytes at their largest: a text at its 16-bit length's
// largest.
struct massimo_record {
  size_t byte = 0;
  void u8(const char*, const auto&) { byte += 1; }
  void i16(const char*, const auto&) { byte += 2; }
  void i32(const char*, const auto&) { byte += 4; }
  void testo(const char*, const auto&) { byte += 2 + std::numeric_limits<uint16_t>::max(); }
};

// Counted on a record at run time: a std::string is not yet usable in a
// constant expression with every compiler that builds this (clang 14).
inline size_t massimo_voce() {
  massimo_record r;
  voce_generale v{};
  campi_voce(r, v);
  return r.byte;
}

// The metres of the longest route's plan view, and its cells, which the
// line parser makes one every 50 m (rounded, here up) from metre 0.
inline constexpr uint64_t kMetriMassimi = uint64_t{kLunghezzaMassima} + kMargineTracciato + 1;
inline constexpr uint64_t kCelleMassime =
    (kLunghezzaMassima + kMargineTracciato + kLunghezzaCella - 1) / kLunghezzaCella + 1;

}  // namespace dimensioni

inline const ReadLimit kLimiteScenario{uint64_t{kNumeroVoci} * dimensioni::massimo_voce(),
                                       "a scenario file"};
inline constexpr ReadLimit kLimiteTreno{dimensioni::kCelleMassime * kByteCella, "a train file"};
// Each half: metres 0 and 1 as Integers, then every other metre a double;
// the plan view may leave its last metres empty, which only makes it smaller.
inline constexpr ReadLimit kLimiteLinea{
    2 * (2 * righe_planimetria::kIntero +
         (dimensioni::kMetriMassimi - 2) * righe_planimetria::kDoppio),
    "a line file"};

}  // namespace lorvenna
