#include "inspect/verify.h"

#include <algorithm>
#include <array>

#include "compiler/cell.h"
#include "compiler/compile.h"
#include "compiler/line_parser.h"
#include "compiler/scenario_codes.h"
#include "encoding/quoted.h"
#include "output/compiled_scenario.h"

namespace lorvenna {
namespace {

// The cell types a compile can leave.
constexpr std::array<uint8_t, 12> kTipiCella = {tipo_vuota,
                                                tipo_segnale,
                                                tipo_fine_rallentamento,
                                                tipo_inizio_rallentamento,
                                                tipo_avviso_rallentamento,
                                                tipo_prima_avviso,
                                                tipo_indicatori_vmax,
                                                tipo_fermata,
                                                tipo_marcatore_montagna,
                                                tipo_abbattimento,
                                                tipo_abbattimento_senza_valore,
                                                tipo_cartello};

class rapporto {
 public:
  explicit rapporto(std::ostream& out) : out_(out) {}
  void trovato(const std::string& file, const std::string& cosa) {
    // A path or a name from the files may hold control bytes: none reaches the terminal.
    out_ << senza_controlli(file) << ": " << senza_controlli(cosa) << "\n";
    ++trovati_;
  }
  // The reader's message names the file already.
  void danneggiato(const std::string& messaggio) {
    out_ << messaggio << "\n";
    ++trovati_;
  }
  int trovati() const { return trovati_; }

 private:
  std::ostream& out_;
  int trovati_ = 0;
};

std::string cella_n(size_t i) {
  return "cell " + std::to_string(i) + " (" + std::to_string(inizio_cella(i)) + " m)";
}

void verifica_celle(const modello& m, const std::string& file, rapporto& r) {
  const auto& celle = m.celle;
  for (size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    if (std::find(kTipiCella.begin(), kTipiCella.end(), c.tipo_cella) == kTipiCella.end()) {
      r.trovato(file, cella_n(i) + " has the unknown type " + std::to_string(c.tipo_cella));
    }
    if (c.tipo_cella == tipo_fermata &&
        (c.dato_1 < 1 || c.dato_1 >= kPrimoCartello || m.dati_generali[c.dato_1].nome.empty())) {
      r.trovato(file, cella_n(i) + ": its stop mark points at entry " + std::to_string(c.dato_1) +
                          ", which holds no station");
    }
    if (c.tipo_cella == tipo_cartello &&
        (c.dato_1 < 1 || c.dato_1 > kPrimoCartello || m.dati_generali[c.dato_1].nome.empty())) {
      r.trovato(file, cella_n(i) + ": its text board points at entry " + std::to_string(c.dato_1) +
                          ", which holds no text");
    }
  }
}

void verifica_segni(const modello& m, const std::string& scenario_file,
                    const std::string& treno_file, rapporto& r) {
  const voce_generale& s = m.dati_generali[kVoceScenario];
  const cella& prima = m.celle[1];
  if (s.valore_1 != kMarcaScenario) {
    r.trovato(scenario_file, "entry 85 holds the mark " + std::to_string(s.valore_1) + ", not 610");
  }
  if (prima.dato_1 != kMarcaCella) {
    r.trovato(treno_file, "cell 1 holds the mark " + std::to_string(prima.dato_1) + ", not 5121");
  }
  if (s.orario != codice_gara_st(m)) {
    r.trovato(scenario_file, "entry 85 holds the scenario code " + std::to_string(s.orario) +
                                 "; its names give " + std::to_string(codice_gara_st(m)));
  }
  if (prima.dato_2 != codice_gara_og(m)) {
    r.trovato(treno_file, "cell 1 holds the scenario code " + std::to_string(prima.dato_2) +
                              "; the names give " + std::to_string(codice_gara_og(m)));
  }
}

// Stations fill entries 1 upward; their areas must lie on the track.
void verifica_stazioni(const modello& m, const std::string& file, rapporto& r) {
  const int64_t fine_tracciato = inizio_cella(int64_t{m.ultima_cella()});
  for (int i = 1; i < kPrimoCartello && !m.dati_generali[i].nome.empty(); ++i) {
    const voce_generale& v = m.dati_generali[i];
    if (v.inizio < 0 || v.fine > fine_tracciato) {
      r.trovato(file, "entry " + std::to_string(i) + " (" + v.nome + ") runs from " +
                          std::to_string(v.inizio) + " to " + std::to_string(v.fine) +
                          " m, past the track's " + std::to_string(fine_tracciato) + " m");
    }
  }
}

void verifica_lunghezze(const modello& m, const riassunto_planimetria& p, const file_binari& f,
                        rapporto& r) {
  const int64_t lunghezza_estesa = int64_t{m.dati_generali[kVoceTreno].fine} + kMargineTracciato;
  // The track's length rounded as the line parser rounds it, halves to even.
  const auto celle_attese =
      static_cast<size_t>(cella_che_inizia_in(static_cast<double>(lunghezza_estesa))) + 1;
  if (m.celle.size() != celle_attese) {
    r.trovato(f.treno, std::to_string(m.celle.size()) + " cells; a route of " +
                           std::to_string(m.dati_generali[kVoceTreno].fine) + " m has " +
                           std::to_string(celle_attese));
  }
  if (p.metri != static_cast<size_t>(lunghezza_estesa) + 1) {
    r.trovato(f.linea, std::to_string(p.metri) + " plan-view metres; the route needs " +
                           std::to_string(lunghezza_estesa + 1));
  }
}

}  // namespace

int verifica(FileSystem& fs, const file_binari& file, const std::string& scenario,
             const std::string& treno, std::ostream& uscita) {
  rapporto r(uscita);
  modello m;
  riassunto_planimetria piano;
  try {
    m.celle = leggi_celle(fs, file.treno);
  } catch (const DamagedFileError& e) {
    r.danneggiato(e.what());
  }
  try {
    m.dati_generali = leggi_dati_generali(fs, file.scenario);
  } catch (const DamagedFileError& e) {
    r.danneggiato(e.what());
  }
  try {
    piano = leggi_planimetria(fs, file.linea).riassunto;
  } catch (const DamagedFileError& e) {
    r.danneggiato(e.what());
  }
  if (r.trovati() > 0) return 1;
  if (m.celle.size() < 2) {
    r.trovato(file.treno, "holds fewer than two cells");
    return 1;
  }
  const voce_generale& s = m.dati_generali[kVoceScenario];
  const voce_generale& t = m.dati_generali[kVoceRipetizione];
  if (s.nome != scenario) r.trovato(file.scenario, "entry 85 names the scenario " + s.nome);
  if (t.nome != treno) r.trovato(file.scenario, "entry 86 names the train " + t.nome);
  verifica_lunghezze(m, piano, file, r);
  verifica_segni(m, file.scenario, file.treno, r);
  verifica_celle(m, file.treno, r);
  verifica_stazioni(m, file.scenario, r);
  if (r.trovati() == 0) uscita << "consistent\n";
  return r.trovati() == 0 ? 0 : 1;
}

}  // namespace lorvenna
