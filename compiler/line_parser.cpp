#include "compiler/line_parser.h"

#include <limits>

#include "compiler/cell_access.h"
#include "compiler/failure.h"
#include "compiler/field_reader.h"
#include "compiler/keywords.h"
#include "compiler/line_marking.h"
#include "compiler/plan_view.h"
#include "compiler/rounding.h"
#include "compiler/typed_fields.h"

namespace lorvenna {
namespace {

// How the reading of one section ended.
enum class esito { continua, fine_sezione, stop_codice15, stop_immediato };

class lettore_linea {
 public:
  lettore_linea(modello& m, FileSystem& fs, const std::string& percorso, std::string testo)
      : m_(m), fs_(fs), percorso_(percorso), r_(std::move(testo)), piano_(m) {}

  bool leggi(int32_t& indice_cartello);

 private:
  bool leggi_record();
  bool trova_generale();
  esito sezione_generale();
  esito regola_generale();
  esito lunghezza_percorso();
  esito ripetizione_segnali();
  esito record_percorso();
  esito pendenza();
  esito curva();
  esito montagna();
  esito indicatori();
  esito cartello();
  void completa();

  bool nel_tracciato(int32_t p) const;
  esito fuori_tracciato(int32_t p);
  esito stop(codice c);
  std::string& riga() { return m_.riga_letta; }

