#include "output/binary_files.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
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

// Rows drawn before they go to the file: 160 KiB of each half, drawn and
// copied out while still in the cache.
constexpr size_t kRighePezzo = 16384;

void scrivi_zeri(NewFile& f, uint64_t da, size_t n) {
  static constexpr std::array<char, 4096> kZeri{};
  while (n > 0) {
    const size_t m = std::min(n, kZeri.size());
    f.write_at(da, std::string_view(kZeri.data(), m));
    da += m;
    n -= m;
  }
}

// A file gathered in a string, for codifica_planimetria.
class StringFile : public NewFile {
 public:
  explicit StringFile(std::string& testo) : testo_(testo) {}
  const std::string& path() const override { return percorso_; }
  using NewFile::write;
  void write(std::string_view bytes) override { testo_ += bytes; }
  void write_at(uint64_t offset, std::string_view bytes) override {
    const auto fine = static_cast<size_t>(offset) + bytes.size();
    if (testo_.size() < fine) testo_.resize(fine, '\0');
    testo_.replace(static_cast<size_t>(offset), bytes.size(), bytes);
  }
  void sync() override {}

 private:
  std::string& testo_;
  std::string percorso_;
};

}  // namespace

linea_a_pezzi::linea_a_pezzi(const righe_planimetria& p)
    : p_(p),
      pezzo_x_(kRighePezzo * righe_planimetria::kDoppio),
      pezzo_y_(kRighePezzo * righe_planimetria::kDoppio) {}

void linea_a_pezzi::scrivi(NewFile& f) {
  const size_t vuoti = righe_planimetria::kVuoto * p_.vuoti();
  const uint64_t meta = p_.byte_calcolati() + vuoti;
  p_.metti_interi(pezzo_x_.data(), pezzo_y_.data());
  size_t nel_pezzo = p_.byte_interi();
  uint64_t scritti = 0;
  righe_planimetria::matita matita(p_);
  for (;;) {
    const size_t righe = (pezzo_x_.size() - nel_pezzo) / righe_planimetria::kDoppio;
    const size_t n =
        matita.disegna(pezzo_x_.data() + nel_pezzo, pezzo_y_.data() + nel_pezzo, righe);
    nel_pezzo += righe_planimetria::kDoppio * n;
    if (nel_pezzo > 0) {
      f.write_at(scritti, std::string_view(pezzo_x_.data(), nel_pezzo));
      f.write_at(meta + scritti, std::string_view(pezzo_y_.data(), nel_pezzo));
    }
    scritti += nel_pezzo;
    if (n == 0) break;
    nel_pezzo = 0;
  }
  scrivi_zeri(f, scritti, vuoti);
  scrivi_zeri(f, meta + scritti, vuoti);
}

std::string codifica_planimetria(const righe_planimetria& p) {
  linea_a_pezzi linea(p);
  std::string file;
  StringFile testo(file);
  linea.scrivi(testo);
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
  // The line file is drawn as it goes out; without it nothing is held for it.
  std::optional<linea_a_pezzi> linea;
  if (con_linea) linea.emplace(m.planimetria);
  const std::string scenario = codifica_dati_generali(m);
  const std::string treno = codifica_celle(m);
  std::vector<OutputFile> uscite;
  if (linea) uscite.push_back({file.linea, {}, [&linea](NewFile& f) { linea->scrivi(f); }});
  uscite.push_back({file.scenario, {scenario}});
  uscite.push_back({file.treno, {treno}});
  replace_files(fs, uscite, d);
}

}  // namespace lorvenna
