#include "output/binary_decoders.h"

#include <cstdint>
#include <cstring>

#include "output/layouts.h"

namespace lorvenna {
namespace {

// Reads little-endian fields in the order the layouts give them.
class lettore_binario {
 public:
  explicit lettore_binario(std::string_view dati) : dati_(dati) {}

  void u8(uint8_t& v) { v = static_cast<uint8_t>(byte(1)[0]); }
  void u16(uint16_t& v) {
    const char* p = byte(2);
    v = static_cast<uint16_t>(static_cast<unsigned char>(p[0]) |
                              (static_cast<unsigned char>(p[1]) << 8));
  }
  void i16(int16_t& v) {
    uint16_t u;
    u16(u);
    v = static_cast<int16_t>(u);
  }
  void i32(int32_t& v) {
    const char* p = byte(4);
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t{static_cast<unsigned char>(p[i])} << (8 * i);
    v = static_cast<int32_t>(u);
  }
  void testo(std::string& s) {
    uint16_t n;
    u16(n);
    s.assign(byte(n), n);
  }
  void salta(size_t n) { byte(n); }
  // The record layouts name each field; reading needs only the place.
  void u8(const char*, uint8_t& v) { u8(v); }
  void i16(const char*, int16_t& v) { i16(v); }
  void i32(const char*, int32_t& v) { i32(v); }
  void testo(const char*, std::string& s) { testo(s); }

  size_t posizione() const { return pos_; }
  bool alla_fine() const { return pos_ == dati_.size(); }

 private:
  const char* byte(size_t n) {
    if (dati_.size() - pos_ < n) {
      throw DamagedFileError("ends at byte " + std::to_string(dati_.size()) + ", inside a record");
    }
    const char* p = dati_.data() + pos_;
    pos_ += n;
    return p;
  }

  std::string_view dati_;
  size_t pos_ = 0;
};

// One half of the line file: Integers, then doubles, then empty metres.
static_assert(righe_planimetria::kEtichetta == sizeof(uint16_t), "tags are read as 16 bits");

riassunto_planimetria mezza_planimetria(std::string_view meta) {
  lettore_binario r(meta);
  riassunto_planimetria s;
  while (!r.alla_fine()) {
    uint16_t tag;
    r.u16(tag);
    const auto e = static_cast<righe_planimetria::etichetta>(tag);
    if (e == righe_planimetria::etichetta::intero && s.doppi == 0 && s.vuoti == 0) {
      r.salta(righe_planimetria::kIntero - righe_planimetria::kEtichetta);
      ++s.interi;
    } else if (e == righe_planimetria::etichetta::doppio && s.vuoti == 0) {
      r.salta(righe_planimetria::kDoppio - righe_planimetria::kEtichetta);
      ++s.doppi;
    } else if (e == righe_planimetria::etichetta::vuoto) {
      ++s.vuoti;
    } else {
      throw DamagedFileError("metre " + std::to_string(s.metri) + " has the tag " +
                             std::to_string(tag) + " out of the order Integer, double, empty");
    }
    ++s.metri;
  }
  return s;
}

}  // namespace

std::vector<cella> decodifica_celle(std::string_view dati) {
  if (dati.size() % kByteCella != 0) {
    throw DamagedFileError(std::to_string(dati.size()) + " bytes are not a whole number of " +
                           std::to_string(kByteCella) + "-byte cells");
  }
  lettore_binario r(dati);
  std::vector<cella> celle(dati.size() / kByteCella);
  for (cella& c : celle) campi_cella(r, c);
  return celle;
}

std::array<voce_generale, kNumeroVoci> decodifica_dati_generali(std::string_view dati) {
  lettore_binario r(dati);
  std::array<voce_generale, kNumeroVoci> voci{};
  for (voce_generale& v : voci) campi_voce(r, v);
  if (!r.alla_fine()) {
    throw DamagedFileError(std::to_string(dati.size() - r.posizione()) + " bytes follow the " +
                           std::to_string(kNumeroVoci) + " entries");
  }
  return voci;
}

std::vector<double> valori_meta(std::string_view meta) {
  lettore_binario r(meta);
  std::vector<double> valori;
  while (!r.alla_fine()) {
    uint16_t tag;
    r.u16(tag);
    const auto e = static_cast<righe_planimetria::etichetta>(tag);
    if (e == righe_planimetria::etichetta::intero) {
      int16_t v;
      r.i16(v);
      valori.push_back(v);
    } else if (e == righe_planimetria::etichetta::doppio) {
      int32_t basso, alto;
      r.i32(basso);
      r.i32(alto);
      const uint64_t u =
          static_cast<uint32_t>(basso) | (uint64_t{static_cast<uint32_t>(alto)} << 32);
      double v;
      std::memcpy(&v, &u, sizeof v);
      valori.push_back(v);
    } else {
      break;  // the empty metres at the end
    }
  }
  return valori;
}

// The x half and the y half are set metre for metre together, so they are
// alike in length and in tags.
riassunto_planimetria decodifica_planimetria(std::string_view dati) {
  if (dati.size() % 2 != 0) {
    throw DamagedFileError(std::to_string(dati.size()) + " bytes cannot be two equal halves");
  }
  const riassunto_planimetria x = mezza_planimetria(dati.substr(0, dati.size() / 2));
  const riassunto_planimetria y = mezza_planimetria(dati.substr(dati.size() / 2));
  if (x.metri != y.metri || x.interi != y.interi || x.doppi != y.doppi) {
    throw DamagedFileError("its x and y halves do not hold the same metres");
  }
  return x;
}

planimetria_letta decodifica_linea(std::string_view dati) {
  const riassunto_planimetria r = decodifica_planimetria(dati);
  return {
      r, {valori_meta(dati.substr(0, dati.size() / 2)), valori_meta(dati.substr(dati.size() / 2))}};
}

punti_planimetria decodifica_punti(std::string_view dati) { return decodifica_linea(dati).punti; }

}  // namespace lorvenna
