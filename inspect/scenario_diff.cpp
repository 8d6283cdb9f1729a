#include "inspect/scenario_diff.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "check/author_units.h"
#include "compiler/cell.h"
#include "encoding/quoted.h"
#include "encoding/windows1252.h"
#include "output/compiled_scenario.h"
#include "output/layouts.h"

namespace lorvenna {
namespace {

// A record's fields by name and stored value, from the shared layouts.
struct campo {
  const char* nome;
  int64_t valore;
  std::string testo;  // for a text field
};

class campi {
 public:
  void u8(const char* nome, uint8_t v) { elenco_.push_back({nome, v, {}}); }
  void i16(const char* nome, int16_t v) { elenco_.push_back({nome, v, {}}); }
  void i32(const char* nome, int32_t v) { elenco_.push_back({nome, v, {}}); }
  void testo(const char* nome, const std::string& v) {
    elenco_.push_back({nome, 0, "\"" + senza_controlli(windows1252_a_utf8(v)) + "\""});
  }
  std::vector<campo> elenco_;
};

std::vector<campo> campi_di(const cella& c) {
  campi v;
  campi_cella(v, c);
  return std::move(v.elenco_);
}

std::vector<campo> campi_di(const voce_generale& e) {
  campi v;
  campi_voce(v, e);
  return std::move(v.elenco_);
}

std::string stringa(const campo& c) { return c.testo.empty() ? std::to_string(c.valore) : c.testo; }

bool uguali(const campo& a, const campo& b) { return a.valore == b.valore && a.testo == b.testo; }

std::string metri(int64_t m) { return std::to_string(m) + " m"; }

// A stored value as an author writes it, where the two differ.
std::string in_unita(std::string_view nome, int64_t v) {
  if (nome == "pendenza") return std::to_string(pendenza_permille(static_cast<uint8_t>(v)));
  if (nome == "velocita_linea") return std::to_string(velocita_kmh(static_cast<uint8_t>(v)));
  if (nome == "orario") return orario_hms(static_cast<int32_t>(v));
  return "";
}

std::string unita(std::string_view nome) {
  if (nome == "pendenza") return " per mille";
  if (nome == "velocita_linea") return " km/h";
  return "";
}

// "pendenza 112 -> 95 (12 -> -5 per mille)"; a speed board's codes also
// read as speeds, left/right.
std::string cambio(const campo& a, const campo& b, uint8_t tipo_a, uint8_t tipo_b) {
  std::string s = std::string(a.nome) + " " + stringa(a) + " -> " + stringa(b);
  const std::string ua = in_unita(a.nome, a.valore), ub = in_unita(a.nome, b.valore);
  if (!ua.empty()) return s + " (" + ua + " -> " + ub + unita(a.nome) + ")";
  const std::string_view nome = a.nome;
  const bool velocita = nome == "dato_1" || nome == "dato_2" || nome == "dato_3";
  if (velocita && tipo_a == tipo_indicatori_vmax && tipo_b == tipo_indicatori_vmax) {
    const velocita_cartello va = decodifica_velocita(static_cast<int16_t>(a.valore));
    const velocita_cartello vb = decodifica_velocita(static_cast<int16_t>(b.valore));
    s += " (" + std::to_string(va.sinistra_kmh) + "/" + std::to_string(va.destra_kmh) + " -> " +
         std::to_string(vb.sinistra_kmh) + "/" + std::to_string(vb.destra_kmh) + " km/h)";
  }
  return s;
}

class differenze {
 public:
  differenze(size_t limite, std::ostream& out) : limite_(limite), out_(out) {}
  void riga(const std::string& testo) {
    if (limite_ == 0 || righe_ < limite_) out_ << testo << "\n";
    ++righe_;
  }
  void chiudi() {
    if (limite_ != 0 && righe_ > limite_) {
      out_ << "... and " << righe_ - limite_ << " more (--all shows them)\n";
    }
  }
  size_t righe() const { return righe_; }

