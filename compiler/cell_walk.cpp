#include "compiler/cell_walk.h"

#include <algorithm>
#include <array>

#include "compiler/cell.h"

namespace lorvenna {
namespace {

// Cells 1 and 2 leave no room for a point in front of a signal.
constexpr int32_t kPrimaCellaGuardata = 3;

struct gruppo {
  int32_t vicino;
  int32_t lontano;
};
constexpr std::array<gruppo, 3> kGruppiAvvicinamento = {{{5, 7}, {11, 13}, {18, 20}}};

// Slowdowns below this speed get a point every kPasso cells inside them.
constexpr int16_t kVelocitaSoglia = 110;
constexpr int32_t kPasso = 8;

// The first signal in this many cells after the end cell, counted from it.
constexpr int32_t kFinestraSegnale = 12;

void piazza(cella& c) {
  c.tipo_cella = tipo_abbattimento;
  c.dato_1 = kValorePunto;
}

// The walk over one signal or slowdown: the model, and the mark whose
// points are being placed, so that a point with no room is said of it.
struct cammino {
  modello& m;
  int32_t marca;             // the signal's or slowdown start's cell
  int32_t marca_in_difetto;  // the last such mark that recorded a code, or -1
};

void registra(cammino& w, codice c, int32_t cella) {
  w.m.codice_errore = c;
  w.m.posizione_errore = inizio_cella(cella);
  w.m.valori_errore.posizione = w.m.posizione_errore;
  w.marca_in_difetto = w.marca;
}

// A point already standing in front of the signal is lowered to 180 but
// never raised.
void proteggi_segnale(cammino& w, int32_t s) {
  modello& m = w.m;
  cella& vicina = m.celle[s - 1];
  cella& lontana = m.celle[s - 2];
  if (cella_libera(vicina)) return piazza(vicina);
  if (cella_libera(lontana)) return piazza(lontana);
  if (vicina.tipo_cella == tipo_abbattimento) {
    vicina.dato_1 = minimo(kValorePunto, vicina.dato_1);
    return;
  }
  if (lontana.tipo_cella == tipo_abbattimento) {
    lontana.dato_1 = minimo(kValorePunto, lontana.dato_1);
    return;
  }
  registra(w, codice::punto_prima_avviso, s);
}

// Every signal in the window is treated, not just the nearest.
void guarda_prima_avviso(cammino& w, int32_t k) {
  for (int32_t a = 1; a <= kFinestraAvviso && k - a >= kPrimaCellaGuardata; ++a) {
    if (w.m.celle[k - a].tipo_cella != tipo_segnale) continue;
    w.marca = k - a;
    proteggi_segnale(w, k - a);
  }
}

void punti_avvicinamento(cammino& w, int32_t k) {
  modello& m = w.m;
  for (gruppo g : kGruppiAvvicinamento) {
    if (k <= g.lontano) continue;
    bool piazzato = false;
    for (int32_t d = g.vicino; d <= g.lontano && !piazzato; ++d) {
      if (cella_libera(m.celle[k - d])) {
        piazza(m.celle[k - d]);
        piazzato = true;
      }
    }
    if (!piazzato) registra(w, codice::punto_avvicinamento, k);
  }
}

// Returns the step count to go on with. A point moved one cell back or
// forward keeps the next one 8 cells after it. With no room the count stays
// at 8, so it only grows from here and no further point falls due in this
// slowdown.
int32_t punto_interno(cammino& cw, int32_t w) {
  modello& m = cw.m;
  if (cella_libera(m.celle[w])) {
    piazza(m.celle[w]);
    return 0;
  }
  if (cella_libera(m.celle[w - 1])) {
    piazza(m.celle[w - 1]);
    return 1;
  }
  if (w + 1 <= m.ultima_cella() && cella_libera(m.celle[w + 1])) {
    piazza(m.celle[w + 1]);
    return -1;
  }
  registra(cw, codice::punto_dentro_o_dopo, w);
  return kPasso;
}

// Walks from the start cell to the end cell (the next type-2 cell), placing
// the inner points, and returns the end cell. A start with no end after it
// stops the walk at the last cell.
int32_t punti_interni(cammino& cw, int32_t k) {
  const modello& m = cw.m;
  int32_t w = k;
  int32_t c = 0;
  while (w < m.ultima_cella()) {
    ++w;
    ++c;
    if (c == kPasso) c = punto_interno(cw, w);
    if (m.celle[w].tipo_cella == tipo_fine_rallentamento) return w;
  }
  return w;
}

// The end cell of a slowdown too fast for inner points; the last cell when
// no end follows its start.
int32_t fine_rallentamento(const modello& m, int32_t k) {
  for (int32_t w = k + 1; w <= m.ultima_cella(); ++w) {
    if (m.celle[w].tipo_cella == tipo_fine_rallentamento) return w;
  }
  return m.ultima_cella();
}

void proteggi_segnale_dopo(cammino& w, int32_t e) {
  modello& m = w.m;
  const int32_t ultima = std::min(e + kFinestraSegnale, m.ultima_cella());
  for (int32_t j = e; j <= ultima; ++j) {
    if (m.celle[j].tipo_cella != tipo_segnale) continue;
    const int32_t s = j - 1;
    if (cella_libera(m.celle[s])) return piazza(m.celle[s]);
    if (cella_libera(m.celle[s - 1])) return piazza(m.celle[s - 1]);
    return registra(w, codice::punto_dentro_o_dopo, e);
  }
}

void segna_rallentamento(cammino& w, int32_t k) {
  w.marca = k;
  punti_avvicinamento(w, k);
  const bool lento = w.m.celle[k].dato_1 < kVelocitaSoglia;
  const int32_t e = lento ? punti_interni(w, k) : fine_rallentamento(w.m, k);
  proteggi_segnale_dopo(w, e);
}

}  // namespace

int16_t minimo(int16_t x, int16_t y) { return x > y ? y : x; }

int32_t cammina_celle(modello& m) {
  cammino w{m, -1, -1};
  for (int32_t k = 1; k <= m.ultima_cella() - 2; ++k) {
    if (m.celle[k].tipo_cella == tipo_avviso_rallentamento) guarda_prima_avviso(w, k);
    if (m.celle[k].tipo_cella == tipo_inizio_rallentamento) segna_rallentamento(w, k);
  }
  return w.marca_in_difetto;
}

}  // namespace lorvenna
