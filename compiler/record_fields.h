// What each field of a record holds, in the author's words: its name and
// the values the compile stores as written. The rules read the fields; this
// says what a value outside those means, so that the check can warn of a
// value the compile silently wraps, rounds or takes beyond the route.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lorvenna {

enum class tipo_valore : uint8_t {
  numero,             // stored as read
  non_negativo,       // a count or a share, 0 or more
  lunghezza,          // metres, 0 or more
  posizione,          // metres from the route's start, taken to its 50 m cell
  metri,              // metres from the route's start, kept as written
  pendenza,           // per mille, kept + 100 in one byte
  velocita,           // km/h, kept in steps of 5 in one byte
  velocita_cartello,  // km/h on a speed board, a multiple of 5
  strisce,            // a speed board's stripes
  aderenza,           // kept in one byte
  tipo_montagna,      // 1 to 10, or 11 to 20 with markers
  ore,
  minuti,
  secondi,
  tempo_segnale,  // a signal's waiting time, kept in one byte
  testo,          // a name or a board's text, to the end of the line
};

struct campo_record {
  std::string_view nome;
  tipo_valore tipo = tipo_valore::numero;
  // Records of this keyword are written in increasing order of this field.
  bool crescente = false;
  // The value is not below the field before it (an end after its start).
  bool dopo_il_precedente = false;
};

// A warning about one value: its class, what happens to it and what is
// allowed.
struct valore_sospetto {
  const char* classe;
  std::string perche;
  std::string aiuto;
};

// What the compile makes of `v` read into a field of `campo`'s kind, when it
// is not the value written, or not one the field means; `lunghezza_percorso`
// bounds the positions the route has.
std::optional<valore_sospetto> valuta_valore(const campo_record& campo, int64_t v,
                                             int32_t lunghezza_percorso);

// "use 33900 or 33950": the two values on a grid of `passo` nearest to `v`.
std::string valori_vicini(int64_t v, int32_t passo);

// The largest value a field kept in one byte holds.
inline constexpr int64_t kMassimoByte = 255;
// Speeds are kept in a cell's byte in steps of this many km/h, up to
// kVelocitaMassima.
inline constexpr int64_t kPassoVelocita = 5;
inline constexpr int64_t kVelocitaMassima = kMassimoByte * kPassoVelocita;

// The classes of the warnings above.
inline constexpr const char* kAvvisoValoreRiavvolto = "wrapped-value";
inline constexpr const char* kAvvisoValoreArrotondato = "rounded-value";
inline constexpr const char* kAvvisoFuoriIntervallo = "out-of-range";
inline constexpr const char* kAvvisoOltrePercorso = "beyond-route";
inline constexpr const char* kAvvisoFuoriOrdine = "out-of-order";

}  // namespace lorvenna