 private:
  size_t limite_;
  std::ostream& out_;
  size_t righe_ = 0;
};

std::string voce_di(int i, const voce_generale& v) {
  std::string chi = "entry " + std::to_string(i);
  if (!v.nome.empty()) chi += " (" + senza_controlli(windows1252_a_utf8(v.nome)) + ")";
  return chi;
}

void confronta_voci(const scenario_compilato& a, const scenario_compilato& b, differenze& d) {
  for (int i = 0; i < kNumeroVoci; ++i) {
    const auto ca = campi_di(a.dati_generali[i]);
    const auto cb = campi_di(b.dati_generali[i]);
    std::string cambi;
    for (size_t f = 0; f < ca.size(); ++f) {
      if (uguali(ca[f], cb[f])) continue;
      cambi += (cambi.empty() ? "" : ", ") + cambio(ca[f], cb[f], 0, 0);
    }
    if (!cambi.empty()) d.riga(voce_di(i, a.dati_generali[i]) + ": " + cambi);
  }
}

// One change over a run of consecutive cells.
struct tratto {
  size_t prima, ultima;
  int gruppo;  // the order of the first field changed
  std::string cambio;
};

// The fields of what stands in a cell; the rest (approach code, gradient,
// speed, adhesion, montagna) describe the track and change on their own.
bool della_marca(std::string_view nome) {
  return nome == "tipo_cella" || nome.starts_with("dato_") || nome == "tempo_segnale";
}

// A mark's fields change together and show on one line per cell; every
// other field folds on its own, over consecutive cells with the same
// change: "cells 0-2165 (0-108250 m): aderenza 100 -> 0".
void confronta_celle(const scenario_compilato& a, const scenario_compilato& b, differenze& d) {
  const size_t n = std::min(a.celle.size(), b.celle.size());
  std::vector<std::vector<tratto>> per_gruppo(campi_di(cella{}).size());
  for (size_t i = 0; i < n; ++i) {
    const cella& x = a.celle[i];
    const cella& y = b.celle[i];
    const auto ca = campi_di(x);
    const auto cb = campi_di(y);
    std::string marca;
    for (size_t f = 0; f < ca.size(); ++f) {
      if (uguali(ca[f], cb[f])) continue;
      const std::string c = cambio(ca[f], cb[f], x.tipo_cella, y.tipo_cella);
      if (della_marca(ca[f].nome)) {
        marca += (marca.empty() ? "" : ", ") + c;
        continue;
      }
      std::vector<tratto>& t = per_gruppo[f];
      if (!t.empty() && t.back().ultima + 1 == i && t.back().cambio == c) {
        t.back().ultima = i;
      } else {
        t.push_back({i, i, static_cast<int>(f), c});
      }
    }
    if (!marca.empty()) per_gruppo[0].push_back({i, i, 0, std::move(marca)});
  }
  std::vector<tratto> tratti;
  for (auto& g : per_gruppo) std::move(g.begin(), g.end(), std::back_inserter(tratti));
  std::sort(tratti.begin(), tratti.end(), [](const tratto& p, const tratto& q) {
    return std::tie(p.prima, p.gruppo) < std::tie(q.prima, q.gruppo);
  });
  for (const tratto& t : tratti) {
    const std::string dove =
        t.prima == t.ultima
            ? "cell " + std::to_string(t.prima) + " (" + metri(inizio_cella(t.prima)) + ")"
            : "cells " + std::to_string(t.prima) + "-" + std::to_string(t.ultima) + " (" +
                  std::to_string(inizio_cella(t.prima)) + "-" + metri(inizio_cella(t.ultima)) + ")";
    d.riga(dove + ": " + t.cambio);
  }
  if (a.celle.size() != b.celle.size()) {
    d.riga("track: " + std::to_string(a.celle.size()) + " cells -> " +
           std::to_string(b.celle.size()));
  }
}

std::string decimi(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.1f", v);
  return b;
}

// Where the two drawings part, and how far apart they come.
void confronta_planimetria(const punti_planimetria& a, const punti_planimetria& b, differenze& d) {
  const size_t n = std::min(a.x.size(), b.x.size());
  size_t prima = n, ultima = 0, dove = 0;
  double distanza = 0;
  for (size_t i = 0; i < n; ++i) {
    if (a.x[i] == b.x[i] && a.y[i] == b.y[i]) continue;
    prima = std::min(prima, i);
    ultima = i;
    const double di = std::hypot(a.x[i] - b.x[i], a.y[i] - b.y[i]);
    if (di > distanza) {
      distanza = di;
      dove = i;
    }
  }
  if (prima < n) {
    std::string s = "plan view: metres " + std::to_string(prima) + "-" + std::to_string(ultima) +
                    " differ; the drawings are at most " + decimi(distanza) + " m apart";
    if (distanza > 0) s += ", at metre " + std::to_string(dove);
    d.riga(s);
  }
  if (a.x.size() != b.x.size()) {
    d.riga("plan view: " + std::to_string(a.x.size()) + " metres drawn -> " +
           std::to_string(b.x.size()));
  }
}

}  // namespace

int confronta_scenari(FileSystem& fs, const file_binari& a, const file_binari& b, size_t limite,
                      std::ostream& uscita) {
  const scenario_compilato sa = leggi_scenario_compilato(fs, a);
  const scenario_compilato sb = leggi_scenario_compilato(fs, b);
  differenze d(limite, uscita);
  confronta_voci(sa, sb, d);
  confronta_celle(sa, sb, d);
  confronta_planimetria(sa.punti, sb.punti, d);
  d.chiudi();
  return d.righe() == 0 ? 0 : 1;
}

}  // namespace lorvenna
