#include "check/diagnostics.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "check/bounded_findings.h"
#include "check/source_lines.h"
#include "check/text_warnings.h"
#include "compiler/cell.h"
#include "compiler/fault_catalogue.h"
#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

std::string metri(int32_t p) { return std::to_string(p) + " m"; }

std::string messaggio(const modello& m, const motivo_lettura& dove) {
  // What the record's rule said of its fault, where it said more than the
  // code. A text read on a line quotes the author's fields, in the text's
  // Windows-1252; one on no line is the system's, already UTF-8.
  if (!dove.motivo.empty()) {
    return dove.riga > 0 ? windows1252_a_utf8(dove.motivo) : dove.motivo;
  }
  return messaggio_autore(m.codice_errore, m.valori_errore);
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
  return {Severity::error, std::move(where), nome_codice(c), std::move(message), {}, {}};
}

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
    d.help.push_back(aiuto_autore(codice_posto, {}));
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
  return errore({t.testo_linea, 0, 0, 0}, codice_posto, messaggio_autore(codice_posto, {}));
}

// The cell a colliding record wanted, where the rule said it; -1 for the
// faults that are no collision.
int64_t cella_contesa(const modello& m, const motivo_lettura& dove) {
  if (dove.cella_contesa >= 0) return dove.cella_contesa;
  return m.valori_errore.cella;
}

tipo_guasto tipo_di(const modello& m) {
  const voce_guasto* v = voce_di(m.codice_errore);
  return v != nullptr ? v->tipo : tipo_guasto::nessuno;
}

// A collision names the record that took the cell first, at its own place.
void aggiungi_note(Diagnostic& d, const modello& m, const traccia_lettura& t,
                   const motivo_lettura& dove) {
  if (tipo_di(m) == tipo_guasto::troppo_vicine && !t.stazioni.empty()) {
    const posizione_campo& c = t.stazioni.back();
    d.notes.push_back(
        {nel_testo(t.testo_treno, c), "the station before it, whose area ends at " +
                                          metri(static_cast<int32_t>(m.valori_errore.valore))});
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

void aggiungi_aiuto(Diagnostic& d, const modello& m, const motivo_lettura& dove) {
  if (!dove.aiuto.empty()) {
    for (const std::string& a : dove.aiuto) d.help.push_back(windows1252_a_utf8(a));
    return;
  }
  if (std::string a = aiuto_autore(m.codice_errore, m.valori_errore); !a.empty()) {
    d.help.push_back(std::move(a));
  }
}

// Records past the track's end, each refused on its own. Many of them
// mean that the route's length is what is wrong: they are then told as one
// error at that length, the first of them as its note. Until the compile
// ends, they and the warnings of records past the route's end are held
// here, bounded as every finding is, to be told one by one or as one.
class oltre_la_fine {
 public:
  // Takes the error `d` when it is a record beyond the track, said by the
  // code alone: one of those that many are told as one.
  bool trattieni(const modello& m, const motivo_lettura& dove, Diagnostic& d) {
    const valori_guasto& v = m.valori_errore;
    if (tipo_di(m) != tipo_guasto::oltre_tracciato || v.posizione < 0) return false;
    // Past the end, not too near it: the route's length may be what is wrong.
    if (v.posizione > v.limite) {
      if (quanti_++ == 0) primo_ = d.where;
      piu_lontano_ = std::max(piu_lontano_, v.posizione);
    }
    if (!dove.motivo.empty()) return false;
    errori_tenuti_.aggiungi(std::move(d));
    return true;
  }

  // Takes the warning `d` when it is one of those that many are told as one.
  bool trattieni(Diagnostic& d) {
    if (d.code != kAvvisoOltrePercorso) return false;
    if (avvisi_++ == 0) primo_avviso_ = d.where;
    avvisi_tenuti_.aggiungi(std::move(d));
    return true;
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
    if (tipo_di(m) == tipo_guasto::sezione_assente && testi.contains(dove.testo)) {
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
  const std::optional<int32_t> n = numero_nominato(d.code);
  const std::string argomento = n ? std::to_string(*n) : d.code;
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
    if (!oltre.trattieni(m, dove, d)) trovate.aggiungi(std::move(d));
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
