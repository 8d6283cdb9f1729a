#include "compiler/train_station.h"

#include <algorithm>

#include "compiler/cell.h"
#include "compiler/cell_access.h"
#include "compiler/integer_widths.h"
#include "compiler/rounding.h"
#include "compiler/typed_fields.h"

namespace lorvenna {
namespace {

// Types from 25 up (junctions, halts) get an entry but mark no cell; types 5
// and 6 mark their stop but no approach.
constexpr uint8_t kPrimoTipoSenzaMarche = 25;
constexpr int32_t kLunghezzaPerCodice4 = 600;

bool tipo_5_6(uint8_t tipo) { return tipo == 5 || tipo == 6; }
bool tipo_7_8(uint8_t tipo) { return tipo == 7 || tipo == 8; }

void leggi_valori(voce_generale& e, lettore_campi& lettore) {
  e.opzione = leggi_byte(lettore);
  e.codice_4 = leggi_byte(lettore);
  e.codice_3 = leggi_byte(lettore);
  e.valore_1 = leggi_integer(lettore);
  e.valore_2 = leggi_integer(lettore);
  e.codice_1 = leggi_byte(lettore);
  e.valore_3 = leggi_integer(lettore);
  e.valore_4 = leggi_integer(lettore);
  e.valore_5 = leggi_integer(lettore);
  e.codice_2 = leggi_byte(lettore);
  const int64_t ore = leggi_long(lettore);
  const int64_t minuti = leggi_long(lettore);
  const int64_t secondi = leggi_long(lettore);
  e.orario = come_long((ore * 60 + minuti) * 60 + secondi);
  e.nome = lettore.leggi_testo();
}

// Ordinary stations are centred on their position; types 5 to 8 reach back
// from it by the whole length.
void disponi_area(voce_generale& e, int32_t lunghezza) {
  const int64_t p = e.posizione;
  if (tipo_5_6(e.tipo)) {
    e.inizio = come_long(p - lunghezza);
    e.fine = come_long(p + 150);
    e.codice_3 = 0;
    return;
  }
  if (tipo_7_8(e.tipo)) {
    e.inizio = come_long(p - lunghezza);
    e.fine = come_long(p + lunghezza);
    e.codice_3 = 0;
    return;
  }
  const double meta = lunghezza / 2.0;
  e.inizio = arrotonda_long(p - meta);
  e.fine = arrotonda_long(e.codice_3 != 0 ? p + meta + kLunghezzaCella : p + meta);
}

// The stop mark stands in the cell before the one holding the area's end.
double indice_fermata(const voce_generale& e) { return in_celle(e.fine) - 1; }

bool segna_cellule(const voce_generale& e) { return e.tipo < kPrimoTipoSenzaMarche; }

// The range check on the position does not bound the area's end, which the
// length decides; a stop mark past the track is refused like a position past
// it. The approach marks lie before the stop mark and a stop mark at or
// before cell 1 is code 24, so only the top needs testing.
bool marche_nel_tracciato(const modello& m, const voce_generale& e) {
  if (!segna_cellule(e)) return true;
  const double r = indice_fermata(e);
  return r <= 1 || arrotonda_long(r) <= m.ultima_cella();
}

// The approach marks go in whatever the cells hold.
void segna_avvicinamento(modello& m, const voce_generale& e) {
  if (!segna_cellule(e) || tipo_5_6(e.tipo)) return;
  for (int32_t k = 1; k <= 4; ++k) {
    const double r = indice_fermata(e) - k;
    if (r > 1) m.celle[arrotonda_long(r)].avvicinamento = static_cast<uint8_t>(80 + k);
  }
}

bool segna_fermata(modello& m, const voce_generale& e, int32_t n) {
  const double r = indice_fermata(e);
  if (r <= 1) return false;
  cella& c = m.celle[arrotonda_long(r)];
  c.tipo_cella = tipo_fermata;
  c.dato_1 = static_cast<int16_t>(n);
  return true;
}

// Entries above the text boards' first have fixed roles: a station never
// takes one, whatever the caller passes.
int32_t limite_stazioni(int32_t indice_cartello) {
  return std::min(indice_cartello, kPrimoCartello);
}

}  // namespace

int32_t cella_fermata(const voce_generale& e) {
  const double r = indice_fermata(e);
  return segna_cellule(e) && r > 1 ? arrotonda_long(r) : -1;
}

esito_record leggi_stazione(modello& m, lettore_campi& lettore, int32_t& numero_stazione,
                            int32_t indice_cartello) {
  const int32_t n = numero_stazione;
  voce_generale& e = m.dati_generali[n];
  e.posizione = leggi_long(lettore);
  const int32_t p = e.posizione;
  if (!entra(m, p, kMargineStazione)) return fuori_tracciato(m, p);
  if (!sulla_griglia(p)) return ferma(m, codice::stazione_fuori_passo, p);

  e.tipo = leggi_byte(lettore);
  const int32_t lunghezza = leggi_long(lettore);
  if (lunghezza % kPassoLunghezzaStazione != 0) {
    m.valori_errore.valore = lunghezza;
    m.valori_errore.limite = kPassoLunghezzaStazione;
    return ferma(m, codice::stazione_lunghezza, p);
  }

  leggi_valori(e, lettore);
  disponi_area(e, lunghezza);
  if (lunghezza < kLunghezzaPerCodice4) e.codice_4 = 0;
  // The first station keeps neither code; the area above has already used codice_3.
  if (n == 1) {
    e.codice_3 = 0;
    e.codice_4 = 0;
  }

  if (!marche_nel_tracciato(m, e)) return fuori_tracciato(m, p);
  segna_avvicinamento(m, e);
  if (segna_cellule(e) && !segna_fermata(m, e, n)) return ferma(m, codice::fermata_in_testa);
  if (n > 1 && int64_t{e.inizio} - kDistanzaMinimaStazioni < m.dati_generali[n - 1].fine) {
    m.valori_errore.valore = m.dati_generali[n - 1].fine;
    m.valori_errore.limite = kDistanzaMinimaStazioni;
    return ferma(m, codice::stazioni_vicine, p);
  }

  ++numero_stazione;
  if (numero_stazione >= limite_stazioni(indice_cartello)) {
    m.valori_errore.limite = kMassimoStazioniECartelli;
    return ferma(m, codice::voci_esaurite);
  }
  return esito_record::continua;
}

}  // namespace lorvenna
