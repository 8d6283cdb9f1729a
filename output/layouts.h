// The binary files' records, field by field, written down once: the encoder
// and the decoder both walk these lists, so that what is written and what
// is read back can never disagree. A visitor `v` has u8, i16, i32 and testo
// (a text with its 16-bit length) for fields of the record `r`; with a const
// record it writes, with a mutable one it reads. Each field comes with its
// name, for the tools that show records field by field.
#pragma once

#include <cstddef>

#include "compiler/model.h"

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

}  // namespace lorvenna
