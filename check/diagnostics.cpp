#include "check/diagnostics.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "compiler/cell.h"
#include "compiler/fault_sentences.h"
#include "encoding/windows1252.h"
#include "check/bounded_findings.h"
#include "check/source_lines.h"
#include "check/text_warnings.h"

namespace lorvenna {
namespace {

// The code's own sentence, where the record adds nothing to say; as part of
// a diagnostic it starts in lower case and has no full stop.
std::string frase(codice c) {
  std::string f(descrizione_errore(c));
  if (!f.empty()) f[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(f[0])));
  if (f.ends_with('.')) f.pop_back();
  return f;
}

std::string metri(int32_t p) { return std::to_string(p) + " m"; }

// What stands in a cell, as the author wrote it.
std::string occupante(const modello& m, int64_t indice) {
  if (indice < 0 || indice > m.ultima_cella()) return "a mark";
  switch (m.celle[static_cast<size_t>(indice)].tipo_cella) {
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

std::string preso(const modello& m, const char* cosa, int32_t p, int64_t indice) {
  return std::string(cosa) + " at " + metri(p) + " falls on a cell already taken by " +
         occupante(m, indice);
}

std::string messaggio(const modello& m, const motivo_lettura& dove) {
  // What the record's rule said of its fault, where it said more than the
  // code. A text read on a line quotes the author's fields, in the text's
  // Windows-1252; one on no line is the system's, already UTF-8.
  if (!dove.motivo.empty()) {
    return dove.riga > 0 ? windows1252_a_utf8(dove.motivo) : dove.motivo;
  }
  const int32_t p = m.posizione_errore;
  const auto& g = m.dati_generali;
  switch (m.codice_errore) {
    case codice::nessuno:
      return "";
    case codice::percorso_troppo_lungo:
      return "route length " + metri(g[kVoceTreno].fine) + " is longer than 1000000 m";
    case codice::progressiva_fuori_passo:
      return frase(m.codice_errore);
    case codice::ripetizione_inizio:
      return "signal repetition starts at " + metri(g[kVoceRipetizione].inizio) + ", off the " +
             metri_cella() + " grid";
    case codice::ripetizione_fine:
      return "signal repetition ends at " + metri(g[kVoceRipetizione].fine) + ", off the " +
             metri_cella() + " grid";
    case codice::ripetizione_codici:
      return frase(m.codice_errore);
    case codice::cartello_occupato:
      return preso(m, "text board", p, cella_di(p));
    case codice::abbattimento_occupato:
      return preso(m, "abbattimento point", p, cella_che_inizia_in(p));
    case codice::stazione_fuori_passo:
      return "station at " + metri(p) + " is off the " + metri_cella() + " grid";
    case codice::stazione_lunghezza:
      return "station at " + metri(p) + " has a length off the 100 m grid";
    case codice::voci_esaurite:
      return frase(m.codice_errore);
    case codice::punto_prima_avviso:
      return "no room for the 180-point before the signal at " + metri(p) +
             ", within 20 cells before a slowdown's warning board";
    case codice::punto_avvicinamento:
      return "no room for a 180-point on the approach to the slowdown starting at " + metri(p);
    case codice::punto_dentro_o_dopo:
      return "no room for a 180-point at " + metri(p) + ", inside a slowdown or just after it";
    case codice::fuori_tracciato:
      if (p < 0) return "record at " + metri(p) + " lies before the route's start";
      return "record at " + metri(p) + " lies beyond the track, whose last record may stand at " +
             metri(ultima_posizione_record(m.ultima_cella()));
    case codice::segnale_occupato:
      return preso(m, "signal", p, cella_di(p));
    case codice::avviso_occupato:
      return "slowdown at " + metri(p) + ": the cell of its warning board is already taken";
    case codice::inizio_occupato:
      return "slowdown at " + metri(p) + ": its start cell is already taken";
    case codice::fine_occupata:
      return "slowdown at " + metri(p) + ": its end cell is already taken";
    case codice::numerate_occupate:
      return "slowdown at " + metri(p) +
             ": one of the four cells before its warning board is already taken";
    case codice::indicatori_occupati:
      return preso(m, "speed board", p, cella_di(p));
    case codice::stazioni_vicine:
      return "station at " + metri(p) + " starts its area less than 350 m after the previous one";
    case codice::fermata_in_testa:
      return frase(m.codice_errore);
    case codice::lettura:
      return "";
    case codice::linea_assente:
      return frase(m.codice_errore);
    case codice::generale_assente:
      return frase(m.codice_errore);
    case codice::curva:
      return frase(m.codice_errore);
    case codice::marca_occupata:
    case codice::codice_scenario_occupato:
      return "";
  }
  return "";
}

// The field the finding is about, where the compile knows it; otherwise all
// of the record's line, from its first character that is not blank to its
// last.
SourceSpan record(const std::string& file, int riga, SourceLines& righe,
                  const posizione_campo& campo = {}) {
  if (campo.riga > 0) return nel_testo(file, campo);
  SourceSpan s{file, riga, 0, 0};
  const auto l = righe.line(file, riga);
  if (!l) return s;
  const size_t first = l->find_first_not_of(" \t");
  if (first == std::string_view::npos) return s;
  s.column = static_cast<int>(first) + 1;
  s.end_column = static_cast<int>(l->find_last_not_of(" \t")) + 2;
  return s;
}

Diagnostic errore(SourceSpan where, codice c, std::string message) {
  return {Severity::error,
          std::move(where),
          "codice " + std::to_string(numero(c)),
          std::move(message),
          {},
          {}};
}

constexpr const char* kDaCinquantaMetri =
    "a record that marks a cell stands from 50 m on, an `abbattimento` point at 0 m or from 100 m "
    "on";

// Cell 1 and general record 85 were taken before the fixed marks went in:
// on cell 1, the record read there is the one to blame.
Diagnostic posto_occupato(const compilazione& c, codice codice_posto, SourceLines& righe) {
  const traccia_lettura& t = c.traccia;
  const std::string di_chi = codice_posto == codice::marca_occupata
                                 ? "where the compile puts the scenario's fixed mark"
                                 : "where the compile puts the scenario's code";
  const auto su_cella_1 = [&](const std::string& testo, const posizione_campo& campo,
                              const std::string& cosa) {
    Diagnostic d = errore(record(testo, campo.riga, righe, campo), codice_posto,
                          cosa + " takes cell 1, " + di_chi);
    d.help.push_back(kDaCinquantaMetri);
    return d;
  };
  for (const occupante_cella& o : t.occupanti) {
    if (o.cella == 1) {
      return su_cella_1(o.nel_treno ? t.testo_treno : t.testo_linea, o.campo,
                        std::string("the ") + o.cosa + " here");
    }
  }
  for (const origine_marca& o : t.marche_lette) {
    if (o.prima_cella <= 1 && 1 <= o.ultima_cella) {
      return su_cella_1(t.testo_treno, o.campo, "the slowdown here");
    }
  }
  return errore({t.testo_linea, 0, 0, 0}, codice_posto, frase(codice_posto));
}

// The cell a colliding record wanted, for the codes that say a cell is
// taken; -1 for the others.
int64_t cella_contesa(const modello& m, const motivo_lettura& dove) {
  if (dove.cella_contesa >= 0) return dove.cella_contesa;
  const int32_t p = m.posizione_errore;
  switch (m.codice_errore) {
    case codice::cartello_occupato:
    case codice::segnale_occupato:
    case codice::indicatori_occupati:
      return cella_di(p);
    case codice::abbattimento_occupato:
      return cella_che_inizia_in(p);
    default:
      return -1;
  }
}

// A collision names the record that took the cell first, at its own place.
void aggiungi_note(Diagnostic& d, const modello& m, const traccia_lettura& t,
                   const motivo_lettura& dove) {
  if (m.codice_errore == codice::stazioni_vicine && !t.stazioni.empty()) {
    const posizione_campo& c = t.stazioni.back();
    d.notes.push_back(
        {nel_testo(t.testo_treno, c), "the station before it, whose area ends at " +
                                          metri(m.dati_generali[t.stazioni.size()].fine)});
    return;
  }
  const int64_t cella = cella_contesa(m, dove);
  if (cella < 0) return;
  for (auto o = t.occupanti.rbegin(); o != t.occupanti.rend(); ++o) {
    if (o->cella != cella) continue;
    const std::string& testo = o->nel_treno ? t.testo_treno : t.testo_linea;
    d.notes.push_back({nel_testo(testo, o->campo), std::string("the ") + o->cosa +
                                                       " already on that cell (cell " +
                                                       std::to_string(cella) + ")"});
    return;
  }
}

// What is allowed, in the author's words.
// What is allowed, in the author's words, where the record's rule did not
// say it itself. Every code has its line: a code added without one is a
// compiler warning here.
std::string aiuto_per(const modello& m, const motivo_lettura& dove) {
  const int32_t p = m.posizione_errore;
  const auto& g = m.dati_generali;
  switch (m.codice_errore) {
    case codice::nessuno:
      return "";
    case codice::percorso_troppo_lungo:
      return "a route is at most 1000000 m long";
    case codice::progressiva_fuori_passo:
      return "a kilometric progressive section starts and ends on the " + metri_cella() + " grid";
    case codice::ripetizione_inizio:
      return valori_vicini(g[kVoceRipetizione].inizio, kLunghezzaCella);
    case codice::ripetizione_fine:
      return valori_vicini(g[kVoceRipetizione].fine, kLunghezzaCella);
    case codice::ripetizione_codici:
      return "write \"ripetizione segnali 4 codici\" or \"ripetizione segnali 9 codici\"";
    case codice::stazione_fuori_passo:
      return valori_vicini(p, kLunghezzaCella);
    case codice::stazione_lunghezza:
      return "a station's length is a multiple of 100 m";
    case codice::voci_esaurite:
      return "stations and text boards together are at most 78: write fewer of "
             "them";
    case codice::punto_prima_avviso:
      return "the two cells before such a signal need a free one: move the record next to it, "
             "or the signal, by 100 m";
    case codice::punto_avvicinamento:
      return "the cells on a slowdown's approach need free ones: move the records standing "
             "there, or the slowdown";
    case codice::punto_dentro_o_dopo:
      return "the cells at a slowdown's end, and the two before a signal just after it, need a "
             "free one: move a record there by 100 m";
    case codice::fuori_tracciato:
      return "records may stand from 0 m to " +
             std::to_string(ultima_posizione_record(m.ultima_cella())) + " m on this route";
    case codice::cartello_occupato:
    case codice::segnale_occupato:
    case codice::indicatori_occupati:
    case codice::abbattimento_occupato:
      return "each " + metri_cella() +
             " cell holds one mark: move one of the two records to another cell";
    case codice::avviso_occupato:
    case codice::inizio_occupato:
    case codice::fine_occupata:
    case codice::numerate_occupate:
      return "a slowdown marks its start, its end and, from 1500 m on, a warning cell 1200 m "
             "before its start: move the slowdown or the record on that cell";
    case codice::stazioni_vicine:
      return "a station's area starts at least 350 m after the previous station's ends";
    case codice::fermata_in_testa:
      return "move the station further from the route's start";
    case codice::lettura:
      if (dove.motivo.find("is not a number") != std::string::npos) {
        return "a number is digits, with a leading - when negative; a blank ends it";
      }
      if (dove.motivo.starts_with("the record ends")) {
        return "write every field of the record on its line, separated by commas";
      }
      return "";
    case codice::linea_assente:
      return "`scenario-tool init DIR --scenario NAME --train NUMBER` writes a pair of texts to "
             "start from";
    case codice::generale_assente:
      return "start the text with a line `[generale]`";
    case codice::curva:
      return "a curve's keyword is `curva`, its side, s or d, and its class, 1 to 6";
    case codice::marca_occupata:
    case codice::codice_scenario_occupato:
      return kDaCinquantaMetri;
  }
  return "";
}

void aggiungi_aiuto(Diagnostic& d, const modello& m, const motivo_lettura& dove) {
  if (!dove.aiuto.empty()) {
    for (const std::string& a : dove.aiuto) d.help.push_back(windows1252_a_utf8(a));
    return;
  }
  if (std::string a = aiuto_per(m, dove); !a.empty()) d.help.push_back(std::move(a));
}

// Records past the track's end, each refused on its own. Many of them
// mean that the route's length is what is wrong: they are then told as one
// error at that length, the first of them as its note. Until the compile
// ends, they and the warnings of records past the route's end are held
// here, bounded as every finding is, to be told one by one or as one.
class oltre_la_fine {
 public:
  void nota(const modello& m, const Diagnostic& d) {
    if (m.codice_errore != codice::fuori_tracciato || m.posizione_errore < 0) return;
    // Too near the start, not past the end.
    if (m.posizione_errore <= ultima_posizione_record(m.ultima_cella())) return;
    if (quanti_++ == 0) primo_ = d.where;
    piu_lontano_ = std::max(piu_lontano_, m.posizione_errore);
  }

  // Takes `d` when it is one of those that many are told as one.
  bool trattieni(Diagnostic& d) {
    if (d.code == kAvvisoOltrePercorso) {
      if (avvisi_++ == 0) primo_avviso_ = d.where;
      avvisi_tenuti_.aggiungi(std::move(d));
      return true;
    }
    if (d.code == "codice 15" && d.message.find("beyond the track") != std::string::npos) {
      errori_tenuti_.aggiungi(std::move(d));
      return true;
    }
    return false;
  }

  void riassumi(const compilazione& c, trovate_limitate& trovate, SourceLines& righe) {
    const posizione_campo& campo = c.traccia.campo_lunghezza;
    if (campo.riga == 0 || quanti_ < kMolti) {
      trovate.aggiungi(errori_tenuti_.prendi());
      oltre_il_percorso(c, trovate, righe);
      return;
    }
    const int32_t lunghezza = c.m.dati_generali[kVoceTreno].fine;
    Diagnostic d =
        errore(record(c.traccia.testo_linea, campo.riga, righe, campo), codice::fuori_tracciato,
               "route length " + metri(lunghezza) + " leaves " + std::to_string(quanti_) +
                   " records past the track's end");
    d.notes.push_back({primo_, "the first record past the track's end"});
    d.help.push_back("the records reach " + metri(piu_lontano_) +
                     ": a route length of at least that holds them all");
    trovate.aggiungi(std::move(d));
  }

 private:
  // Records the compile takes past the route's end, on the track beyond:
  // many of them are one warning at the route's length.
  void oltre_il_percorso(const compilazione& c, trovate_limitate& trovate, SourceLines& righe) {
    const posizione_campo& campo = c.traccia.campo_lunghezza;
    if (campo.riga == 0 || avvisi_ < kMolti) {
      trovate.aggiungi(avvisi_tenuti_.prendi());
      return;
    }
    Diagnostic d{Severity::warning,
                 record(c.traccia.testo_linea, campo.riga, righe, campo),
                 kAvvisoOltrePercorso,
                 "route length " + metri(c.m.dati_generali[kVoceTreno].fine) + " leaves " +
                     std::to_string(avvisi_) +
                     " records past the route's end, on the track that runs on beyond it",
                 {},
                 {}};
    d.notes.push_back({primo_avviso_, "the first record past the route's end"});
    d.help.push_back("a route length that reaches the farthest record holds them all");
    trovate.aggiungi(std::move(d));
  }

  static constexpr int kMolti = 3;
  int quanti_ = 0;
  SourceSpan primo_;
  int32_t piu_lontano_ = 0;
  int avvisi_ = 0;
  SourceSpan primo_avviso_;
  trovate_limitate errori_tenuti_;
  trovate_limitate avvisi_tenuti_;
};

std::vector<Diagnostic> dal_risultato(const compilazione& c, const testi_sorgente& testi,
                                      SourceLines& righe) {
  std::vector<Diagnostic> trovate;
  const modello& m = c.m;
  if (m.con_codice()) {
    const motivo_lettura& dove = c.traccia.motivo;
    Diagnostic d = errore(record(dove.testo, dove.riga, righe, dove.campo), m.codice_errore,
                          messaggio(m, dove));
    aggiungi_note(d, m, c.traccia, dove);
    aggiungi_aiuto(d, m, dove);
    if (m.codice_errore == codice::generale_assente && testi.contains(dove.testo)) {
      if (auto quasi = quasi_generale(dove.testo, testi.at(dove.testo))) {
        d.where = *quasi;
        d.help = {"did you mean `[generale]`?"};
      }
    }
    trovate.push_back(std::move(d));
  }
  if (c.esito == esito_compilazione::errore_1250) {
    trovate.push_back(posto_occupato(c, codice::marca_occupata, righe));
  }
  if (c.esito == esito_compilazione::errore_1251) {
    trovate.push_back(posto_occupato(c, codice::codice_scenario_occupato, righe));
  }
  return trovate;
}

// Where the reference says more: the code's number, or the warning's class.
std::string rimando(const Diagnostic& d) {
  const std::string argomento = d.code.starts_with("codice ") ? d.code.substr(7) : d.code;
  return "`scenario-tool explain " + argomento + "` says more";
}

}  // namespace

std::vector<Diagnostic> controlla_testi(const compilazione& c, const testi_sorgente& testi) {
  SourceLines righe(testi);
  return dal_risultato(c, testi, righe);
}

std::vector<Diagnostic> controlla_scenario(FileSystem& fs, richiesta_compilazione r,
                                           const testi_sorgente& testi) {
  return controlla_e_compila(fs, std::move(r), testi).trovate;
}

scenario_controllato controlla_e_compila(FileSystem& fs, richiesta_compilazione r,
                                         const testi_sorgente& testi) {
  // Bounded as they are found: a text that repeats one mistake a million
  // times holds a few dozen findings, never a million.
  trovate_limitate trovate;
  SourceLines righe(testi);
  oltre_la_fine oltre;
  r.recupero.avviso = [&](Diagnostic d) {
    if (!oltre.trattieni(d)) trovate.aggiungi(std::move(d));
  };
  r.recupero.guasto = [&](const modello& m, const traccia_lettura& t, const motivo_lettura& dove) {
    Diagnostic d = errore(record(dove.testo, dove.riga, righe, dove.campo), m.codice_errore,
                          messaggio(m, dove));
    aggiungi_note(d, m, t, dove);
    aggiungi_aiuto(d, m, dove);
    oltre.nota(m, d);
    if (!oltre.trattieni(d)) trovate.aggiungi(std::move(d));
  };
  compilazione c = compila(r, fs);
  oltre.riassumi(c, trovate, righe);
  trovate.aggiungi(dal_risultato(c, testi, righe));
  for (const auto& [t, b] : testi) trovate.aggiungi(avvisi_del_testo(t, b));
  std::vector<Diagnostic> tutte = trovate.prendi();
  for (Diagnostic& d : tutte) d.help.push_back(rimando(d));
  return {std::move(c), std::move(tutte)};
}

std::vector<Diagnostic> secondo_le_opzioni(std::vector<Diagnostic> d,
                                           const std::vector<std::string>& senza_avvisi,
                                           bool avvisi_come_errori) {
  std::erase_if(d, [&](const Diagnostic& x) {
    return x.severity == Severity::warning &&
           std::find(senza_avvisi.begin(), senza_avvisi.end(), x.code) != senza_avvisi.end();
  });
  if (avvisi_come_errori) {
    for (Diagnostic& x : d) x.severity = Severity::error;
  }
  return d;
}

bool con_errori(const std::vector<Diagnostic>& d) {
  return std::any_of(d.begin(), d.end(),
                     [](const Diagnostic& x) { return x.severity == Severity::error; });
}

}  // namespace lorvenna
