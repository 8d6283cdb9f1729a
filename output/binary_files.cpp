#include "output/binary_files.h"

#include <cstring>
#include <limits>
#include <stdexcept>
#include <vector>

#include "output/byte_buffer.h"
#include "output/layouts.h"
#include "platform/replace_files.h"

namespace lorvenna {
namespace {

void voce(byte_buffer& b, const voce_generale& v, int indice) {
  if (v.nome.size() > std::numeric_limits<uint16_t>::max()) {
    throw std::length_error("general record " + std::to_string(indice) +
                            ": its name is longer than 65535 bytes");
  }
  campi_voce(b, v);
}

// A cell's 15 bytes, put together and copied to their place in the file.
void cella_record(char* posto, const cella& c) {
  byte_buffer::record<kByteCella> r;
  campi_cella(r, c);
  std::memcpy(posto, r.dati().data(), kByteCella);
}

}  // namespace

parti_planimetria::parti_planimetria(const righe_planimetria& p)
    : vuoti_(righe_planimetria::kVuoto * p.vuoti(), '\0') {}

std::vector<std::string_view> parti_planimetria::parti(const righe_planimetria& p) const {
  return {p.meta_x(), vuoti_, p.meta_y(), vuoti_};
}

std::string codifica_planimetria(const righe_planimetria& p) {
  // The pieces point into `parti`: it must outlive the loop.
  const parti_planimetria parti(p);
  std::string file;
  for (std::string_view parte : parti.parti(p)) file += parte;
  return file;
}

std::string codifica_dati_generali(const modello& m) {
  byte_buffer b;
  for (int i = 0; i < kNumeroVoci; ++i) voce(b, m.dati_generali[i], i);
  return std::move(b).dati();
}

std::string codifica_celle(const modello& m) {
  // Sized once: the file is the cells and nothing else.
  std::string file(kByteCella * m.celle.size(), '\0');
  char* posto = file.data();
  for (const auto& c : m.celle) {
    cella_record(posto, c);
    posto += kByteCella;
  }
  return file;
}

void scrivi_file_binari(FileSystem& fs, const file_binari& file, const modello& m, bool con_linea,
                        Durability d) {
  // The line file goes out straight from the model's plan view.
  const parti_planimetria linea(m.planimetria);
  const std::string scenario = codifica_dati_generali(m);
  const std::string treno = codifica_celle(m);
  std::vector<OutputFile> uscite;
  if (con_linea) uscite.push_back({file.linea, linea.parti(m.planimetria)});
  uscite.push_back({file.scenario, {scenario}});
  uscite.push_back({file.treno, {treno}});
  replace_files(fs, uscite, d);
}

}  // namespace lorvenna
