// The plan view's data: an x and a y for every metre 0 to lunghezza_estesa,
// as the line file holds them (every x, then every y, each a tagged value).
// The model keeps how the view was drawn, not its points: each stretch of
// metres with its curvature, a few dozen bytes where the points take 20 a
// metre. The writer draws the points again, a piece at a time, as it writes
// them. The metres are set in order: 0 and 1 as Integers, then one double a
// metre from metre 2 on; the metres not reached stay empty.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

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
  size_t vuoti() const { return metri_ - calcolati(); }

  // Sets metres 0 and 1 to the Integer points (0, 0) and (0, 1).
  void inizia();
  // Sets the next `n` metres, from metre 2 on, each one step on from the
  // two before it: straight on, or turned by the curvature `k`.
  void prosegui(size_t n, bool curva, double k);
  // Sets the next metre, from metre 2 on, to (x, y).
  void aggiungi(double x, double y);

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

  // The rows of the Integer metres (none before inizia), kIntero bytes each,
  // into the start of each half.
  size_t byte_interi() const { return kIntero * interi_; }
  void metti_interi(char* x, char* y) const;
  // Each half's rows of the metres set: the Integers, then the doubles.
  size_t byte_calcolati() const { return byte_interi() + kDoppio * doppi_; }

  // Draws the metres from 2 on, in order, each a kDoppio-byte row of its
  // half: every step in exactly the order of operations that set it, so
  // that the file matches to the last bit, whatever the size of the pieces.
  class matita {
   public:
    explicit matita(const righe_planimetria& p) : p_(p) {}
    // Draws the next metres, at most `n`, into `x` and `y`; returns how
    // many (0 once every metre set is drawn).
    size_t disegna(char* x, char* y, size_t n);

   private:
    template <int Tipo>
    void passi(char* x, char* y, size_t n, double k);
    const righe_planimetria& p_;
    size_t tratto_ = 0;
    size_t fatti_ = 0;  // metres of the current stretch drawn
    double x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 1;
  };

  etichetta tipo(size_t metro) const;
  // The metre's value as a double; 0 for an empty metre. The first call
  // after a change draws the whole view: for tests and tools, not the writer.
  double x(size_t metro) const { return valore(metro, 0); }
  double y(size_t metro) const { return valore(metro, 1); }

 private:
  enum tipo_tratto { dritto, curvo, dati };
  struct tratto {
    size_t metri;
    tipo_tratto tipo;
    double k;            // curvo
    size_t primo_punto;  // dati: the first of its points in punti_
  };
  struct punti {
    std::vector<double> x;
    std::vector<double> y;
  };

  static void metti_doppio_lento(char* p, double v);
  [[noreturn]] void rifiuta() const;
  void accoda(size_t n, tipo_tratto t, double k);
  const punti& punti_disegnati() const;
  // `asse` 0 for x, 1 for y.
  double valore(size_t metro, int asse) const;

  size_t metri_ = 0;
  size_t interi_ = 0;
  size_t doppi_ = 0;
  std::vector<tratto> tratti_;
  std::vector<double> punti_x_;  // the points set one by one, in order
  std::vector<double> punti_y_;
  mutable punti disegno_;  // the whole view, once asked for
};

}  // namespace lorvenna
