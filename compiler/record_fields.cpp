#include "compiler/record_fields.h"

#include <cmath>

#include "compiler/cell.h"

namespace lorvenna {
namespace {

std::string n(int64_t v) { return std::to_string(v); }

// `cosa` names the value as a sentence starts it ("stripe count"), `un` the
// article it takes in the help.
valore_sospetto fuori(const char* un, const char* cosa, int64_t v, int64_t da, int64_t a,
                      const std::string& poi) {
  return {kAvvisoFuoriIntervallo,
          std::string(cosa) + " " + n(v) + " lies outside " + n(da) + " to " + n(a) + poi,
          std::string(un) + " " + cosa + " is " + n(da) + " to " + n(a)};
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
    case tipo_valore::lunghezza: {
      if (v >= 0) return std::nullopt;
      const std::string unita = campo.tipo == tipo_valore::lunghezza ? " m" : "";
      return valore_sospetto{kAvvisoFuoriIntervallo,
                             std::string(campo.nome) + " " + n(v) + unita + " is negative",
                             "the " + std::string(campo.nome) + " is 0" + unita + " or more"};
    }
    case tipo_valore::tempo_segnale:
      if (v >= 0 && v <= 255) return std::nullopt;
      return valore_sospetto{kAvvisoValoreRiavvolto,
                             "waiting time " + n(v) + " is stored as " + n(static_cast<uint8_t>(v)),
                             "a signal's waiting time is 0 to 255"};
    case tipo_valore::posizione:
      if (!sulla_griglia(v)) {
        const int64_t cella = griglia_piu_vicina(v);
        return valore_sospetto{
            kAvvisoValoreArrotondato,
            "position " + n(v) + " m is taken as " + n(cella) + " m, the start of its " +
                metri_cella() + " cell",
            "the records that mark a cell stand on the " + metri_cella() + " grid"};
      }
      [[fallthrough]];
    case tipo_valore::metri:
      if (v <= lunghezza_percorso) return std::nullopt;
      return valore_sospetto{kAvvisoOltrePercorso,
                             "position " + n(v) + " m lies past the route's end at " +
                                 n(lunghezza_percorso) +
                                 " m; the compile takes it on the track that runs on beyond",
                             "positions on this route run from 0 to " + n(lunghezza_percorso) +
                                 " m (the \"lunghezza percorso\" record)"};
    case tipo_valore::pendenza: {
      if (v >= -100 && v <= 155) return std::nullopt;
      const int64_t letta = static_cast<int64_t>(static_cast<uint8_t>(v + 100)) - 100;
      return valore_sospetto{kAvvisoValoreRiavvolto,
                             "gradient " + n(v) + " per mille is stored as " + n(letta),
                             "a gradient is -100 to 155 per mille"};
    }
    case tipo_valore::velocita: {
      // Outside what a cell holds the compile stops; that is an error of its own.
      if (v < 0 || v > 1275 || v % 5 == 0) return std::nullopt;
      const int64_t tenuta = std::lround(static_cast<double>(v) / 5) * 5;
      return valore_sospetto{kAvvisoValoreArrotondato,
                             "speed " + n(v) + " km/h is stored as " + n(tenuta) + " km/h",
                             "a speed limit is 0 to 1275 km/h, in steps of 5"};
    }
    case tipo_valore::velocita_cartello:
      if (v >= 0 && v % 5 == 0) return std::nullopt;
      return valore_sospetto{kAvvisoFuoriIntervallo,
                             "speed " + n(v) + " km/h is not one a speed board shows",
                             "a speed board's speeds are multiples of 5 km/h, 0 for none"};
    case tipo_valore::strisce:
      if (v >= 0 && v <= 2) return std::nullopt;
      return fuori("a", "stripe count", v, 0, 2, "");
    case tipo_valore::aderenza:
      if (v >= 0 && v <= 255) return std::nullopt;
      return valore_sospetto{kAvvisoValoreRiavvolto,
                             "adhesion " + n(v) + " is stored as " + n(static_cast<uint8_t>(v)),
                             "an adhesion value is 0 to 255"};
    case tipo_valore::tipo_montagna:
      if (v >= 1 && v <= 20) return std::nullopt;
      return fuori("a", "montagna type", v, 1, 20, "");
    case tipo_valore::ore:
      if (v >= 0 && v <= 23) return std::nullopt;
      return fuori("an", "hour", v, 0, 23, "");
    case tipo_valore::minuti:
      if (v >= 0 && v <= 59) return std::nullopt;
      return fuori("a", "minute", v, 0, 59, ": the time moves on by as many minutes");
    case tipo_valore::secondi:
      if (v >= 0 && v <= 59) return std::nullopt;
      return fuori("a", "second", v, 0, 59, ": the time moves on by as many seconds");
  }
  return std::nullopt;
}

}  // namespace lorvenna
