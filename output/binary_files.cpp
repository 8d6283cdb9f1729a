#include "output/binary_files.h"

#include <limits>
#include <stdexcept>
#include <vector>

#include "output/byte_buffer.h"
#include "platform/replace_files.h"

namespace lorvenna {
namespace {

void valore(byte_buffer& b, const valore_etichettato& v) {
  b.u16(static_cast<uint16_t>(v.tipo));
  switch (v.tipo) {
    case valore_etichettato::etichetta::vuoto:
      break;
    case valore_etichettato::etichetta::intero:
      b.i16(v.intero);
      break;
    case valore_etichettato::etichetta::doppio:
      b.f64(v.doppio);
      break;
  }
}

void voce(byte_buffer& b, const voce_generale& v, int indice) {
  if (v.nome.size() > std::numeric_limits<uint16_t>::max()) {
    throw std::length_error("general record " + std::to_string(indice) +
                            ": its name is longer than 65535 bytes");
  }
  b.u8(v.tipo);
  b.i32(v.inizio);
  b.i32(v.fine);
  b.i32(v.posizione);
  b.u8(v.opzione);
  b.u16(static_cast<uint16_t>(v.nome.size()));
  b.bytes(v.nome);
  b.i16(v.valore_1);
  b.i16(v.valore_2);
  b.i16(v.valore_3);
  b.i16(v.valore_4);
  b.i16(v.valore_5);
  b.u8(v.codice_1);
  b.u8(v.codice_2);
  b.u8(v.codice_3);
  b.u8(v.codice_4);
  b.i32(v.orario);
}

void cella_record(byte_buffer& b, const cella& c) {
  b.u8(c.tipo_cella);
  b.i16(c.dato_1);
  b.i16(c.dato_2);
  b.i16(c.dato_3);
  b.i16(c.dato_4);
  b.u8(c.tempo_segnale);
  b.u8(c.avvicinamento);
  b.u8(c.tipo_montagna);
  b.u8(c.velocita_linea);
  b.u8(c.pendenza);
  b.u8(c.aderenza);
}

}  // namespace

std::string codifica_planimetria(const planimetria_t& p) {
  byte_buffer b;
  b.reserve(10 * (p.x.size() + p.y.size()));
  for (const auto& v : p.x) valore(b, v);
  for (const auto& v : p.y) valore(b, v);
  return b.dati();
}

std::string codifica_dati_generali(const modello& m) {
  byte_buffer b;
  for (int i = 0; i < kNumeroVoci; ++i) voce(b, m.dati_generali[i], i);
  return b.dati();
}

std::string codifica_celle(const modello& m) {
  byte_buffer b;
  b.reserve(15 * m.celle.size());
  for (const auto& c : m.celle) cella_record(b, c);
  return b.dati();
}

void scrivi_file_binari(FileSystem& fs, const file_binari& file, const modello& m) {
  const std::string linea = m.salva_linea ? codifica_planimetria(m.planimetria) : "";
  const std::string scenario = codifica_dati_generali(m);
  const std::string treno = codifica_celle(m);
  std::vector<OutputFile> uscite;
  if (m.salva_linea) uscite.push_back({file.linea, linea});
  uscite.push_back({file.scenario, scenario});
  uscite.push_back({file.treno, treno});
  replace_files(fs, uscite);
}

}  // namespace lorvenna
