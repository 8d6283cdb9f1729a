#include "compiler/record_fields.h"

#include <cmath>

#include "compiler/cell.h"

namespace lorvenna {
namespace {

std::string n(int64_t v) { return std::to_string(v); }

// A gradient is kept in one byte as its per mille less this; the byte's
// top is then the steepest climb.
constexpr int64_t kPendenzaMinima = -100;
constexpr int64_t kPendenzaMassima = kMassimoByte + kPendenzaMinima;

// `cosa` names the value as a sentence starts it ("stripe count"), `un` the
// article it takes in the help.
valore_sospetto fuori(const char* un, const char* cosa, int64_t v, int64_t da, int64_t a,
                      const std::string& poi) {
  return {kAvvisoFuoriIntervallo,
          std::string(cosa) + " " + n(v) + " lies outside " + n(da) + " to " + n(a) + poi,
          std::string(un) + " " + cosa + " is " + n(da) + " to " + n(a)};
}

std::optional<valore_sospetto> negativo(const campo_record& campo, int64_t v) {
  if (v >= 0) return std::nullopt;
  const std::string unita = campo.tipo == tipo_valore::lunghezza ? " m" : "";
  return valore_sospetto{kAvvisoFuoriIntervallo,
                         std::string(campo.nome) + " " + n(v) + unita + " is negative",
                         "the " + std::string(campo.nome) + " is 0" + unita + " or more"};
}

// A value kept in one byte: outside it, the byte keeps its low bits.
std::optional<valore_sospetto> in_un_byte(const char* cosa, const char* un, int64_t v) {
  if (v >= 0 && v <= kMassimoByte) return std::nullopt;
  return valore_sospetto{
      kAvvisoValoreRiavvolto,
      std::string(cosa) + " " + n(v) + " is stored as " + n(static_cast<uint8_t>(v)),
      std::string(un) + " is 0 to " + n(kMassimoByte)};
}

std::optional<valore_sospetto> arrotondata(int64_t v) {
  if (sulla_griglia(v)) return std::nullopt;
  const int64_t cella = griglia_piu_vicina(v);
  return valore_sospetto{kAvvisoValoreArrotondato,
                         "position " + n(v) + " m is taken as " + n(cella) +
                             " m, the start of its " + metri_cella() + " cell",
                         "the records that mark a cell stand on the " + metri_cella() + " grid"};
}

std::optional<valore_sospetto> oltre_percorso(int64_t v, int32_t lunghezza_percorso) {
  if (v <= lunghezza_percorso) return std::nullopt;
  return valore_sospetto{kAvvisoOltrePercorso,
                         "position " + n(v) + " m lies past the route's end at " +
                             n(lunghezza_percorso) +
                             " m; the compile takes it on the track that runs on beyond",
                         "positions on this route run from 0 to " + n(lunghezza_percorso) +
                             " m (the \"lunghezza percorso\" record)"};
}

std::optional<valore_sospetto> pendenza(int64_t v) {
  if (v >= kPendenzaMinima && v <= kPendenzaMassima) return std::nullopt;
  const int64_t letta =
      static_cast<int64_t>(static_cast<uint8_t>(v - kPendenzaMinima)) + kPendenzaMinima;
  return valore_sospetto{
      kAvvisoValoreRiavvolto, "gradient " + n(v) + " per mille is stored as " + n(letta),
      "a gradient is " + n(kPendenzaMinima) + " to " + n(kPendenzaMassima) + " per mille"};
}

std::optional<valore_sospetto> velocita(int64_t v) {
  // Outside what a cell holds the compile stops; that is an error of its own.
  if (v < 0 || v > kVelocitaMassima || v % kPassoVelocita == 0) return std::nullopt;
  const int64_t tenuta = std::lround(static_cast<double>(v) / kPassoVelocita) * kPassoVelocita;
  return valore_sospetto{
      kAvvisoValoreArrotondato, "speed " + n(v) + " km/h is stored as " + n(tenuta) + " km/h",
      "a speed limit is 0 to " + n(kVelocitaMassima) + " km/h, in steps of " + n(kPassoVelocita)};
}

std::optional<valore_sospetto> velocita_cartello(int64_t v) {
  if (v >= 0 && v % kPassoVelocita == 0) return std::nullopt;
  return valore_sospetto{
      kAvvisoFuoriIntervallo, "speed " + n(v) + " km/h is not one a speed board shows",
      "a speed board's speeds are multiples of " + n(kPassoVelocita) + " km/h, 0 for none"};
}

// The fields that hold a count or a time within a range, and what a value
// outside it does.
struct intervallo {
  tipo_valore tipo;
  const char* un;
  const char* cosa;
  int64_t da;
  int64_t a;
  const char* poi;
};

constexpr intervallo kIntervalli[] = {
    {tipo_valore::strisce, "a", "stripe count", 0, 2, ""},
    {tipo_valore::tipo_montagna, "a", "montagna type", 1, 20, ""},
    {tipo_valore::ore, "an", "hour", 0, 23, ""},
    {tipo_valore::minuti, "a", "minute", 0, 59, ": the time moves on by as many minutes"},
    {tipo_valore::secondi, "a", "second", 0, 59, ": the time moves on by as many seconds"},
};

std::optional<valore_sospetto> nell_intervallo(tipo_valore tipo, int64_t v) {
  for (const intervallo& i : kIntervalli) {
    if (i.tipo != tipo) continue;
    if (v >= i.da && v <= i.a) return std::nullopt;
    return fuori(i.un, i.cosa, v, i.da, i.a, i.poi);
  }
  return std::nullopt;
}

}  // namespace

std::string valori_vicini(int64_t v, int32_t passo) {
  const int64_t sotto = v - ((v % passo) + passo) % passo;
  return "use " + n(sotto) + " or " + n(sotto + passo);
}

std::optional<valore_sospetto> valuta_valore(const campo_record& campo, int64_t v,
                                             int32_t lunghezza_percorso) {
  switch (campo.tipo) {
    case tipo_valore::numero:
    case tipo_valore::testo:
      return std::nullopt;
    case tipo_valore::non_negativo:
    case tipo_valore::lunghezza:
      return negativo(campo, v);
    case tipo_valore::tempo_segnale:
      return in_un_byte("waiting time", "a signal's waiting time", v);
    case tipo_valore::aderenza:
      return in_un_byte("adhesion", "an adhesion value", v);
    case tipo_valore::posizione:
      if (auto fuori_griglia = arrotondata(v)) return fuori_griglia;
      [[fallthrough]];
    case tipo_valore::metri:
      return oltre_percorso(v, lunghezza_percorso);
    case tipo_valore::pendenza:
      return pendenza(v);
    case tipo_valore::velocita:
      return velocita(v);
    case tipo_valore::velocita_cartello:
      return velocita_cartello(v);
    case tipo_valore::strisce:
    case tipo_valore::tipo_montagna:
    case tipo_valore::ore:
    case tipo_valore::minuti:
    case tipo_valore::secondi:
      return nell_intervallo(campo.tipo, v);
  }
  return std::nullopt;
}

}  // namespace lorvenna
