// The binary files' records, field by field, written down once: the encoder
// and the decoder both walk these lists, so that what is written and what
// is read back can never disagree. A visitor `v` has u8, i16, i32 and testo
// (a text with its 16-bit length) for fields of the record `r`; with a const
// record it writes, with a mutable one it reads.
#pragma once

#include <cstddef>

#include "compiler/model.h"

namespace lorvenna {

// The train file: one 15-byte record per track cell, from cell 0.
inline constexpr size_t kByteCella = 15;

template <typename Visitatore, typename Cella>
void campi_cella(Visitatore& v, Cella& c) {
  v.u8(c.tipo_cella);
  v.i16(c.dato_1);
  v.i16(c.dato_2);
  v.i16(c.dato_3);
  v.i16(c.dato_4);
  v.u8(c.tempo_segnale);
  v.u8(c.avvicinamento);
  v.u8(c.tipo_montagna);
  v.u8(c.velocita_linea);
  v.u8(c.pendenza);
  v.u8(c.aderenza);
}

// The scenario file: the kNumeroVoci entries of the general table in order,
// each 34 bytes and its name.
template <typename Visitatore, typename Voce>
void campi_voce(Visitatore& v, Voce& e) {
  v.u8(e.tipo);
  v.i32(e.inizio);
  v.i32(e.fine);
  v.i32(e.posizione);
  v.u8(e.opzione);
  v.testo(e.nome);
  v.i16(e.valore_1);
  v.i16(e.valore_2);
  v.i16(e.valore_3);
  v.i16(e.valore_4);
  v.i16(e.valore_5);
  v.u8(e.codice_1);
  v.u8(e.codice_2);
  v.u8(e.codice_3);
  v.u8(e.codice_4);
  v.i32(e.orario);
}

}  // namespace lorvenna