  modello& m_;
  FileSystem& fs_;
  const std::string& percorso_;
  lettore_campi r_;
  tracciatore_planimetria piano_;
  int32_t indice_cartello_ = kPrimoCartello;
  int32_t cella_pendenza_ = 0;
  int32_t pendenza_precedente_ = 0;
};

// Ends the line half at once: the text is deleted, the train text is not read.
esito lettore_linea::stop(codice c) {
  fs_.remove(percorso_);
  m_.codice_errore = c;
  return esito::stop_immediato;
}

// A record must lie at least 100 m before the track's end. Positions below 0
// are refused in the same way, since they would address cells before the first.
bool lettore_linea::nel_tracciato(int32_t p) const {
  if (!m_.tracciato_creato()) {
    throw errore_lettura("a route record comes before the \"lunghezza percorso\" record");
  }
  return p >= 0 && entra(m_, p, kMargineRecord);
}

esito lettore_linea::fuori_tracciato(int32_t p) {
  m_.codice_errore = codice::fuori_tracciato;
  m_.posizione_errore = p;
  return esito::stop_codice15;
}

bool lettore_linea::trova_generale() {
  while (true) {
    riga() = r_.leggi_testo();
    if (r_.alla_fine()) {
      stop(codice::generale_assente);
      return false;
    }
    if (contiene(riga(), "[generale]")) return true;
  }
}

esito lettore_linea::lunghezza_percorso() {
  int32_t lunghezza = r_.leggi_numero();
  m_.dati_generali[kVoceTreno].fine = lunghezza;
  if (lunghezza > kLunghezzaMassima) return stop(codice::percorso_troppo_lungo);
  // A negative length would leave too few metres to start the plan view.
  if (lunghezza < 0) throw errore_lettura("negative route length " + std::to_string(lunghezza));
  m_.lunghezza_estesa = lunghezza + kMargineTracciato;
  m_.celle.assign(static_cast<size_t>(arrotonda_long(m_.lunghezza_estesa / 50.0)) + 1, cella{});
  if (m_.salva_linea) {
    const size_t metri = static_cast<size_t>(m_.lunghezza_estesa) + 1;
    m_.planimetria.x.assign(metri, valore_etichettato{});
    m_.planimetria.y.assign(metri, valore_etichettato{});
  }
  return esito::continua;
}

esito lettore_linea::ripetizione_segnali() {
  voce_generale& v = m_.dati_generali[kVoceRipetizione];
  v.inizio = r_.leggi_numero();
  v.fine = r_.leggi_numero();
  if (v.inizio % 50 != 0) return stop(codice::ripetizione_inizio);
  if (v.fine % 50 != 0) return stop(codice::ripetizione_fine);
  if (contiene(riga(), "4")) {
    v.posizione = 4;
  } else if (contiene(riga(), "9")) {
    v.posizione = 9;
  } else {
    return stop(codice::ripetizione_codici);
  }
  if (v.fine == 0) v.posizione = 0;
  return esito::continua;
}

// Every rule whose words the field holds runs, in this order.
esito lettore_linea::regola_generale() {
  auto& g = m_.dati_generali;
  const std::string& k = riga();
  auto esatto = [&](const char* a, const char* b) {
    return contiene_esatto(k, a) && contiene_esatto(k, b);
  };
  auto tre_numeri = [&](voce_generale& v) {
    v.inizio = r_.leggi_numero();
    v.fine = r_.leggi_numero();
    v.posizione = r_.leggi_numero();
  };

  if (contiene(k, "percorso") && contiene(k, "lunghezza")) {
    if (lunghezza_percorso() == esito::stop_immediato) return esito::stop_immediato;
  }
  if (esatto("tre", "progressiva")) tre_numeri(g[kVoceProgressivaTre]);
  if (esatto("due", "progressiva")) tre_numeri(g[kVoceProgressivaDue]);
  if (esatto("uno", "progressiva")) tre_numeri(g[kVoceProgressivaUno]);
  if (esatto("sfondo", "uno")) g[kVoceScenario].inizio = r_.leggi_numero();
  if (esatto("sfondo", "due")) g[kVoceScenario].posizione = r_.leggi_numero();
  if (esatto("sfondo", "tre")) g[kVoceScenario].fine = r_.leggi_numero();
  if (esatto("segnali", "ripetizione")) return ripetizione_segnali();
  return esito::continua;
}

esito lettore_linea::sezione_generale() {
  while (true) {
    if (r_.alla_fine()) return esito::fine_sezione;
    riga() = r_.leggi_testo();
    if (r_.alla_fine()) return esito::fine_sezione;
    for (int i = 0; i < 10; ++i) {
      if (contiene(riga(), "-")) riga() = r_.leggi_testo();
    }
    if (esito e = regola_generale(); e != esito::continua) return e;
    const std::string& k = riga();
    const size_t primo = k.find_first_not_of(" \t");
    const bool trattino = primo != std::string::npos && k[primo] == '-';
    if (!trattino && contiene(k, "[") && contiene(k, "]")) return esito::fine_sezione;
  }
}

esito lettore_linea::pendenza() {
  const int32_t p = r_.leggi_numero();
  const int32_t g = r_.leggi_numero();
  if (!nel_tracciato(p)) return fuori_tracciato(p);
  const int32_t k = arrotonda_long(p / 50.0);
  if (k > 0) {
    const auto valore = static_cast<uint8_t>(static_cast<uint32_t>(pendenza_precedente_) + 100u);
    do {
      // Records out of order push the fill ahead of the positions; it stops
      // at the last cell and refuses the record there.
      if (cella_pendenza_ > m_.ultima_cella()) return fuori_tracciato(p);
      cella_in(m_, cella_pendenza_++).pendenza = valore;
    } while (cella_pendenza_ < k);
  }
  pendenza_precedente_ = g;
  return esito::continua;
}

esito lettore_linea::curva() {
  const int32_t s = r_.leggi_numero();
  const int32_t n = r_.leggi_numero();
  if (!nel_tracciato(s)) return fuori_tracciato(s);
  // A curve running past the plan view's last metre is refused whole.
  if (int64_t{s} + n > m_.lunghezza_estesa) return fuori_tracciato(s);
  if (codice c = piano_.curva(s, n, riga()); c != codice::nessuno) return stop(c);
  return esito::continua;
}

esito lettore_linea::montagna() {
  const int32_t inizio = r_.leggi_numero();
  const int32_t fine = r_.leggi_numero();
  int32_t tipo = r_.leggi_numero();
  if (!nel_tracciato(inizio)) return fuori_tracciato(inizio);
  // A stretch reaching past the last cell, or one more than the stretch
  // arrays hold, is refused like a record beyond the track.
  if (celle_montagna(inizio, fine).ultima > m_.ultima_cella()) return fuori_tracciato(inizio);
  if (m_.numero_montagne >= kMaxMontagne) return fuori_tracciato(inizio);
  memo_montagna(m_, inizio, fine, tipo);
  return esito::continua;
}

esito lettore_linea::indicatori() {
  const int32_t p = r_.leggi_numero();
  const int32_t vas = r_.leggi_numero();
  const int32_t vbs = r_.leggi_numero();
  const int32_t vcs = r_.leggi_numero();
  const int16_t strisces = leggi_integer(r_);
  const int32_t vad = r_.leggi_numero();
  const int32_t vbd = r_.leggi_numero();
  const int32_t vcd = r_.leggi_numero();
  const int16_t strisced = leggi_integer(r_);
  if (!nel_tracciato(p)) return fuori_tracciato(p);
  memo_indicatori_v_max(m_, p, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced);
  if (m_.con_codice()) {
    m_.posizione_errore = p;
    return stop(m_.codice_errore);
  }
  return esito::continua;
}

esito lettore_linea::cartello() {
  const int32_t p = r_.leggi_numero();
  riga() = r_.leggi_testo();
  if (!nel_tracciato(p)) return fuori_tracciato(p);
  cella& c = cella_in(m_, cella_di(p));
  if (!cella_libera(c)) {
    m_.posizione_errore = p;
    return stop(codice::cartello_occupato);
  }
  // Board texts fill the general table downward from entry 80; entry 0 has
  // no role, so a board that would need it is refused like a full table.
  if (indice_cartello_ < 1) return stop(codice::voci_esaurite);
  c.tipo_cella = tipo_cartello;
  c.dato_1 = static_cast<int16_t>(indice_cartello_);
  m_.dati_generali[indice_cartello_].nome = riga();
  --indice_cartello_;
  return esito::continua;
}

esito lettore_linea::record_percorso() {
  const std::string k = riga();
  auto prosegui = [](esito e) { return e == esito::continua; };
  esito e = esito::continua;
  if (contiene(k, "pendenza")) e = pendenza();
  if (prosegui(e) && contiene(k, "curva") && m_.salva_linea) e = curva();
  if (prosegui(e) && contiene(k, "montagna")) e = montagna();
  if (prosegui(e) && contiene(k, "indicatori_v")) e = indicatori();
  if (prosegui(e) && contiene(k, "cartello") && contiene(k, "indicat")) e = cartello();
  return e;
}

void lettore_linea::completa() {
  fs_.remove(percorso_);
  const auto valore = static_cast<uint8_t>(static_cast<uint32_t>(pendenza_precedente_) + 100u);
  do {
    if (m_.tracciato_creato() && cella_pendenza_ > m_.ultima_cella()) break;
    cella_in(m_, cella_pendenza_++).pendenza = valore;  // no track at all: a reading failure
  } while (cella_pendenza_ < m_.ultima_cella() - 2);
  if (m_.salva_linea) piano_.completa();
}

// Reads up to the end of the text or a stop; false on a stop that ends the
// whole parse.
bool lettore_linea::leggi_record() {
  if (!trova_generale()) return false;
  if (sezione_generale() == esito::stop_immediato) return false;

  progressive_ordina(m_);
  m_.numero_montagne = 0;
  if (m_.salva_linea) {
    if (!m_.planimetria.creata()) {
      throw errore_lettura("no \"lunghezza percorso\" record in the general section");
    }
    piano_.inizio();
  }

  while (true) {
    if (r_.alla_fine()) break;
    riga() = r_.leggi_testo();
    if (r_.alla_fine()) break;
    bool alla_fine = false;
    for (int i = 0; i < 2 && !alla_fine; ++i) {
      if (!contiene(riga(), "-")) continue;
      riga() = r_.leggi_testo();
      alla_fine = r_.alla_fine();
    }
    if (alla_fine) break;
    esito e = record_percorso();
    if (e == esito::stop_immediato) return false;
    if (e == esito::stop_codice15) break;
  }
  return true;
}

bool lettore_linea::leggi(int32_t& indice_cartello) {
  if (!con_riga(r_, [this] { return leggi_record(); })) return false;
  completa();
  indice_cartello = indice_cartello_;
  return true;
}

}  // namespace

bool leggi_descrizione_linea(modello& m, FileSystem& fs, const std::string& percorso,
                             int32_t& indice_cartello) {
  if (!fs.exists(percorso)) {
    m.codice_errore = codice::linea_assente;
    return false;
  }
  lettore_linea lettore(m, fs, percorso, fs.read(percorso));
  return lettore.leggi(indice_cartello);
}

}  // namespace lorvenna
