#include "compiler/train_marking.h"

#include "compiler/cell.h"
#include "compiler/integer_widths.h"
#include "compiler/record_outcome.h"

namespace lorvenna {
namespace {

// Approach codes stand 2, 4, 6 and 8 cells before the signal.
constexpr int32_t kPassiAvvicinamento = 4;

bool dentro(const modello& m, int64_t i) { return i >= 0 && i <= m.ultima_cella(); }

struct celle_rallentamento {
  int32_t avviso;          // a
  int32_t inizio;          // s
  int32_t fine;            // e
  int32_t prima_numerata;  // b, the numbered cell next to the warning
  bool con_avviso;
  bool con_numerate;
};

celle_rallentamento celle_di(int32_t x, int32_t l, int32_t f_ta) {
  const double inizio_avviso = static_cast<double>(x) - kAnticipoAvviso;
  celle_rallentamento c{};
  c.avviso = cella_di(inizio_avviso);
  c.inizio = cella_di(x);
  c.fine = cella_di(static_cast<double>(x) + l);
  c.prima_numerata = cella_che_inizia_in(inizio_avviso);
  c.con_avviso = x > kMinimoPerAvviso;
  c.con_numerate = c.con_avviso && f_ta != 0;
  return c;
}

void scrivi_estremo(cella& c, uint8_t tipo, const rallentamento_letto& r) {
  c.tipo_cella = tipo;
  if (r.d_v != 0) c.dato_2 = bassi_16(r.d_v);
  c.dato_1 = bassi_16(r.v);
  c.dato_3 = bassi_16(r.f_tt);
}

bool numerate_libere(const modello& m, int32_t b) {
  for (int32_t k = 0; k < 4; ++k) {
    if (!cella_libera(m.celle[b - k])) return false;
  }
  return true;
}

void scrivi_numerate(modello& m, int32_t b, int32_t d_v) {
  for (int32_t k = 0; k < 4; ++k) {
    cella& c = m.celle[b - k];
    c.tipo_cella = tipo_prima_avviso;
    c.dato_1 = static_cast<int16_t>(k + 1);
    if (d_v != 0) c.dato_2 = static_cast<int16_t>(k + 1);
  }
}

}  // namespace

bool segnale_nel_tracciato(const modello& m, int32_t posizione) {
  const int32_t c = cella_di(posizione);
  return dentro(m, c) && dentro(m, int64_t{c} - 2 * kPassiAvvicinamento);
}

bool rallentamento_nel_tracciato(const modello& m, const rallentamento_letto& r) {
  const celle_rallentamento c = celle_di(r.x, r.lunghezza, r.f_ta);
  if (!dentro(m, c.inizio) || !dentro(m, c.fine)) return false;
  if (c.con_avviso && !dentro(m, c.avviso)) return false;
  if (c.con_numerate && !(dentro(m, c.prima_numerata) && dentro(m, c.prima_numerata - 3))) {
    return false;
  }
  return true;
}

void memo_segnale(modello& m, const segnale_letto& s) {
  const int32_t c = cella_di(s.posizione);
  cella& segnale = m.celle[c];
  if (!cella_libera(segnale)) {
    cella_presa(m, codice::segnale_occupato, c);
    return;
  }
  segnale.tipo_cella = tipo_segnale;
  segnale.dato_4 = bassi_16(int64_t{s.rapp} * 10 + int64_t{s.sx} * 3 + s.dx);
  segnale.dato_1 = bassi_16(int64_t{s.s1} * 10 + s.d1);
  segnale.dato_2 = bassi_16(int64_t{s.s2} * 10 + s.d2);
  segnale.dato_3 = bassi_16(int64_t{s.s3} * 10 + s.d3);

  // The simulator reads a waiting time of 1 to 100 as 101.
  const int32_t tempo = s.tempo >= 1 && s.tempo <= 100 ? 101 : s.tempo;
  segnale.tempo_segnale = s.sx == 2 ? bassi_8(tempo) : 0;

  // The approach cells are overwritten whatever they hold: a station's or an
  // earlier signal's approach codes give way to this signal's.
  const int64_t tipi = (int64_t{s.sx} * 3 + s.dx) * 10;
  for (int32_t k = 1; k <= kPassiAvvicinamento; ++k) {
    m.celle[c - 2 * k].avvicinamento = bassi_8(tipi + k);
  }
}

std::vector<cella_segnata> celle_segnate(const rallentamento_letto& r) {
  const celle_rallentamento c = celle_di(r.x, r.lunghezza, r.f_ta);
  std::vector<cella_segnata> celle = {{c.fine, "end of a slowdown"},
                                      {c.inizio, "start of a slowdown"}};
  if (c.con_avviso) celle.push_back({c.avviso, "warning board of a slowdown"});
  if (c.con_numerate) {
    for (int32_t k = 0; k < 4; ++k) {
      celle.push_back({c.prima_numerata - k, "numbered cell before a slowdown's warning board"});
    }
  }
  return celle;
}

int32_t cella_trovata_presa(const modello& m, const rallentamento_letto& r) {
  const celle_rallentamento c = celle_di(r.x, r.lunghezza, r.f_ta);
  switch (m.codice_errore) {
    case codice::avviso_occupato:
      return c.avviso;
    case codice::inizio_occupato:
      return c.inizio;
    case codice::fine_occupata:
      return c.fine;
    case codice::numerate_occupate:
      for (int32_t k = 0; k < 4; ++k) {
        if (!cella_libera(m.celle[c.prima_numerata - k])) return c.prima_numerata - k;
      }
      return -1;
    default:
      return -1;
  }
}

void memo_rallentamento(modello& m, const rallentamento_letto& r) {
  const celle_rallentamento c = celle_di(r.x, r.lunghezza, r.f_ta);
  // Codes 17 to 19 are found before anything is written.
  if (c.con_avviso && !cella_libera(m.celle[c.avviso])) {
    m.codice_errore = codice::avviso_occupato;
    return;
  }
  if (!cella_libera(m.celle[c.inizio])) {
    m.codice_errore = codice::inizio_occupato;
    return;
  }
  if (!cella_libera(m.celle[c.fine])) {
    m.codice_errore = codice::fine_occupata;
    return;
  }

  // End before start, so that a slowdown within one cell leaves a start.
  scrivi_estremo(m.celle[c.fine], tipo_fine_rallentamento, r);
  scrivi_estremo(m.celle[c.inizio], tipo_inizio_rallentamento, r);
  if (c.con_avviso) {
    cella& avviso = m.celle[c.avviso];
    avviso.tipo_cella = tipo_avviso_rallentamento;
    if (r.d_v != 0) avviso.dato_2 = bassi_16(r.d_v);
    avviso.dato_1 = bassi_16(r.v);
  }
  if (!c.con_numerate) return;

  // Found after the start, end and warning are written; those stay.
  if (!numerate_libere(m, c.prima_numerata)) {
    m.codice_errore = codice::numerate_occupate;
    return;
  }
  scrivi_numerate(m, c.prima_numerata, r.d_v);
}

}  // namespace lorvenna
