// The plan view's data: an x and a y for every metre 0 to lunghezza_estesa,
// kept as the line file holds them (every x, then every y, each a tagged
// value), so that writing the file copies nothing and the model holds no
// second copy. The metres are set in order: 0 and 1 as Integers, then one
// double a metre from metre 2 on; the metres not reached stay empty.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/large_buffer.h"

namespace lorvenna {

class righe_planimetria {
 public:
  // The tags written to the line file.
  enum class etichetta : uint16_t { vuoto = 0, intero = 2, doppio = 5 };

  // Metres 0 to ultimo_metro, all empty; what stood before is dropped.
  void crea(int32_t ultimo_metro);
  bool creata() const { return metri_ > 0; }
  size_t metri() const { return metri_; }
  // How many metres, from 0, are set.
  size_t calcolati() const { return interi_ + doppi_; }

  // Sets metres 0 and 1 to the Integer points (0, 0) and (0, 1).
  void inizia();
  // Sets the next metre, from metre 2 on, to (x, y).
  void aggiungi(double x, double y) {
    const righe_nuove r = aggiungi_righe(1);
    metti_doppio(r.x, x);
    metti_doppio(r.y, y);
  }

  // The next `n` metres, from metre 2 on, for the caller to fill at once
  // with metti_doppio, kDoppio bytes apart in each half.
  struct righe_nuove {
    char* x;
    char* y;
  };
  righe_nuove aggiungi_righe(size_t n) {
    if (interi_ != 2 || n > metri_ - calcolati()) rifiuta();
    const righe_nuove r{x_.get() + usati_, y_.get() + usati_};
    usati_ += kDoppio * n;
    doppi_ += n;
    return r;
  }

  // The line file's rows, written down once for the writer and the reader:
  // a 16-bit tag, then the value an Integer or a double holds; an empty
  // metre is its tag alone.
  static constexpr size_t kEtichetta = 2;
  static constexpr size_t kIntero = kEtichetta + 2;  // tag and 16-bit value
  static constexpr size_t kDoppio = kEtichetta + 8;  // tag and 64-bit double
  static constexpr size_t kVuoto = kEtichetta;

  // Tag 5 and the double, little-endian; on a little-endian host a plain copy.
  static void metti_doppio(char* p, double v) {
    if constexpr (std::endian::native == std::endian::little) {
      constexpr uint16_t kTag = static_cast<uint16_t>(etichetta::doppio);
      std::memcpy(p, &kTag, sizeof kTag);
      std::memcpy(p + 2, &v, sizeof v);
    } else {
      metti_doppio_lento(p, v);
    }
  }

  etichetta tipo(size_t metro) const;
  // The metre's value as a double; 0 for an empty metre.
  double x(size_t metro) const { return valore(x_.get(), metro); }
  double y(size_t metro) const { return valore(y_.get(), metro); }

  // Each half of the line file up to the last metre set; every empty metre
  // after it takes kVuoto zero bytes.
  std::string_view meta_x() const { return {x_.get(), usati_}; }
  std::string_view meta_y() const { return {y_.get(), usati_}; }
  size_t vuoti() const { return metri_ - calcolati(); }

 private:
  static void metti_doppio_lento(char* p, double v);
  [[noreturn]] void rifiuta() const;
  double valore(const char* meta, size_t metro) const;

  size_t metri_ = 0;
  size_t interi_ = 0;
  size_t doppi_ = 0;
  // Each half has room for every metre as a double, allocated once and
  // written in place: no capacity check or fill per value, and the pages
  // of metres never reached are never touched.
  LargeBuffer x_;
  LargeBuffer y_;
  size_t usati_ = 0;  // bytes of each half written
};

}  // namespace lorvenna
