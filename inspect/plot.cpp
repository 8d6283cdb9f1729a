#include "inspect/plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "check/author_units.h"
#include "compiler/cell.h"
#include "encoding/windows1252.h"
#include "output/compiled_scenario.h"

namespace lorvenna {
namespace {

constexpr double kLarghezza = 1000;
constexpr double kMargine = 50;
constexpr double kAltezzaMinimaPianta = 240;
constexpr double kAltezzaMassimaPianta = 700;
constexpr double kAltezzaStriscia = 90;
constexpr double kAltezzaLegenda = 30;
constexpr double kLarghezzaCarattere = 6.5;  // px, at 11 px sans-serif

std::string num(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.1f", v);
  return b;
}

std::string xml(const std::string& testo) {
  std::string out;
  for (char c : testo) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// "36.700 km (36700 m)"
std::string dove(double metri) {
  char b[64];
  std::snprintf(b, sizeof b, "%.3f km (%.0f m)", metri / 1000, metri);
  return b;
}

std::string titolo(const std::string& testo) { return "<title>" + xml(testo) + "</title>"; }

// What each kind of mark looks like, for the marks and the legend alike.
struct stile_marca {
  uint8_t tipo;
  const char* colore;
  const char* nome;
};
constexpr stile_marca kStiliMarca[] = {
    {tipo_segnale, "#c0392b", "signal"},
    {tipo_indicatori_vmax, "#2980b9", "speed board"},
    {tipo_cartello, "#7f8c8d", "text board"},
    {tipo_inizio_rallentamento, "#e67e22", "slowdown start"},
    {tipo_fine_rallentamento, "#d35400", "slowdown end"},
};
constexpr const char* kColoreStazione = "#27ae60";

const stile_marca* stile_di(uint8_t tipo) {
  for (const stile_marca& s : kStiliMarca) {
    if (s.tipo == tipo) return &s;
  }
  return nullptr;
}

// The plan panel: plan-view metres scaled into a box whose height follows
// the route's shape, within bounds, keeping the aspect.
struct pianta {
  double min_x, max_y, fattore, x0, y0, altezza;
  double x(double v) const { return x0 + (v - min_x) * fattore; }
  double y(double v) const { return y0 + (max_y - v) * fattore; }
};

pianta pianta_per(const punti_planimetria& p) {
  const auto [min_x, max_x] = std::minmax_element(p.x.begin(), p.x.end());
  const auto [min_y, max_y] = std::minmax_element(p.y.begin(), p.y.end());
  const double w = std::max(*max_x - *min_x, 1.0), h = std::max(*max_y - *min_y, 1.0);
  const double utile = kLarghezza - 2 * kMargine;
  const double altezza =
      std::clamp(utile * h / w + 2 * kMargine, kAltezzaMinimaPianta, kAltezzaMassimaPianta);
  const double f = std::min(utile / w, (altezza - 2 * kMargine) / h);
  // Centred in the box it does not fill.
  const double x0 = kMargine + (utile - w * f) / 2;
  const double y0 = kMargine + (altezza - 2 * kMargine - h * f) / 2;
  return {*min_x, *max_y, f, x0, y0, altezza};
}

struct disegno {
  const scenario_compilato& sc;
  pianta k;
  double lunghezza;  // the route's length in metres
  std::string s;

  std::pair<double, double> punto(double metro) const {
    const auto& p = sc.punti;
    const size_t i = std::min(p.x.size() - 1, static_cast<size_t>(std::max(0.0, metro)));
    return {k.x(p.x[i]), k.y(p.y[i])};
  }
};

// The route, thinned to a point every few pixels.
void disegna_percorso(disegno& d) {
  const auto& p = d.sc.punti;
  const size_t passo = std::max<size_t>(1, p.x.size() / 4000);
  d.s += "<polyline fill='none' stroke='#2c3e50' stroke-width='2' points='";
  for (size_t i = 0; i < p.x.size(); i += passo) {
    d.s += num(d.k.x(p.x[i])) + "," + num(d.k.y(p.y[i])) + " ";
  }
  d.s += num(d.k.x(p.x.back())) + "," + num(d.k.y(p.y.back())) + "'/>\n";
}

std::string descrivi_marca(const cella& c, const scenario_compilato& sc) {
  switch (c.tipo_cella) {
    case tipo_segnale:
      return "codes " + std::to_string(c.dato_1) + ", " + std::to_string(c.dato_2) + ", " +
             std::to_string(c.dato_3);
    case tipo_indicatori_vmax: {
      std::string t = "km/h left/right";
      for (int16_t codice : {c.dato_1, c.dato_2, c.dato_3}) {
        const velocita_cartello v = decodifica_velocita(codice);
        t += " " + std::to_string(v.sinistra_kmh) + "/" + std::to_string(v.destra_kmh);
      }
      return t;
    }
    case tipo_cartello:
      if (c.dato_1 >= 0 && c.dato_1 < kNumeroVoci) {
        return windows1252_a_utf8(sc.dati_generali[c.dato_1].nome);
      }
      return "";
    case tipo_inizio_rallentamento:
    case tipo_fine_rallentamento:
      return std::to_string(c.dato_1) + " km/h";
    default:
      return "";
  }
}

// Signals, speed boards, text boards and slowdowns along the line, each
// with what it is, where, and its values on hover.
void disegna_marche(disegno& d) {
  for (size_t i = 0; i < d.sc.celle.size(); ++i) {
    const cella& c = d.sc.celle[i];
    const stile_marca* stile = stile_di(c.tipo_cella);
    if (stile == nullptr) continue;
    const auto [x, y] = d.punto(inizio_cella(static_cast<double>(i)));
    d.s += "<circle cx='" + num(x) + "' cy='" + num(y) + "' r='2.5' fill='" + stile->colore + "'>" +
           titolo(std::string(stile->nome) + " at " + dove(inizio_cella(static_cast<double>(i))) +
                  ", cell " + std::to_string(i) + ": " + descrivi_marca(c, d.sc)) +
           "</circle>\n";
  }
}

// Stations, each labelled only where its label overlaps none drawn
// before: on a long route the labels thin out instead of piling up.
void disegna_stazioni(disegno& d) {
  struct riquadro {
    double x0, y0, x1, y1;
  };
  std::vector<riquadro> etichette;
  for (int i : d.sc.stazioni()) {
    const voce_generale& v = d.sc.dati_generali[i];
    const auto [x, y] = d.punto(v.posizione);
    const std::string nome = windows1252_a_utf8(v.nome);
    d.s +=
        "<rect x='" + num(x - 4) + "' y='" + num(y - 4) + "' width='8' height='8' fill='" +
        kColoreStazione + "'>" +
        titolo(nome + ": station at " + dove(v.posizione) + ", area " + std::to_string(v.inizio) +
               "-" + std::to_string(v.fine) + " m, time " + orario_hms(v.orario)) +
        "</rect>\n";
    const riquadro r{x + 7, y - 8, x + 7 + kLarghezzaCarattere * nome.size(), y + 5};
    const bool libera = std::none_of(etichette.begin(), etichette.end(), [&](const riquadro& e) {
      return r.x0 < e.x1 && e.x0 < r.x1 && r.y0 < e.y1 && e.y0 < r.y1;
    });
    if (!libera) continue;
    etichette.push_back(r);
    d.s += "<text x='" + num(r.x0) + "' y='" + num(y + 4) + "'>" + xml(nome) + "</text>\n";
  }
}

// A scale bar of a round length and a north arrow (+y is north).
void disegna_scala_e_nord(disegno& d) {
  const pianta& k = d.k;
  double metri = 1;
  while (metri * 10 * k.fattore < 150) metri *= 10;
  if (metri * 5 * k.fattore < 150) metri *= 5;
  const double px = metri * k.fattore, y = k.altezza - 15;
  d.s += "<line x1='" + num(kMargine) + "' y1='" + num(y) + "' x2='" + num(kMargine + px) +
         "' y2='" + num(y) + "' stroke='black' stroke-width='3'/>";
  d.s += "<text x='" + num(kMargine) + "' y='" + num(y - 6) + "'>" +
         (metri >= 1000 ? std::to_string(int(metri / 1000)) + " km"
                        : std::to_string(int(metri)) + " m") +
         "</text>\n";
  const double nx = kLarghezza - kMargine;
  d.s += "<path d='M" + num(nx) + " 20 L" + num(nx - 8) + " 45 L" + num(nx + 8) +
         " 45 Z' fill='black'/><text x='" + num(nx - 4) + "' y='15'>N</text>\n";
}

// One entry for every kind of mark drawn, and the stations.
void disegna_legenda(disegno& d) {
  const double y = d.k.altezza + kAltezzaLegenda / 2;
  double x = kMargine;
  auto voce = [&](const std::string& forma, const char* nome) {
    d.s += forma + "<text x='" + num(x + 10) + "' y='" + num(y + 4) + "'>" + nome + "</text>\n";
    x += 24 + kLarghezzaCarattere * std::string(nome).size();
  };
  d.s += "<g class='legend'>\n";
  voce("<rect x='" + num(x - 4) + "' y='" + num(y - 4) + "' width='8' height='8' fill='" +
           kColoreStazione + "'/>",
       "station");
  for (const stile_marca& m : kStiliMarca) {
    voce("<circle cx='" + num(x) + "' cy='" + num(y) + "' r='4' fill='" + m.colore + "'/>", m.nome);
  }
  d.s += "</g>\n";
}

double x_lungo(const disegno& d, double metri) {
  return kMargine + (kLarghezza - 2 * kMargine) * metri / d.lunghezza;
}

// A strip chart of one value along the route, with a numbered vertical
// axis in the value's unit.
template <typename Valore>
void disegna_striscia(disegno& d, double top, const char* nome, const char* unita,
                      const char* colore, Valore valore) {
  const auto& celle = d.sc.celle;
  const size_t ultima = std::min(celle.size(), static_cast<size_t>(in_celle(d.lunghezza)) + 1);
  int min_v = 0, max_v = 1;
  for (size_t i = 0; i < ultima; ++i) {
    min_v = std::min(min_v, valore(celle[i]));
    max_v = std::max(max_v, valore(celle[i]));
  }
  const double alto = top + 20, basso = top + kAltezzaStriscia - 10;
  auto y = [&](double v) { return basso - (v - min_v) * (basso - alto) / (max_v - min_v); };
  d.s += "<text x='" + num(kMargine) + "' y='" + num(top + 12) + "'>" + nome + " (" + unita +
         ")</text>\n";
  d.s += "<line x1='" + num(kMargine) + "' y1='" + num(alto) + "' x2='" + num(kMargine) + "' y2='" +
         num(basso) + "' stroke='#888'/>\n";
  for (int v : {min_v, (min_v + max_v) / 2, max_v}) {
    d.s += "<text class='tick' x='" + num(kMargine - 4) + "' y='" + num(y(v) + 4) +
           "' text-anchor='end'>" + std::to_string(v) + "</text><line x1='" + num(kMargine) +
           "' y1='" + num(y(v)) + "' x2='" + num(kLarghezza - kMargine) + "' y2='" + num(y(v)) +
           "' stroke='#eee'/>\n";
  }
  d.s += "<polyline fill='none' stroke='" + std::string(colore) + "' points='";
  const size_t passo = std::max<size_t>(1, ultima / 2000);
  for (size_t i = 0; i < ultima; i += passo) {
    d.s += num(x_lungo(d, std::min(inizio_cella(static_cast<double>(i)), d.lunghezza))) + "," +
           num(y(valore(celle[i]))) + " ";
  }
  d.s += "'>" + titolo(std::string(nome) + " in " + unita) + "</polyline>\n";
}

// Each station's area as a bar along the route.
void disegna_aree(disegno& d, double top) {
  d.s += "<text x='" + num(kMargine) + "' y='" + num(top + 12) + "'>station areas</text>\n";
  for (int i : d.sc.stazioni()) {
    const voce_generale& v = d.sc.dati_generali[i];
    d.s += "<rect x='" + num(x_lungo(d, v.inizio)) + "' y='" + num(top + 25) + "' width='" +
           num(std::max(1.0, x_lungo(d, v.fine) - x_lungo(d, v.inizio))) + "' height='30' fill='" +
           kColoreStazione + "'>" +
           titolo(windows1252_a_utf8(v.nome) + ": area " + std::to_string(v.inizio) + "-" +
                  std::to_string(v.fine) + " m") +
           "</rect>\n";
  }
}

// Kilometre marks under the strips, thinned to fit, up to the route's end.
void disegna_asse_km(disegno& d, double fondo) {
  double passo_km = 1;
  while (x_lungo(d, passo_km * 1000) - x_lungo(d, 0) < 50) passo_km *= 2;
  auto etichetta = [&](double metri, const std::string& testo) {
    d.s += "<text x='" + num(x_lungo(d, metri)) + "' y='" + num(fondo) + "' text-anchor='middle'>" +
           testo + "</text>\n";
  };
  // The route's end is always labelled; a round mark too close to it gives way.
  const double fine = x_lungo(d, d.lunghezza);
  for (double km = 0; x_lungo(d, km * 1000) <= fine - 30; km += passo_km) {
    etichetta(km * 1000, std::to_string(int(km)));
  }
  char km_fine[32];
  std::snprintf(km_fine, sizeof km_fine, "%g", std::round(d.lunghezza / 100) / 10);
  etichetta(d.lunghezza, km_fine);
  d.s += "<text x='" + num(kLarghezza / 2) + "' y='" + num(fondo + 16) +
         "' text-anchor='middle'>km along the route</text>\n";
}

}  // namespace

std::string disegna_scenario(FileSystem& fs, const file_binari& file) {
  const scenario_compilato sc = leggi_scenario_compilato(fs, file);
  if (sc.punti.x.size() < 2) throw DamagedFileError(file.linea + ": the plan view holds no route");
  const double lunghezza = std::max(50.0, static_cast<double>(sc.dati_generali[kVoceTreno].fine));
  disegno d{sc, pianta_per(sc.punti), lunghezza, {}};
  const double strisce = d.k.altezza + kAltezzaLegenda;
  const double totale = strisce + 3 * kAltezzaStriscia + 40;
  d.s = "<?xml version='1.0' encoding='UTF-8'?>\n<svg xmlns='http://www.w3.org/2000/svg' width='" +
        num(kLarghezza) + "' height='" + num(totale) +
        "' font-family='sans-serif' font-size='11'>\n<rect width='100%' height='100%' "
        "fill='white'/>\n";
  disegna_percorso(d);
  disegna_marche(d);
  disegna_stazioni(d);
  disegna_scala_e_nord(d);
  disegna_legenda(d);
  disegna_striscia(d, strisce, "gradient", "per mille", "#8e44ad",
                   [](const cella& c) { return pendenza_permille(c.pendenza); });
  disegna_striscia(d, strisce + kAltezzaStriscia, "line speed", "km/h", "#2980b9",
                   [](const cella& c) { return velocita_kmh(c.velocita_linea); });
  disegna_aree(d, strisce + 2 * kAltezzaStriscia);
  disegna_asse_km(d, strisce + 3 * kAltezzaStriscia + 10);
  d.s += "</svg>\n";
  return d.s;
}

}  // namespace lorvenna
