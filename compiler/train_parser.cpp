#include "compiler/train_parser.h"

#include <algorithm>
#include <optional>

#include "compiler/cell.h"
#include "compiler/cell_access.h"
#include "compiler/field_reader.h"
#include "compiler/integer_widths.h"
#include "compiler/record_catalogue.h"
#include "compiler/record_rules.h"
#include "compiler/recovery.h"
#include "compiler/rounding.h"
#include "compiler/text_limit.h"
#include "compiler/train_marking.h"
#include "compiler/train_station.h"
#include "compiler/typed_fields.h"

namespace lorvenna {
namespace {

// A station's time as read: its value, its three fields' values and places.
struct orario_letto {
  int32_t orario;
  int32_t valori[3];
  posizione_campo campi[3];
};

struct lettura_treno {
  modello& m;
  traccia_lettura& t;
  lettore_campi lettore;
  int32_t indice_cartello;
  std::string campo = {};  // the last field read as text
  int32_t numero_stazione = 1;
  // Cells before the first "velocita" or "aderenza" record get 0, the value
  // of a fresh cell: nothing is made up for a stretch the text leaves out.
  int32_t cella_velocita = 0;
  int32_t velocita_corrente = 0;
  int32_t cella_aderenza = 0;
  int32_t aderenza_corrente = 0;
  const ascolta_guasti* recupero = nullptr;
  // The speed field that set `velocita_corrente`, to which a speed that does
  // not fit its cells is told, though the fill that finds it runs later.
  posizione_campo campo_velocita = {};
  stato_controlli controlli = {};
  // The times of the last two stations that have one, the later second.
  std::optional<orario_letto> orari[2] = {};
  // The cells of the line text's marks, sorted, with their index among the
  // occupants; made when a check first needs it.
  std::optional<std::vector<std::pair<int32_t, size_t>>> celle_linea = {};
};

// A speed limit is kept in a cell as a byte of 5 km/h steps; a speed that
// does not fit is the fault of the record that set it.
void controlla_velocita(int32_t velocita, const posizione_campo& campo) {
  try {
    arrotonda_byte(velocita / 5.0);
  } catch (const errore_lettura&) {
    throw errore_lettura("speed " + std::to_string(velocita) +
                             " km/h does not fit a cell, which holds 0 to " +
                             std::to_string(kVelocitaMassima) + " km/h",
                         campo);
  }
}

// The speed fill, with a speed that does not fit told at its own record.
template <typename Riempi>
void riempi_velocita(lettura_treno& l, Riempi riempi_celle) {
  try {
    riempi_celle();
  } catch (const errore_lettura&) {
    controlla_velocita(l.velocita_corrente, l.campo_velocita);
    throw;
  }
}

// One cell per pass and at least one pass, even when `indice` has already
// reached `fino_a`: a record at or behind the fill still writes one cell with
// the value before it, and the fill runs a cell ahead from then on. Returns
// false, having written nothing more, when the next cell would lie past
// `ultima`.
template <typename Scrivi>
bool riempi(modello& m, int32_t& indice, int32_t fino_a, int32_t ultima, Scrivi scrivi) {
  do {
    if (indice > ultima) return false;
    scrivi(m.celle[indice]);
    ++indice;
  } while (indice < fino_a);
  return true;
}

auto scrivi_velocita(int32_t velocita) {
  return [velocita](cella& c) { c.velocita_linea = arrotonda_byte(velocita / 5.0); };
}

auto scrivi_aderenza(int32_t aderenza) {
  return [aderenza](cella& c) { c.aderenza = bassi_8(aderenza); };
}

esito_record velocita(lettura_treno& l) {
  const int32_t p = leggi_long(l.lettore);
  const int32_t v = leggi_long(l.lettore);
  const posizione_campo campo_v = l.lettore.ultimo_campo();
  // The compile finds such a speed only at the next record's fill; a check
  // refuses it here, so that the records after it are read as they are.
  if (l.recupero != nullptr && *l.recupero) controlla_velocita(v, campo_v);
  if (!entra(l.m, p, kMargineRecord)) return fuori_tracciato(l.m, p);
  const int32_t t = cella_che_inizia_in(p);
  // A speed record's fill stops short of the last cell and goes no further.
  if (t > 0) {
    riempi_velocita(l, [&l, t] {
      riempi(l.m, l.cella_velocita, t, l.m.ultima_cella() - 1,
             scrivi_velocita(l.velocita_corrente));
    });
  }
  l.velocita_corrente = v;
  l.campo_velocita = campo_v;
  return esito_record::continua;
}

esito_record aderenza(lettura_treno& l) {
  const int32_t p = leggi_long(l.lettore);
  const int32_t a = leggi_long(l.lettore);
  if (!entra(l.m, p, kMargineRecord)) return fuori_tracciato(l.m, p);
  const int32_t t = cella_che_inizia_in(p);
  // Records piled at the track's end push the fill one cell on each; one
  // that would push it past the last cell is refused like a record beyond it.
  if (t > 0 &&
      !riempi(l.m, l.cella_aderenza, t, l.m.ultima_cella(), scrivi_aderenza(l.aderenza_corrente))) {
    return fuori_tracciato(l.m, p);
  }
  l.aderenza_corrente = a;
  return esito_record::continua;
}

esito_record orologio(lettura_treno& l) {
  voce_generale& e = l.m.dati_generali[kVoceRipetizione];
  e.valore_3 = leggi_integer(l.lettore);
  e.valore_4 = leggi_integer(l.lettore);
  e.valore_5 = leggi_integer(l.lettore);
  return esito_record::continua;
}

std::string metri(int64_t p) { return std::to_string(p) + " m"; }

// A signal whose approach cells would lie before the track's first.
spiegazione_guasto segnale_in_testa(const modello& m, int32_t p) {
  int32_t primo = 0;
  while (!segnale_nel_tracciato(m, primo) && entra(m, primo, kMargineRecord))
    primo += kLunghezzaCella;
  return {1,
          "signal at " + metri(p) +
              " stands too near the start of the track: the approach cells it marks before it "
              "would lie before the first",
          {"a signal may stand from " + metri(primo) + " on"}};
}

spiegazione_guasto lunghezza_negativa(const rallentamento_letto& r) {
  return {3,
          "slowdown at " + metri(r.x) + " has a negative length, " + metri(r.lunghezza),
          {"a slowdown's length is 0 m or more, from its start onward"}};
}

// A slowdown that reaches past the track, or ends before its start.
spiegazione_guasto rallentamento_fuori(const modello& m, rallentamento_letto r) {
  if (r.lunghezza < 0) return lunghezza_negativa(r);
  const int64_t fine = int64_t{r.x} + r.lunghezza;
  // The longest slowdown that fits from this start, to the nearest 50 m.
  rallentamento_letto prova = r;
  int32_t piu_lungo = -1;
  for (int32_t basso = 0, alto = r.lunghezza; basso <= alto;) {
    prova.lunghezza = basso + (alto - basso) / 2;
    if (rallentamento_nel_tracciato(m, prova)) {
      piu_lungo = prova.lunghezza;
      basso = prova.lunghezza + 1;
    } else {
      alto = prova.lunghezza - 1;
    }
  }
  std::vector<std::string> aiuto;
  if (piu_lungo >= 0) {
    aiuto.push_back("from " + metri(r.x) + " a slowdown may be at most " +
                    metri(tronca_alla_griglia(piu_lungo)) + " long on this route");
  }
  return {3,
          "slowdown at " + metri(r.x) + ", " + metri(r.lunghezza) + " long, would end at " +
              metri(fine) + ", past the track's end",
          std::move(aiuto)};
}

// The range check bounds only the position; the signal's approach cells may
// still fall before cell 0, and such a record is refused like one past the end.
esito_record segnale(lettura_treno& l) {
  segnale_letto s{};
  for (int32_t* campo :
       {&s.posizione, &s.sx, &s.s1, &s.s2, &s.s3, &s.rapp, &s.dx, &s.d1, &s.d2, &s.d3, &s.tempo}) {
    *campo = leggi_long(l.lettore);
  }
  const int32_t p = s.posizione;
  if (!entra(l.m, p, kMargineRecord) || !segnale_nel_tracciato(l.m, p)) {
    if (p >= 0 && entra(l.m, p, kMargineRecord)) l.t.spiegata = segnale_in_testa(l.m, p);
    return fuori_tracciato(l.m, p);
  }
  memo_segnale(l.m, s);
  const int32_t c = cella_di(p);
  l.t.marche_lette.push_back({c, c, l.lettore.riga(), campo_posizione(l.lettore)});
  if (!l.m.con_codice()) l.t.occupanti.push_back({c, "signal", true, campo_posizione(l.lettore)});
  return dopo_marcatura(l.m, p);
}

// As for signals: the end and the warning-step cells depend on more than the
// position, so a slowdown reaching outside the track is refused with code 15.
esito_record rallentamento(lettura_treno& l) {
  rallentamento_letto r{};
  for (int32_t* campo : {&r.x, &r.v, &r.lunghezza, &r.f_tt, &r.f_ta, &r.d_v}) {
    *campo = leggi_long(l.lettore);
  }
  if (!entra(l.m, r.x, kMargineRecord) || !rallentamento_nel_tracciato(l.m, r)) {
    if (r.x >= 0 && entra(l.m, r.x, kMargineRecord)) l.t.spiegata = rallentamento_fuori(l.m, r);
    return fuori_tracciato(l.m, r.x);
  }
  memo_rallentamento(l.m, r);
  if (l.m.con_codice()) {
    if (r.lunghezza < 0) l.t.spiegata = lunghezza_negativa(r);
    l.t.spiegata.cella = cella_trovata_presa(l.m, r);
  } else {
    const posizione_campo campo = campo_posizione(l.lettore);
    for (const cella_segnata& c : celle_segnate(r)) {
      l.t.occupanti.push_back({c.cella, c.cosa, true, campo});
    }
  }
  l.t.marche_lette.push_back({cella_di(r.x), cella_di(static_cast<double>(r.x) + r.lunghezza),
                              l.lettore.riga(), campo_posizione(l.lettore)});
  return dopo_marcatura(l.m, r.x);
}

// An abbattimento point takes the cell that starts at its position, without
// the added 1 of the other markers. A negative position passes the range
// check and is refused here.
esito_record abbattimento(lettura_treno& l) {
  const int32_t p = leggi_long(l.lettore);
  const int32_t a = leggi_long(l.lettore);
  if (!entra(l.m, p, kMargineRecord)) return fuori_tracciato(l.m, p);
  const int32_t i = cella_che_inizia_in(p);
  if (i < 0) return fuori_tracciato(l.m, p);
  cella& c = l.m.celle[i];
  if (!cella_libera(c)) {
    cella_presa(l.m, codice::abbattimento_occupato, i);
    return ferma(l.m, codice::abbattimento_occupato, p);
  }
  if (a > 0) {
    c.tipo_cella = tipo_abbattimento;
    c.dato_1 = bassi_16(a);
  } else {
    c.tipo_cella = tipo_abbattimento_senza_valore;
  }
  l.t.occupanti.push_back({i, "abbattimento point", true, campo_posizione(l.lettore)});
  return esito_record::continua;
}

esito_record massa_frenata(lettura_treno& l) {
  l.m.dati_generali[kVoceTreno].inizio = leggi_long(l.lettore);
  return esito_record::continua;
}

esito_record vetture(lettura_treno& l) {
  l.m.dati_generali[kVoceTreno].posizione = leggi_long(l.lettore);
  return esito_record::continua;
}

esito_record sabbia(lettura_treno& l) {
  l.m.dati_generali[kVoceRipetizione].valore_1 = leggi_integer(l.lettore);
  return esito_record::continua;
}

std::string ora(int32_t secondi) {
  const auto due = [](int32_t v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  return std::to_string(secondi / 3600) + ":" + due(secondi / 60 % 60) + ":" + due(secondi % 60);
}

// The stations' times run on along the route; a station without one (0)
// is passed by.
orario_letto orario_di(const lettore_campi& lettore, const voce_generale& voce) {
  orario_letto o{voce.orario, {}, {}};
  for (size_t i = 0; i < 3; ++i) {
    o.valori[i] = numero_di(lettore.testo_campo(14 + i)).value_or(0);
    o.campi[i] = lettore.campo_del_record(14 + i);
  }
  return o;
}

// The field of `o` where it parts from `altro`: the hours, or where those
// agree the minutes, then the seconds.
const posizione_campo& dove_differisce(const orario_letto& o, const orario_letto& altro) {
  for (size_t i = 0; i < 2; ++i) {
    if (o.valori[i] != altro.valori[i]) return o.campi[i];
  }
  return o.campi[2];
}

// The stations' times run on along the route; a station without one (0)
// is passed by. Of two in the wrong order, the one out of step with the
// station before them both is told, at the field that makes it so.
void orario_in_ordine(lettura_treno& l, const voce_generale& voce) {
  if (voce.orario <= 0) return;
  orario_letto questo = orario_di(l.lettore, voce);
  if (l.orari[1] && questo.orario < l.orari[1]->orario) {
    const orario_letto& prima = *l.orari[1];
    const bool prima_fuori_passo = l.orari[0] && questo.orario >= l.orari[0]->orario;
    const orario_letto& fuori = prima_fuori_passo ? prima : questo;
    const orario_letto& altro = prima_fuori_passo ? questo : prima;
    const posizione_campo& c = dove_differisce(fuori, altro);
    Diagnostic d{Severity::warning,
                 nel_testo(l.t.testo_treno, c),
                 kAvvisoFuoriOrdine,
                 "the time " + ora(prima.orario) + " on line " +
                     std::to_string(prima.campi[0].riga) + " comes after the next station's, " +
                     ora(questo.orario) + " on line " + std::to_string(questo.campi[0].riga),
                 {},
                 {}};
    d.help.push_back("the times are hours, minutes and seconds, in the order of the stations");
    l.recupero->avviso(std::move(d));
  }
  l.orari[0] = std::move(l.orari[1]);
  l.orari[1] = std::move(questo);
}

// A station's stop mark takes its cell whatever stands there: a speed
// board or text board of the line text on it is lost without a word. The
// line's records are all read by now; their cells are looked up in order.
void fermata_sopra(lettura_treno& l, const voce_generale& voce) {
  const int32_t cella = cella_fermata(voce);
  if (cella < 0) return;
  if (!l.celle_linea) {
    l.celle_linea.emplace();
    for (size_t i = 0; i < l.t.occupanti.size(); ++i) {
      if (!l.t.occupanti[i].nel_treno) l.celle_linea->emplace_back(l.t.occupanti[i].cella, i);
    }
    std::sort(l.celle_linea->begin(), l.celle_linea->end());
  }
  const auto trovata = std::lower_bound(l.celle_linea->begin(), l.celle_linea->end(),
                                        std::pair<int32_t, size_t>{cella, 0});
  if (trovata == l.celle_linea->end() || trovata->first != cella) return;
  const occupante_cella& o = l.t.occupanti[trovata->second];
  const posizione_campo stazione = campo_posizione(l.lettore);
  Diagnostic d{Severity::warning,
               nel_testo(l.t.testo_linea, o.campo),
               kAvvisoMarcaCoperta,
               std::string("the ") + o.cosa +
                   " here is lost: a station's stop mark takes its cell (cell " +
                   std::to_string(cella) + ")",
               {},
               {}};
  d.notes.push_back({nel_testo(l.t.testo_treno, stazione), "the station whose stop mark it is"});
  d.help.push_back("move the board to another cell, or the station");
  l.recupero->avviso(std::move(d));
}

// What a station's fault is, said at its field.
spiegazione_guasto stazione_in_errore(const modello& m, int32_t n, const lettore_campi& lettore) {
  const voce_generale& e = m.dati_generali[n];
  const int32_t lunghezza = numero_di(lettore.testo_campo(3)).value_or(0);
  switch (m.codice_errore) {
    case codice::stazione_lunghezza: {
      return {3,
              "station length " + metri(lunghezza) + " is off the " +
                  metri(kPassoLunghezzaStazione) + " grid",
              {valori_vicini(lunghezza, kPassoLunghezzaStazione)}};
    }
    case codice::fuori_tracciato:
      if (!entra(m, e.posizione, kMargineStazione)) return {};
      return {3,
              "station at " + metri(e.posizione) + ", " + metri(lunghezza) +
                  " long, puts its stop mark past the track's end",
              {}};
    case codice::stazioni_vicine: {
      // Where the position stands clear, the length reaches the area back.
      const int32_t fine_prima = m.dati_generali[n - 1].fine;
      const bool per_lunghezza = int64_t{e.posizione} - kDistanzaMinimaStazioni >= fine_prima;
      return {per_lunghezza ? 3u : 1u,
              "station at " + metri(e.posizione) + ", " + metri(lunghezza) +
                  " long, starts its area at " + metri(e.inizio) + ", less than " +
                  metri(kDistanzaMinimaStazioni) + " after the previous station's area ends, at " +
                  metri(fine_prima),
              {}};
    }
    case codice::fermata_in_testa:
      return {1,
              "station at " + metri(e.posizione) +
                  " puts its stop mark on the track's first cells, where no mark may stand",
              {"move the station further from the route's start, or shorten it"}};
    default:
      return {};
  }
}

esito_record stazione(lettura_treno& l) {
  const int32_t n = l.numero_stazione;
  const esito_record e = leggi_stazione(l.m, l.lettore, l.numero_stazione, l.indice_cartello);
  const voce_generale& voce = l.m.dati_generali[n];
  if (l.m.con_codice()) {
    l.t.spiegata = stazione_in_errore(l.m, n, l.lettore);
    return e;
  }
  l.t.stazioni.push_back(campo_posizione(l.lettore));
  if (l.recupero != nullptr && l.recupero->avviso) {
    orario_in_ordine(l, voce);
    fermata_sopra(l, voce);
  }
  return e;
}

using tv = tipo_valore;
constexpr campo_record kCampiMassa[] = {{"percentage", tv::non_negativo}};
constexpr campo_record kCampiVetture[] = {{"coaches", tv::non_negativo}};
constexpr campo_record kCampiVelocita[] = {{"position", tv::posizione, true},
                                           {"speed", tv::velocita}};
constexpr campo_record kCampiAderenza[] = {{"position", tv::posizione, true},
                                           {"adhesion", tv::aderenza}};
constexpr campo_record kCampiOrologio[] = {
    {"hours", tv::ore}, {"minutes", tv::minuti}, {"seconds", tv::secondi}};
constexpr campo_record kCampiSabbia[] = {{"sand"}};
// clang-format off
constexpr campo_record kCampiSegnale[] = {
    {"position", tv::posizione}, {"sx"}, {"s1"}, {"s2"}, {"s3"}, {"rapp"},
    {"dx"}, {"d1"}, {"d2"}, {"d3"}, {"tempo", tv::tempo_segnale}};
constexpr campo_record kCampiRallentamento[] = {
    {"position", tv::posizione}, {"speed"}, {"length", tv::lunghezza}, {"f_tt"}, {"f_ta"}, {"d_v"}};
constexpr campo_record kCampiAbbattimento[] = {{"position", tv::posizione}, {"value"}};
constexpr campo_record kCampiStazione[] = {
    {"position", tv::posizione}, {"type"}, {"length", tv::lunghezza}, {"option"},
    {"code 4"}, {"code 3"}, {"value 1"}, {"value 2"}, {"code 1"},
    {"value 3"}, {"value 4"}, {"value 5"}, {"code 2"},
    {"hours", tv::ore}, {"minutes", tv::minuti}, {"seconds", tv::secondi}, {"name", tv::testo}};
// clang-format on

// clang-format off
constexpr regola<lettura_treno> kRegole[] = {
    {"frenata", "massa", massa_frenata, false, "percentuale massa frenata", kCampiMassa},
    {"vetture", {}, vetture, false, "numero vetture", kCampiVetture},
    {"velocit", {}, velocita, false, "velocita", kCampiVelocita},
    {"aderenza", {}, aderenza, false, {}, kCampiAderenza},
    {"orologio", {}, orologio, false, {}, kCampiOrologio},
    {"sabbia", {}, sabbia, false, {}, kCampiSabbia},
    {"segnale", {}, segnale, false, {}, kCampiSegnale},
    {"rallentamento", {}, rallentamento, false, {}, kCampiRallentamento},
    {"abbattimento", {}, abbattimento, false, {}, kCampiAbbattimento},
    {"stazione", {}, stazione, false, {}, kCampiStazione},
};
// clang-format on

// Returns how the reading ended: at the end of the text or on code 15
// (fine_lettura), or on any other stop (fermo). The last field of the text is
// never interpreted.
// Up to two fields containing "-" before a keyword are dropped; a third is
// taken as the keyword field.
esito_record leggi_record(lettura_treno& l) {
  trova_generale(l.lettore, l.campo);
  while (!l.lettore.alla_fine()) {
    l.campo = l.lettore.leggi_testo();
    if (l.lettore.alla_fine()) break;
    if (!salta_trattini(l.lettore, l.campo, 2, true)) break;
    if (parola_ignota(*l.recupero, kRegole, l.campo, l.lettore, l.t.testo_treno)) continue;
    controlla_parola(*l.recupero, kRegole, l.campo, l.lettore, l.t.testo_treno);
    const esito_record e = con_recupero(*l.recupero, l.m, l.t, l.lettore, l.t.testo_treno, [&l] {
      const int riga = l.lettore.riga();
      l.lettore.inizia_record();
      const esito_record e = applica(kRegole, l.campo, l);
      // A code left by the record points the author at it.
      if (e != esito_record::continua && l.m.con_codice()) {
        l.t.motivo = record_in_errore(l.t.testo_treno, riga, l.lettore, l.t.spiegata);
      } else if (e == esito_record::continua) {
        controlla_record(*l.recupero, kRegole, l.campo, l.lettore, l.m, l.t.testo_treno,
                         l.controlli);
      }
      return e;
    });
    if (e != esito_record::continua) return e;
  }
  return esito_record::fine_lettura;
}

// The last three cells keep 0 when the fills start below them. A fill that
// piled records have already taken to the end finds nothing left to write.
void completa_riempimenti(lettura_treno& l) {
  const int32_t ultima = l.m.ultima_cella();
  riempi_velocita(l, [&l, ultima] {
    riempi(l.m, l.cella_velocita, ultima - 2, ultima, scrivi_velocita(l.velocita_corrente));
  });
  riempi(l.m, l.cella_aderenza, ultima - 2, ultima, scrivi_aderenza(l.aderenza_corrente));
}

// The section records were sorted since they were read; the one at fault is
// the last record read for a section, off the grid.
motivo_lettura progressiva_in_errore(const traccia_lettura& t) {
  for (auto p = t.progressive.rbegin(); p != t.progressive.rend(); ++p) {
    const bool ultima = std::none_of(t.progressive.rbegin(), p,
                                     [&](const progressiva_letta& q) { return q.voce == p->voce; });
    if (!ultima || (sulla_griglia(p->inizio) && sulla_griglia(p->fine))) continue;
    const bool inizio = !sulla_griglia(p->inizio);
    const int32_t v = inizio ? p->inizio : p->fine;
    const posizione_campo& c = inizio ? p->campo_inizio : p->campo_fine;
    return {t.testo_linea,
            c.riga,
            std::string("kilometric progressive section ") + (inizio ? "starting" : "ending") +
                " at " + std::to_string(v) + " m is off the " + metri_cella() + " grid",
            c,
            {},
            {valori_vicini(v, kLunghezzaCella)}};
  }
  return {t.testo_linea, 0, "", {}, {}, {}};
}

void controlla_progressive(modello& m) {
  for (int i : {kVoceProgressivaTre, kVoceProgressivaDue, kVoceProgressivaUno}) {
    const voce_generale& e = m.dati_generali[i];
    if (!sulla_griglia(e.inizio) || !sulla_griglia(e.fine))
      m.codice_errore = codice::progressiva_fuori_passo;
  }
}

}  // namespace

std::vector<record_noto> record_del_treno() {
  std::vector<record_noto> r;
  for (const auto& g : kRegole) r.push_back({nome_di(g), g.campi});
  return r;
}

std::optional<record_noto> record_del_treno_per(const std::string& campo) {
  if (const auto* g = prima_regola(kRegole, campo)) return record_noto{nome_di(*g), g->campi};
  return std::nullopt;
}

void leggi_descrizione_treno(modello& m, traccia_lettura& t, FileSystem& fs,
                             const std::string& percorso, int32_t indice_cartello,
                             const ascolta_guasti& recupero) {
  t.testo_treno = percorso;
  lettura_treno l{.m = m,
                  .t = t,
                  .lettore = lettore_campi(fs.read(percorso, kLimiteTesto)),
                  .indice_cartello = indice_cartello};
  l.recupero = &recupero;
  const esito_record esito =
      leggi_tutto(recupero, l.lettore, percorso, [&l] { return leggi_record(l); });
  fs.remove(percorso);
  if (esito == esito_record::fermo) return;
  completa_riempimenti(l);
  controlla_progressive(m);
  if (m.codice_errore == codice::progressiva_fuori_passo) t.motivo = progressiva_in_errore(t);
}

}  // namespace lorvenna
