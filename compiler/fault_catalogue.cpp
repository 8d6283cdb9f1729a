#include "compiler/fault_catalogue.h"

#include <algorithm>
#include <cctype>

#include "compiler/cell.h"
#include "compiler/cell_walk.h"
#include "compiler/line_parser.h"
#include "compiler/model.h"
#include "compiler/plan_view.h"
#include "compiler/record_fields.h"
#include "compiler/train_marking.h"
#include "compiler/train_station.h"

namespace lorvenna {
namespace {

std::string metri(int64_t p) { return std::to_string(p) + " m"; }
std::string n(int64_t v) { return std::to_string(v); }

std::string nulla(const valori_guasto&) { return ""; }

std::string preso(const char* cosa, const valori_guasto& v) {
  return std::string(cosa) + " at " + metri(v.posizione) + " falls on a cell already taken by " +
         chi_occupa(v.occupante);
}

std::string una_marca_per_cella(const valori_guasto&) {
  return "each " + metri_cella() +
         " cell holds one mark: move one of the two records to another "
         "cell";
}

std::string celle_del_rallentamento(const valori_guasto&) {
  return "a slowdown marks its start, its end and, from " + metri(kMinimoPerAvviso) +
         " on, a warning cell " + metri(static_cast<int64_t>(kAnticipoAvviso)) +
         " before its start: move the slowdown or the record on that cell";
}

std::string da_cinquanta_metri(const valori_guasto&) {
  return "a record that marks a cell stands from " + metri(inizio_cella(1)) +
         " on, an `abbattimento` point at 0 m or from " + metri(inizio_cella(2)) + " on";
}

std::string punto() { return n(kValorePunto) + "-point"; }

// In the order of their numbers. The sentences are the program's bytes: a
// limit they name is held to its constant by a test, not built here, so
// that they stay plain text for the report.
const voce_guasto kVoci[] = {
    {codice::nessuno, tipo_guasto::nessuno, "No fault.", nulla, nulla},
    {codice::percorso_troppo_lungo, tipo_guasto::oltre_limite,
     "The route length of the \"lunghezza percorso\" record is greater than 1000000 m.",
     [](const valori_guasto& v) {
       return "route length " + metri(v.valore) + " is longer than " + metri(v.limite);
     },
     [](const valori_guasto&) {
       return "a route is at most " + metri(kLunghezzaMassima) + " long";
     }},
    {codice::progressiva_fuori_passo, tipo_guasto::fuori_griglia,
     "A kilometric progressive section starts or ends at a position that is not a multiple of 50.",
     nullptr,
     [](const valori_guasto&) {
       return "a kilometric progressive section starts and ends on the " + metri_cella() + " grid";
     }},
    {codice::ripetizione_inizio, tipo_guasto::fuori_griglia,
     "The start of the \"ripetizione segnali\" record is not a multiple of 50.",
     [](const valori_guasto& v) {
       return "signal repetition starts at " + metri(v.valore) + ", off the " + metri_cella() +
              " grid";
     },
     [](const valori_guasto& v) { return valori_vicini(v.valore, kLunghezzaCella); }},
    {codice::ripetizione_fine, tipo_guasto::fuori_griglia,
     "The end of the \"ripetizione segnali\" record is not a multiple of 50.",
     [](const valori_guasto& v) {
       return "signal repetition ends at " + metri(v.valore) + ", off the " + metri_cella() +
              " grid";
     },
     [](const valori_guasto& v) { return valori_vicini(v.valore, kLunghezzaCella); }},
    {codice::ripetizione_codici, tipo_guasto::parola,
     "The \"ripetizione segnali\" keyword names neither 4 nor 9 codes.", nullptr,
     [](const valori_guasto&) {
       return std::string(
           "write \"ripetizione segnali 4 codici\" or \"ripetizione segnali 9 codici\"");
     }},
    {codice::cartello_occupato, tipo_guasto::collisione,
     "A text board falls on a cell that is already taken.",
     [](const valori_guasto& v) { return preso("text board", v); }, una_marca_per_cella},
    {codice::abbattimento_occupato, tipo_guasto::collisione,
     "An \"abbattimento\" point falls on a cell that is already taken.",
     [](const valori_guasto& v) { return preso("abbattimento point", v); }, una_marca_per_cella},
    {codice::stazione_fuori_passo, tipo_guasto::fuori_griglia,
     "A station position is not a multiple of 50.",
     [](const valori_guasto& v) {
       return "station at " + metri(v.posizione) + " is off the " + metri_cella() + " grid";
     },
     [](const valori_guasto& v) { return valori_vicini(v.posizione, kLunghezzaCella); }},
    {codice::stazione_lunghezza, tipo_guasto::fuori_griglia,
     "A station length is not a multiple of 100.",
     [](const valori_guasto& v) {
       return "station at " + metri(v.posizione) + " has a length off the " +
              metri(kPassoLunghezzaStazione) + " grid";
     },
     [](const valori_guasto&) {
       return "a station's length is a multiple of " + metri(kPassoLunghezzaStazione);
     }},
    {codice::voci_esaurite, tipo_guasto::senza_spazio,
     "Stations and text boards together need more entries than the general table holds.", nullptr,
     [](const valori_guasto&) {
       return "stations and text boards together are at most " + n(kMassimoStazioniECartelli) +
              ": write fewer of them";
     }},
    {codice::punto_prima_avviso, tipo_guasto::senza_spazio,
     "No room for the 180 point in front of a signal before a slowdown warning board.",
     [](const valori_guasto& v) {
       return "no room for the " + punto() + " before the signal at " + metri(v.posizione) +
              ", within " + n(kFinestraAvviso) + " cells before a slowdown's warning board";
     },
     [](const valori_guasto&) {
       return std::string(
           "the two cells before such a signal need a free one: move the record next to it, or "
           "the signal, by 100 m");
     }},
    {codice::punto_avvicinamento, tipo_guasto::senza_spazio,
     "No room for a 180 point on the approach to a slowdown start.",
     [](const valori_guasto& v) {
       return "no room for a " + punto() + " on the approach to the slowdown starting at " +
              metri(v.posizione);
     },
     [](const valori_guasto&) {
       return std::string(
           "the cells on a slowdown's approach need free ones: move the records standing there, "
           "or the slowdown");
     }},
    {codice::punto_dentro_o_dopo, tipo_guasto::senza_spazio,
     "No room for a 180 point inside a slow slowdown or in front of the signal after it.",
     [](const valori_guasto& v) {
       return "no room for a " + punto() + " at " + metri(v.posizione) +
              ", inside a slowdown or just after it";
     },
     [](const valori_guasto&) {
       return std::string(
           "the cells at a slowdown's end, and the two before a signal just after it, need a "
           "free one: move a record there by 100 m");
     }},
    {codice::fuori_tracciato, tipo_guasto::oltre_tracciato,
     "A record lies beyond the end of the track, before its start, or reaches past the track's "
     "last cell.",
     [](const valori_guasto& v) {
       if (v.posizione < 0)
         return "record at " + metri(v.posizione) + " lies before the route's start";
       return "record at " + metri(v.posizione) +
              " lies beyond the track, whose last record may stand at " + metri(v.limite);
     },
     [](const valori_guasto& v) {
       return "records may stand from 0 m to " + metri(v.limite) + " on this route";
     }},
    {codice::segnale_occupato, tipo_guasto::collisione,
     "A signal falls on a cell that is already taken.",
     [](const valori_guasto& v) { return preso("signal", v); }, una_marca_per_cella},
    {codice::avviso_occupato, tipo_guasto::collisione,
     "The warning cell of a slowdown is already taken.",
     [](const valori_guasto& v) {
       return "slowdown at " + metri(v.posizione) +
              ": the cell of its warning board is already taken";
     },
     celle_del_rallentamento},
    {codice::inizio_occupato, tipo_guasto::collisione,
     "The start cell of a slowdown is already taken.",
     [](const valori_guasto& v) {
       return "slowdown at " + metri(v.posizione) + ": its start cell is already taken";
     },
     celle_del_rallentamento},
    {codice::fine_occupata, tipo_guasto::collisione, "The end cell of a slowdown is already taken.",
     [](const valori_guasto& v) {
       return "slowdown at " + metri(v.posizione) + ": its end cell is already taken";
     },
     celle_del_rallentamento},
    {codice::numerate_occupate, tipo_guasto::collisione,
     "One of the four cells before a slowdown's warning cell is already taken.",
     [](const valori_guasto& v) {
       return "slowdown at " + metri(v.posizione) +
              ": one of the four cells before its warning board is already taken";
     },
     celle_del_rallentamento},
    {codice::indicatori_occupati, tipo_guasto::collisione,
     "A speed board falls on a cell that is already taken.",
     [](const valori_guasto& v) { return preso("speed board", v); }, una_marca_per_cella},
    {codice::stazioni_vicine, tipo_guasto::troppo_vicine,
     "A station area begins less than 350 m after the previous station's area ends.",
     [](const valori_guasto& v) {
       return "station at " + metri(v.posizione) + " starts its area less than " +
              metri(kDistanzaMinimaStazioni) + " after the previous one";
     },
     [](const valori_guasto&) {
       return "a station's area starts at least " + metri(kDistanzaMinimaStazioni) +
              " after the previous station's ends";
     }},
    {codice::fermata_in_testa, tipo_guasto::senza_spazio,
     "A station's stop mark would fall on cell 1 or before it.", nullptr,
     [](const valori_guasto&) {
       return std::string("move the station further from the route's start");
     }},
    {codice::lettura, tipo_guasto::lettura,
     "A description could not be read: a missing file, a field that is not a number, a value too "
     "large for its field, a missing \"lunghezza percorso\" record, or a read past the end of the "
     "file.",
     nulla,
     [](const valori_guasto& v) {
       switch (v.lettura) {
         case tipo_lettura::non_numero:
           return std::string(
               "a number is digits, with a leading - when negative; a blank ends it");
         case tipo_lettura::record_troncato:
           return std::string("write every field of the record on its line, separated by commas");
         case tipo_lettura::altro:
           break;
       }
       return std::string();
     }},
    {codice::linea_assente, tipo_guasto::testo_assente, "The line description text does not exist.",
     nullptr,
     [](const valori_guasto&) {
       return std::string(
           "`scenario-tool init DIR --scenario NAME --train NUMBER` writes a pair of texts to "
           "start from");
     }},
    {codice::generale_assente, tipo_guasto::sezione_assente,
     "The line description text has no \"[generale]\" section.", nullptr,
     [](const valori_guasto&) { return std::string("start the text with a line `[generale]`"); }},
    {codice::curva, tipo_guasto::parola,
     "A curve record names no curve class 1 to 6, or the plan view runs past 1000000 m.", nullptr,
     [](const valori_guasto&) {
       return std::string("a curve's keyword is `curva`, its side, s or d, and its class, 1 to 6");
     }},
    {codice::marca_occupata, tipo_guasto::posto_fisso,
     "A fixed mark's place, cell 1 or general record 85, was already taken.", nulla,
     da_cinquanta_metri},
    {codice::codice_scenario_occupato, tipo_guasto::posto_fisso,
     "A scenario code's place, cell 1 or general record 85, was already taken.", nulla,
     da_cinquanta_metri},
};

}  // namespace

std::span<const voce_guasto> catalogo_guasti() { return kVoci; }

const voce_guasto* voce_di(codice c) {
  const auto v = std::find_if(std::begin(kVoci), std::end(kVoci),
                              [c](const voce_guasto& x) { return x.c == c; });
  return v == std::end(kVoci) ? nullptr : &*v;
}

// No default: a code added to the enum and not here is a compiler warning,
// an error in CI; the catalogue's test then asks for its entry.
bool e_un_codice(codice c) {
  switch (c) {
    case codice::nessuno:
    case codice::percorso_troppo_lungo:
    case codice::progressiva_fuori_passo:
    case codice::ripetizione_inizio:
    case codice::ripetizione_fine:
    case codice::ripetizione_codici:
    case codice::cartello_occupato:
    case codice::abbattimento_occupato:
    case codice::stazione_fuori_passo:
    case codice::stazione_lunghezza:
    case codice::voci_esaurite:
    case codice::punto_prima_avviso:
    case codice::punto_avvicinamento:
    case codice::punto_dentro_o_dopo:
    case codice::fuori_tracciato:
    case codice::segnale_occupato:
    case codice::avviso_occupato:
    case codice::inizio_occupato:
    case codice::fine_occupata:
    case codice::numerate_occupate:
    case codice::indicatori_occupati:
    case codice::stazioni_vicine:
    case codice::fermata_in_testa:
    case codice::lettura:
    case codice::linea_assente:
    case codice::generale_assente:
    case codice::curva:
    case codice::marca_occupata:
    case codice::codice_scenario_occupato:
      return true;
  }
  return false;
}

std::string_view descrizione_errore(codice c) {
  const voce_guasto* v = voce_di(c);
  return v != nullptr ? v->frase : "Unknown fault code.";
}

namespace {
constexpr std::string_view kPrefissoCodice = "codice ";
}  // namespace

std::string nome_codice(codice c) { return std::string(kPrefissoCodice) + n(numero(c)); }

std::optional<int32_t> numero_nominato(std::string_view nome) {
  if (!nome.starts_with(kPrefissoCodice)) return std::nullopt;
  nome.remove_prefix(kPrefissoCodice.size());
  if (nome.empty() || nome.size() > 9) return std::nullopt;
  int32_t numero = 0;
  for (const char c : nome) {
    if (c < '0' || c > '9') return std::nullopt;
    numero = numero * 10 + (c - '0');
  }
  return numero;
}

std::string ancora_codice(int32_t numero) { return "code-" + n(numero); }

std::string messaggio_autore(codice c, const valori_guasto& v) {
  const voce_guasto* voce = voce_di(c);
  if (voce == nullptr) return "";
  if (voce->messaggio != nullptr) return voce->messaggio(v);
  std::string f(voce->frase);
  if (!f.empty()) f[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(f[0])));
  if (f.ends_with('.')) f.pop_back();
  return f;
}

std::string aiuto_autore(codice c, const valori_guasto& v) {
  const voce_guasto* voce = voce_di(c);
  return voce == nullptr ? std::string() : voce->aiuto(v);
}

std::string chi_occupa(uint8_t tipo_cella) {
  switch (tipo_cella) {
    case tipo_segnale:
      return "a signal";
    case tipo_fine_rallentamento:
      return "the end of a slowdown";
    case tipo_inizio_rallentamento:
      return "the start of a slowdown";
    case tipo_avviso_rallentamento:
      return "a slowdown's warning board";
    case tipo_prima_avviso:
      return "a cell before a slowdown's warning board";
    case tipo_indicatori_vmax:
      return "a speed board";
    case tipo_fermata:
      return "a station's stop mark";
    case tipo_abbattimento:
    case tipo_abbattimento_senza_valore:
      return "an abbattimento point";
    case tipo_cartello:
      return "a text board";
    default:
      return "a mark";
  }
}

}  // namespace lorvenna
