#include "compiler/line_marking.h"

#include <array>
#include <limits>

#include "compiler/cell.h"
#include "compiler/cell_access.h"
#include "compiler/failure.h"
#include "compiler/record_outcome.h"
#include "compiler/rounding.h"

namespace lorvenna {
namespace {

struct sezione {
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
};

sezione leggi_sezione(const voce_generale& v) { return {v.inizio, v.fine, v.posizione}; }

void scrivi_sezione(voce_generale& v, const sezione& s) {
  v.inizio = s.inizio;
  v.fine = s.fine;
  v.posizione = s.posizione;
}

// The order of the three sections (tre, due, uno) when their starts sum to a
// value other than 0: greatest start first; a tie for the greatest clears all.
std::array<sezione, 3> ordina_per_inizio(const sezione& t, const sezione& d, const sezione& u) {
  if (t.inizio > d.inizio && t.inizio > u.inizio) {
    return d.inizio > u.inizio ? std::array{t, d, u} : std::array{t, u, d};
  }
  if (d.inizio > t.inizio && d.inizio > u.inizio) {
    return t.inizio > u.inizio ? std::array{d, t, u} : std::array{d, u, t};
  }
  if (u.inizio > t.inizio && u.inizio > d.inizio) {
    return t.inizio > d.inizio ? std::array{u, t, d} : std::array{u, d, t};
  }
  return {};
}

// When the starts sum to 0 the sections are told apart by their ends.
std::array<sezione, 3> ordina_per_fine(const sezione& t, const sezione& d, const sezione& u) {
  if (u.fine > 0) return {u, d, t};
  if (d.fine > 0) return {d, t, u};
  if (t.fine > 0) return {t, d, u};
  return {};
}

int16_t codice_velocita(int32_t lato_s, int32_t lato_d) {
  int64_t decine = int64_t{lato_s} * 20;
  if (decine > std::numeric_limits<int32_t>::max() ||
      decine < std::numeric_limits<int32_t>::min()) {
    throw errore_lettura("speed " + std::to_string(lato_s) + " is too large for a speed board");
  }
  return arrotonda_integer(lato_d / 5.0 + static_cast<double>(decine));
}

}  // namespace

void progressive_ordina(modello& m) {
  auto& g = m.dati_generali;
  const sezione t = leggi_sezione(g[kVoceProgressivaTre]);
  const sezione d = leggi_sezione(g[kVoceProgressivaDue]);
  const sezione u = leggi_sezione(g[kVoceProgressivaUno]);

  const int64_t somma = int64_t{t.inizio} + d.inizio + u.inizio;
  const auto ordinate = somma != 0 ? ordina_per_inizio(t, d, u) : ordina_per_fine(t, d, u);
  for (int i = 0; i < 3; ++i) scrivi_sezione(g[kVoceProgressivaTre + i], ordinate[i]);

  for (int i = kVoceProgressivaTre; i <= kVoceProgressivaUno; ++i) {
    voce_generale& v = g[i];
    if (v.posizione != 1) continue;
    if (v.fine > std::numeric_limits<int32_t>::max() - 100) {
      throw errore_lettura("progressive section end " + std::to_string(v.fine) + " is too large");
    }
    v.fine += 100;
  }
}

intervallo_celle celle_montagna(int32_t inizio, int32_t fine) {
  return {cella_che_inizia_in(inizio), arrotonda_long(in_celle(fine) - 1)};
}

void memo_montagna(modello& m, tratti_montagna& tratti, int32_t inizio, int32_t fine,
                   int32_t tipo) {
  bool marcatori = false;
  if (tipo > 10) {
    marcatori = true;
    tipo -= 10;
  }
  if (++tratti.numero > 1 && int64_t{inizio} - tratti.fine_precedente <= 150) tipo = 3;
  tratti.fine_precedente = fine;

  const intervallo_celle celle = celle_montagna(inizio, fine);
  int32_t conteggio = 0;
  for (int32_t c = celle.prima; c <= celle.ultima; ++c) {
    cella& cl = cella_in(m, c);
    ++conteggio;
    cl.tipo_montagna = static_cast<uint8_t>(tipo);
    if (marcatori && conteggio % 4 == 0 && cl.tipo_cella == tipo_vuota) {
      cl.tipo_cella = tipo_marcatore_montagna;
    }
  }
}

void memo_indicatori_v_max(modello& m, const indicatori_letti& v) {
  const int32_t indice = cella_di(v.posizione);
  cella& c = cella_in(m, indice);
  if (!cella_libera(c)) {
    cella_presa(m, codice::indicatori_occupati, indice);
    return;
  }
  // A code that overflows leaves the ones before it written.
  c.tipo_cella = tipo_indicatori_vmax;
  c.dato_1 = codice_velocita(v.vas, v.vad);
  c.dato_2 = codice_velocita(v.vbs, v.vbd);
  c.dato_3 = codice_velocita(v.vcs, v.vcd);
  const int32_t strisce = int32_t{v.strisces} * 10 + v.strisced;
  if (strisce > std::numeric_limits<int16_t>::max() ||
      strisce < std::numeric_limits<int16_t>::min()) {
    throw errore_lettura("stripe counts " + std::to_string(v.strisces) + " and " +
                         std::to_string(v.strisced) + " do not fit a speed board");
  }
  c.dato_4 = static_cast<int16_t>(strisce);
}

}  // namespace lorvenna
