#include "compiler/line_parser.h"

#include "compiler/cell.h"
#include "compiler/cell_access.h"
#include "compiler/failure.h"
#include "compiler/fault_catalogue.h"
#include "compiler/field_reader.h"
#include "compiler/keywords.h"
#include "compiler/line_marking.h"
#include "compiler/plan_view.h"
#include "compiler/record_catalogue.h"
#include "compiler/record_fields.h"
#include "compiler/record_rules.h"
#include "compiler/recovery.h"
#include "compiler/text_limit.h"
#include "compiler/typed_fields.h"
#include "encoding/quoted.h"

namespace lorvenna {
namespace {

struct lettura_linea {
  lettura_linea(modello& modello_letto, traccia_lettura& traccia, std::string testo,
                const std::string& percorso_testo, bool con_planimetria)
      : m(modello_letto),
        t(traccia),
        lettore(std::move(testo)),
        piano(modello_letto),
        percorso(percorso_testo),
        salva_linea(con_planimetria) {}

  modello& m;
  traccia_lettura& t;
  lettore_campi lettore;
  std::string campo;  // the last field read as text
  tracciatore_planimetria piano;
  int32_t indice_cartello = kPrimoCartello;
  int32_t cella_pendenza = 0;
  int32_t pendenza_precedente = 0;
  tratti_montagna tratti;
  const std::string& percorso;
  bool salva_linea;  // the plan view is drawn only for a line file
  const ascolta_guasti* recupero = nullptr;
  stato_controlli controlli;
  // A check's note of a general-section field nearest to "lunghezza
  // percorso", which the route's length most likely was meant to be.
  std::string quasi_lunghezza;
  posizione_campo campo_quasi_lunghezza;
};

// The rules for the field last read; a code they leave points the author at
// that field's line.
template <size_t N>
esito_record applica_a_riga(const regola<lettura_linea> (&regole)[N], lettura_linea& l) {
  const int riga = l.lettore.riga();
  l.lettore.inizia_record();
  const esito_record e = applica(regole, l.campo, l);
  if (e != esito_record::continua && l.m.con_codice()) {
    l.t.motivo = record_in_errore(l.percorso, riga, l.lettore, l.t.spiegata);
  } else if (e == esito_record::continua && l.recupero != nullptr) {
    controlla_record(*l.recupero, regole, l.campo, l.lettore, l.m, l.percorso, l.controlli);
  }
  return e;
}

// A record must lie at least 100 m before the track's end. Positions below 0
// are refused in the same way, since they would address cells before the first.
bool nel_tracciato(const modello& m, int32_t p) {
  if (!m.tracciato_creato()) {
    throw errore_lettura("a route record comes before the \"lunghezza percorso\" record");
  }
  return p >= 0 && entra(m, p, kMargineRecord);
}

uint8_t valore_pendenza(int32_t pendenza) {
  return static_cast<uint8_t>(static_cast<uint32_t>(pendenza) + 100u);
}

// General section.

esito_record lunghezza_percorso(lettura_linea& l) {
  modello& m = l.m;
  const int32_t lunghezza = l.lettore.leggi_numero();
  l.t.campo_lunghezza = l.lettore.ultimo_campo();
  m.dati_generali[kVoceTreno].fine = lunghezza;
  if (lunghezza > kLunghezzaMassima) {
    m.valori_errore.valore = lunghezza;
    m.valori_errore.limite = kLunghezzaMassima;
    return ferma(m, codice::percorso_troppo_lungo);
  }
  // A negative length would leave too few metres to start the plan view.
  if (lunghezza < 0) throw errore_lettura("negative route length " + std::to_string(lunghezza));
  m.lunghezza_estesa = lunghezza + kMargineTracciato;
  m.celle.assign(static_cast<size_t>(cella_che_inizia_in(m.lunghezza_estesa)) + 1, cella{});
  if (l.salva_linea) m.planimetria.crea(m.lunghezza_estesa);
  return esito_record::continua;
}

template <int Voce>
esito_record progressiva(lettura_linea& l) {
  voce_generale& v = l.m.dati_generali[Voce];
  v.inizio = l.lettore.leggi_numero();
  v.fine = l.lettore.leggi_numero();
  v.posizione = l.lettore.leggi_numero();
  l.t.progressive.push_back(
      {Voce, v.inizio, v.fine, l.lettore.campo_del_record(1), l.lettore.campo_del_record(2)});
  return esito_record::continua;
}

template <int32_t voce_generale::*Campo>
esito_record sfondo(lettura_linea& l) {
  l.m.dati_generali[kVoceScenario].*Campo = l.lettore.leggi_numero();
  return esito_record::continua;
}

esito_record ripetizione_segnali(lettura_linea& l) {
  voce_generale& v = l.m.dati_generali[kVoceRipetizione];
  v.inizio = l.lettore.leggi_numero();
  v.fine = l.lettore.leggi_numero();
  if (!sulla_griglia(v.inizio)) {
    l.m.valori_errore.valore = v.inizio;
    return ferma(l.m, codice::ripetizione_inizio);
  }
  if (!sulla_griglia(v.fine)) {
    l.t.spiegata.campo = 2;
    l.m.valori_errore.valore = v.fine;
    return ferma(l.m, codice::ripetizione_fine);
  }
  if (contiene(l.campo, "4")) {
    v.posizione = 4;
  } else if (contiene(l.campo, "9")) {
    v.posizione = 9;
  } else {
    l.t.spiegata = {0,
                    "the keyword names neither 4 nor 9 codes",
                    {aiuto_autore(codice::ripetizione_codici, l.m.valori_errore)}};
    return ferma(l.m, codice::ripetizione_codici);
  }
  if (v.fine == 0) v.posizione = 0;
  return esito_record::continua;
}

using tv = tipo_valore;
constexpr campo_record kCampiLunghezza[] = {{"length"}};
constexpr campo_record kCampiProgressiva[] = {
    {"start", tv::metri}, {"end", tv::metri, false, true}, {"flag"}};
constexpr campo_record kCampiSfondo[] = {{"value"}};
constexpr campo_record kCampiRipetizione[] = {{"start", tv::metri},
                                              {"end", tv::metri, false, true}};

// clang-format off
constexpr regola<lettura_linea> kRegoleGenerali[] = {
    {"percorso", "lunghezza", lunghezza_percorso, false, "lunghezza percorso", kCampiLunghezza},
    {"tre", "progressiva", progressiva<kVoceProgressivaTre>, true, "progressiva chilometrica tre", kCampiProgressiva},
    {"due", "progressiva", progressiva<kVoceProgressivaDue>, true, "progressiva chilometrica due", kCampiProgressiva},
    {"uno", "progressiva", progressiva<kVoceProgressivaUno>, true, "progressiva chilometrica uno", kCampiProgressiva},
    {"sfondo", "uno", sfondo<&voce_generale::inizio>, true, "sfondo uno", kCampiSfondo},
    {"sfondo", "due", sfondo<&voce_generale::posizione>, true, "sfondo due", kCampiSfondo},
    {"sfondo", "tre", sfondo<&voce_generale::fine>, true, "sfondo tre", kCampiSfondo},
    {"segnali", "ripetizione", ripetizione_segnali, true, "ripetizione segnali 4 codici", kCampiRipetizione},
};
// clang-format on

// A field that does not begin with "-" and holds both brackets, usually the
// next section's header, ends the general section.
bool intestazione(const std::string& campo) {
  const size_t primo = campo.find_first_not_of(" \t");
  const bool trattino = primo != std::string::npos && campo[primo] == '-';
  return !trattino && contiene(campo, "[") && contiene(campo, "]");
}

// While a check listens, a general-section field that names no record is
// told; one meant as the route's length, while there is none yet, is kept
// for the fault it leads to.
bool generale_ignota(lettura_linea& l) {
  if (!l.recupero->avviso || intestazione(l.campo)) return false;
  if (!l.m.tracciato_creato() && !riconosciuta(kRegoleGenerali, l.campo) &&
      piu_vicina(kRegoleGenerali, l.campo) == nome_di(kRegoleGenerali[0])) {
    l.quasi_lunghezza = l.campo;
    l.campo_quasi_lunghezza = l.lettore.ultimo_campo();
    l.lettore.salta_riga();
    return true;
  }
  return parola_ignota(*l.recupero, kRegoleGenerali, l.campo, l.lettore, l.percorso);
}

esito_record sezione_generale(lettura_linea& l) {
  while (true) {
    if (l.lettore.alla_fine()) return esito_record::continua;
    l.campo = l.lettore.leggi_testo();
    if (l.lettore.alla_fine()) return esito_record::continua;
    salta_trattini(l.lettore, l.campo, 10, false);
    if (generale_ignota(l)) continue;
    controlla_parola(*l.recupero, kRegoleGenerali, l.campo, l.lettore, l.percorso);
    const esito_record e = con_recupero(*l.recupero, l.m, l.t, l.lettore, l.percorso,
                                        [&l] { return applica_a_riga(kRegoleGenerali, l); });
    if (e != esito_record::continua) return e;
    if (intestazione(l.campo)) return esito_record::continua;
  }
}

// Route records.

esito_record pendenza(lettura_linea& l) {
  const int32_t p = l.lettore.leggi_numero();
  const int32_t g = l.lettore.leggi_numero();
  if (!nel_tracciato(l.m, p)) return fuori_tracciato(l.m, p);
  const int32_t k = cella_che_inizia_in(p);
  if (k > 0) {
    const uint8_t valore = valore_pendenza(l.pendenza_precedente);
    do {
      // Records out of order push the fill ahead of the positions; it stops
      // at the last cell and refuses the record there.
      if (l.cella_pendenza > l.m.ultima_cella()) return fuori_tracciato(l.m, p);
      cella_in(l.m, l.cella_pendenza++).pendenza = valore;
    } while (l.cella_pendenza < k);
  }
  l.pendenza_precedente = g;
  return esito_record::continua;
}

// Curves shape the plan view only, which exists only when the line file is due.
esito_record curva(lettura_linea& l) {
  if (!l.salva_linea) {
    // A check reads the fields all the same, to look at them.
    if (l.recupero != nullptr && *l.recupero) {
      l.lettore.leggi_numero();
      l.lettore.leggi_numero();
    }
    return esito_record::continua;
  }
  const int32_t s = l.lettore.leggi_numero();
  const int32_t n = l.lettore.leggi_numero();
  if (!nel_tracciato(l.m, s)) return fuori_tracciato(l.m, s);
  const codice c = l.piano.curva(s, n, l.campo);
  if (c == codice::fuori_tracciato) return fuori_tracciato(l.m, s);
  if (c == codice::curva) {
    l.t.spiegata = {
        0,
        citato(l.campo) + " names no curve",
        {"a curve's keyword is `curva`, its side, s (left) or d (right), and its class, "
         "1 to 6: curvas1 to curvad6"}};
  }
  if (c != codice::nessuno) return ferma(l.m, c);
  return esito_record::continua;
}

esito_record montagna(lettura_linea& l) {
  const int32_t inizio = l.lettore.leggi_numero();
  const int32_t fine = l.lettore.leggi_numero();
  const int32_t tipo = l.lettore.leggi_numero();
  if (!nel_tracciato(l.m, inizio)) return fuori_tracciato(l.m, inizio);
  // A stretch reaching past the last cell, or one more than a line holds, is
  // refused like a record beyond the track.
  if (celle_montagna(inizio, fine).ultima > l.m.ultima_cella()) {
    return fuori_tracciato(l.m, inizio);
  }
  if (l.tratti.numero >= kMaxMontagne) return fuori_tracciato(l.m, inizio);
  memo_montagna(l.m, l.tratti, inizio, fine, tipo);
  return esito_record::continua;
}

// The field of a speed board whose value its codes cannot hold: the speed
// of side s weighs twenty times that of side d; then the stripes.
size_t campo_troppo_grande(const indicatori_letti& v) {
  constexpr int32_t kVelocitaMassima = 1635;
  const int32_t lati_s[] = {v.vas, v.vbs, v.vcs};
  for (size_t i = 0; i < 3; ++i) {
    if (lati_s[i] > kVelocitaMassima || lati_s[i] < -kVelocitaMassima) return 2 + i;
  }
  const int32_t lati_d[] = {v.vad, v.vbd, v.vcd};
  for (size_t i = 0; i < 3; ++i) {
    if (lati_d[i] > kVelocitaMassima || lati_d[i] < -kVelocitaMassima) return 6 + i;
  }
  return 5;
}

esito_record indicatori(lettura_linea& l) {
  indicatori_letti v{};
  v.posizione = l.lettore.leggi_numero();
  v.vas = l.lettore.leggi_numero();
  v.vbs = l.lettore.leggi_numero();
  v.vcs = l.lettore.leggi_numero();
  v.strisces = leggi_integer(l.lettore);
  v.vad = l.lettore.leggi_numero();
  v.vbd = l.lettore.leggi_numero();
  v.vcd = l.lettore.leggi_numero();
  v.strisced = leggi_integer(l.lettore);
  if (!nel_tracciato(l.m, v.posizione)) return fuori_tracciato(l.m, v.posizione);
  try {
    memo_indicatori_v_max(l.m, v);
  } catch (errore_lettura& e) {
    // Found once every field is read; told at the speed it is about.
    e.colloca(l.lettore.campo_del_record(campo_troppo_grande(v)));
    throw;
  }
  if (!l.m.con_codice()) {
    l.t.occupanti.push_back(
        {cella_di(v.posizione), "speed board", false, campo_posizione(l.lettore)});
  }
  return dopo_marcatura(l.m, v.posizione);
}

esito_record cartello(lettura_linea& l) {
  const int32_t p = l.lettore.leggi_numero();
  std::string testo = l.lettore.leggi_testo();
  if (!nel_tracciato(l.m, p)) return fuori_tracciato(l.m, p);
  const int32_t indice = cella_di(p);
  cella& c = cella_in(l.m, indice);
  if (!cella_libera(c)) {
    cella_presa(l.m, codice::cartello_occupato, indice);
    return ferma(l.m, codice::cartello_occupato, p);
  }
  // Board texts fill the general table downward from entry 80; entry 0 has
  // no role, so a board that would need it is refused like a full table.
  if (l.indice_cartello < 1) {
    l.m.valori_errore.limite = kMassimoStazioniECartelli;
    return ferma(l.m, codice::voci_esaurite);
  }
  c.tipo_cella = tipo_cartello;
  c.dato_1 = static_cast<int16_t>(l.indice_cartello);
  l.m.dati_generali[l.indice_cartello].nome = std::move(testo);
  --l.indice_cartello;
  l.t.occupanti.push_back({cella_di(p), "text board", false, campo_posizione(l.lettore)});
  return esito_record::continua;
}

constexpr campo_record kCampiPendenza[] = {{"position", tv::posizione, true},
                                           {"gradient", tv::pendenza}};
constexpr campo_record kCampiCurva[] = {{"start", tv::metri, true}, {"length", tv::lunghezza}};
constexpr campo_record kCampiMontagna[] = {
    {"start", tv::posizione}, {"end", tv::posizione, false, true}, {"type", tv::tipo_montagna}};
constexpr campo_record kCampiIndicatori[] = {
    {"position", tv::posizione},    {"vas", tv::velocita_cartello}, {"vbs", tv::velocita_cartello},
    {"vcs", tv::velocita_cartello}, {"strisces", tv::strisce},      {"vad", tv::velocita_cartello},
    {"vbd", tv::velocita_cartello}, {"vcd", tv::velocita_cartello}, {"strisced", tv::strisce}};
constexpr campo_record kCampiCartello[] = {{"position", tv::posizione}, {"text", tv::testo}};

// clang-format off
constexpr regola<lettura_linea> kRegolePercorso[] = {
    {"pendenza", {}, pendenza, false, {}, kCampiPendenza},
    {"curva", {}, curva, false, {}, kCampiCurva},
    {"montagna", {}, montagna, false, {}, kCampiMontagna},
    {"indicatori_v", {}, indicatori, false, "indicatori_vmax", kCampiIndicatori},
    {"cartello", "indicat", cartello, false, "cartello_indicatore", kCampiCartello},
};
// clang-format on

// Between the sections the progressive sections are put in order and the
// plan view gets its first two metres.
void tra_le_sezioni(lettura_linea& l) {
  if (!l.quasi_lunghezza.empty()) {
    const std::string nome(nome_di(kRegoleGenerali[0]));
    if (!l.m.tracciato_creato()) {
      throw errore_lettura(citato(l.quasi_lunghezza) + " is not \"" + nome +
                               "\": the general section gives no route length",
                           l.campo_quasi_lunghezza);
    }
    l.recupero->avviso({Severity::warning,
                        nel_testo(l.percorso, l.campo_quasi_lunghezza),
                        kAvvisoParolaIgnota,
                        citato(l.quasi_lunghezza) + " names no record: the compile passes over it",
                        {},
                        {"did you mean `" + nome + "`?"}});
  }
  progressive_ordina(l.m);
  if (!l.salva_linea) return;
  if (!l.m.planimetria.creata()) {
    throw errore_lettura("no \"lunghezza percorso\" record in the general section");
  }
  l.piano.inizio();
}

// Returns how the reading ended: at the end of the text or on code 15
// (fine_lettura), or on any other stop (fermo). The last field of the text is
// never interpreted.
esito_record leggi_record(lettura_linea& l) {
  if (!trova_generale(l.lettore, l.campo)) {
    l.t.motivo = {l.percorso, 0, "", {}, {}, {}};
    return ferma(l.m, codice::generale_assente);
  }
  if (sezione_generale(l) == esito_record::fermo) return esito_record::fermo;
  // A check that told the route length's own fault has nothing to lay the
  // route records on, and nothing more to tell of them.
  if (*l.recupero && !l.m.tracciato_creato() && l.t.campo_lunghezza.riga > 0) {
    return esito_record::fermo;
  }
  tra_le_sezioni(l);
  while (!l.lettore.alla_fine()) {
    l.campo = l.lettore.leggi_testo();
    if (l.lettore.alla_fine()) break;
    if (!salta_trattini(l.lettore, l.campo, 2, true)) break;
    if (parola_ignota(*l.recupero, kRegolePercorso, l.campo, l.lettore, l.percorso)) continue;
    controlla_parola(*l.recupero, kRegolePercorso, l.campo, l.lettore, l.percorso);
    const esito_record e = con_recupero(*l.recupero, l.m, l.t, l.lettore, l.percorso,
                                        [&l] { return applica_a_riga(kRegolePercorso, l); });
    if (e != esito_record::continua) return e;
  }
  return esito_record::fine_lettura;
}

// The gradient fill runs on to two cells before the last (at least one cell
// is written); the plan view runs straight to its end.
void completa(lettura_linea& l) {
  const uint8_t valore = valore_pendenza(l.pendenza_precedente);
  do {
    if (l.m.tracciato_creato() && l.cella_pendenza > l.m.ultima_cella()) break;
    cella_in(l.m, l.cella_pendenza++).pendenza = valore;  // no track at all: a reading failure
  } while (l.cella_pendenza < l.m.ultima_cella() - 2);
  if (l.salva_linea) l.piano.completa();
}

}  // namespace

std::vector<record_noto> record_della_linea() {
  std::vector<record_noto> r;
  for (const auto& g : kRegoleGenerali) r.push_back({nome_di(g), g.campi});
  for (const auto& g : kRegolePercorso) r.push_back({nome_di(g), g.campi});
  return r;
}

std::optional<record_noto> record_della_linea_per(const std::string& campo) {
  if (const auto* g = prima_regola(kRegoleGenerali, campo))
    return record_noto{nome_di(*g), g->campi};
  if (const auto* g = prima_regola(kRegolePercorso, campo))
    return record_noto{nome_di(*g), g->campi};
  return std::nullopt;
}

bool leggi_descrizione_linea(modello& m, traccia_lettura& t, FileSystem& fs,
                             const std::string& percorso, int32_t& indice_cartello,
                             bool salva_linea, const ascolta_guasti& recupero) {
  if (!fs.exists(percorso)) {
    m.codice_errore = codice::linea_assente;
    t.motivo = {percorso, 0, "", {}, {}, {}};
    return false;
  }
  t.testo_linea = percorso;
  lettura_linea l(m, t, fs.read(percorso, kLimiteTesto), percorso, salva_linea);
  l.recupero = &recupero;
  const esito_record esito =
      leggi_tutto(recupero, l.lettore, percorso, [&l] { return leggi_record(l); });
  fs.remove(percorso);
  if (esito == esito_record::fermo) return false;
  completa(l);
  indice_cartello = l.indice_cartello;
  return true;
}

}  // namespace lorvenna
