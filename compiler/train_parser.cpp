#include "compiler/train_parser.h"

#include "compiler/cell_access.h"
#include "compiler/field_reader.h"
#include "compiler/integer_widths.h"
#include "compiler/keywords.h"
#include "compiler/record_outcome.h"
#include "compiler/rounding.h"
#include "compiler/train_marking.h"
#include "compiler/train_station.h"
#include "compiler/typed_fields.h"

namespace lorvenna {
namespace {

struct lettura_treno {
  modello& m;
  lettore_campi lettore;
  int32_t indice_cartello;
  int32_t numero_stazione = 1;
  // Cells before the first "velocita" or "aderenza" record get 0, the value
  // of a fresh cell: nothing is made up for a stretch the text leaves out.
  int32_t cella_velocita = 0;
  int32_t velocita_corrente = 0;
  int32_t cella_aderenza = 0;
  int32_t aderenza_corrente = 0;
};

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

// Reads a field into riga_letta; false when the text has ended with it, in
// which case the field is not looked at.
bool leggi_chiave(lettura_treno& l) {
  l.m.riga_letta = l.lettore.leggi_testo();
  return !l.lettore.alla_fine();
}

void trova_generale(lettura_treno& l) {
  do {
    l.m.riga_letta = l.lettore.leggi_testo();
  } while (!l.lettore.alla_fine() && !contiene(l.m.riga_letta, "[generale]"));
}

esito_record velocita(lettura_treno& l) {
  const int32_t p = leggi_long(l.lettore);
  const int32_t v = leggi_long(l.lettore);
  if (!entra(l.m, p, kMargineRecord)) return fuori_tracciato(l.m, p);
  const int32_t t = arrotonda_long(p / 50.0);
  // A speed record's fill stops short of the last cell and goes no further.
  if (t > 0) {
    riempi(l.m, l.cella_velocita, t, l.m.ultima_cella() - 1, scrivi_velocita(l.velocita_corrente));
  }
  l.velocita_corrente = v;
  return esito_record::continua;
}

esito_record aderenza(lettura_treno& l) {
  const int32_t p = leggi_long(l.lettore);
  const int32_t a = leggi_long(l.lettore);
  if (!entra(l.m, p, kMargineRecord)) return fuori_tracciato(l.m, p);
  const int32_t t = arrotonda_long(p / 50.0);
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

// The range check bounds only the position; the signal's approach cells may
// still fall before cell 0, and such a record is refused like one past the end.
esito_record segnale(lettura_treno& l) {
  int32_t v[11];
  for (int32_t& x : v) x = leggi_long(l.lettore);
  const int32_t p = v[0];
  if (!entra(l.m, p, kMargineRecord) || !segnale_nel_tracciato(l.m, p)) {
    return fuori_tracciato(l.m, p);
  }
  memo_segnale(l.m, p, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]);
  return dopo_marcatura(l.m, p);
}

// As for signals: the end and the warning-step cells depend on more than the
// position, so a slowdown reaching outside the track is refused with code 15.
esito_record rallentamento(lettura_treno& l) {
  const int32_t x = leggi_long(l.lettore);
  int32_t v = leggi_long(l.lettore);
  int32_t lunghezza = leggi_long(l.lettore);
  int32_t f_tt = leggi_long(l.lettore);
  const int32_t f_ta = leggi_long(l.lettore);
  int32_t d_v = leggi_long(l.lettore);
  if (!entra(l.m, x, kMargineRecord) || !rallentamento_nel_tracciato(l.m, x, lunghezza, f_ta)) {
    return fuori_tracciato(l.m, x);
  }
  memo_rallentamento(l.m, x, v, lunghezza, f_tt, f_ta, d_v);
  return dopo_marcatura(l.m, x);
}

// An abbattimento point takes the cell that starts at its position, without
// the added 1 of the other markers. A negative position passes the range
// check and is refused here.
esito_record abbattimento(lettura_treno& l) {
  const int32_t p = leggi_long(l.lettore);
  const int32_t a = leggi_long(l.lettore);
  if (!entra(l.m, p, kMargineRecord)) return fuori_tracciato(l.m, p);
  const int32_t i = arrotonda_long(p / 50.0);
  if (i < 0) return fuori_tracciato(l.m, p);
  cella& c = l.m.celle[i];
  if (!cella_libera(c)) return ferma(l.m, codice::abbattimento_occupato, p);
  if (a > 0) {
    c.tipo_cella = tipo_abbattimento;
    c.dato_1 = bassi_16(a);
  } else {
    c.tipo_cella = tipo_abbattimento_senza_valore;
  }
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

esito_record stazione(lettura_treno& l) {
  return leggi_stazione(l.m, l.lettore, l.numero_stazione, l.indice_cartello);
}

struct regola {
  const char* parola;
  const char* altra_parola;  // also required when not null
  esito_record (*azione)(lettura_treno&);
};

// clang-format off
constexpr regola kRegole[] = {
    {"frenata", "massa", massa_frenata},
    {"vetture", nullptr, vetture},
    {"velocit", nullptr, velocita},
    {"aderenza", nullptr, aderenza},
    {"orologio", nullptr, orologio},
    {"sabbia", nullptr, sabbia},
    {"segnale", nullptr, segnale},
    {"rallentamento", nullptr, rallentamento},
    {"abbattimento", nullptr, abbattimento},
    {"stazione", nullptr, stazione},
};
// clang-format on

// Every rule whose words the keyword field contains runs, in table order,
// each reading its own values from the fields that follow.
esito_record applica(lettura_treno& l) {
  const std::string chiave = l.m.riga_letta;
  for (const regola& r : kRegole) {
    if (!contiene(chiave, r.parola)) continue;
    if (r.altra_parola != nullptr && !contiene(chiave, r.altra_parola)) continue;
    if (esito_record e = r.azione(l); e != esito_record::continua) return e;
  }
  return esito_record::continua;
}

// Up to two fields containing "-" before a keyword are dropped; a third is
// taken as the keyword field.
bool leggi_campo_chiave(lettura_treno& l) {
  if (!leggi_chiave(l)) return false;
  for (int i = 0; i < 2 && contiene(l.m.riga_letta, "-"); ++i) {
    if (!leggi_chiave(l)) return false;
  }
  return true;
}

// Returns how the reading ended: at the end of the text or on code 15
// (fine_lettura), or on any other stop (fermo). The last field of the text is
// never interpreted.
esito_record leggi_record(lettura_treno& l) {
  while (!l.lettore.alla_fine()) {
    if (!leggi_campo_chiave(l)) break;
    const esito_record e = applica(l);
    if (e != esito_record::continua) return e;
  }
  return esito_record::fine_lettura;
}

// The last three cells keep 0 when the fills start below them. A fill that
// piled records have already taken to the end finds nothing left to write.
void completa_riempimenti(lettura_treno& l) {
  const int32_t ultima = l.m.ultima_cella();
  riempi(l.m, l.cella_velocita, ultima - 2, ultima, scrivi_velocita(l.velocita_corrente));
  riempi(l.m, l.cella_aderenza, ultima - 2, ultima, scrivi_aderenza(l.aderenza_corrente));
}

void controlla_progressive(modello& m) {
  for (int i : {kVoceProgressivaTre, kVoceProgressivaDue, kVoceProgressivaUno}) {
    const voce_generale& e = m.dati_generali[i];
    if (e.inizio % 50 != 0 || e.fine % 50 != 0) m.codice_errore = codice::progressiva_fuori_passo;
  }
}

}  // namespace

void leggi_descrizione_treno(modello& m, FileSystem& fs, const std::string& percorso,
                             int32_t indice_cartello) {
  lettura_treno l{m, lettore_campi(fs.read(percorso)), indice_cartello};
  const esito_record esito = con_riga(l.lettore, [&l] {
    trova_generale(l);
    return leggi_record(l);
  });
  fs.remove(percorso);
  if (esito == esito_record::fermo) return;
  completa_riempimenti(l);
  controlla_progressive(m);
}

}  // namespace lorvenna
