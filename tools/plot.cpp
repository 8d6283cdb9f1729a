#include "tools/plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "encoding/windows1252.h"
#include "output/binary_decoders.h"

namespace lorvenna {
namespace {

constexpr double kLarghezza = 1000;
constexpr double kMargine = 40;
constexpr double kAltezzaPianta = 560;
constexpr double kAltezzaStriscia = 70;
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
      default:
        out += c;
    }
  }
  return out;
}

// Scales plan-view metres into the plan's box, keeping the aspect.
struct scala {
  double min_x, max_y, fattore, x0, y0;
  double x(double v) const { return x0 + (v - min_x) * fattore; }
  double y(double v) const { return y0 + (max_y - v) * fattore; }
};

scala scala_per(const punti_planimetria& p) {
  const auto [min_x, max_x] = std::minmax_element(p.x.begin(), p.x.end());
  const auto [min_y, max_y] = std::minmax_element(p.y.begin(), p.y.end());
  const double w = std::max(*max_x - *min_x, 1.0), h = std::max(*max_y - *min_y, 1.0);
  const double f = std::min((kLarghezza - 2 * kMargine) / w, (kAltezzaPianta - 2 * kMargine) / h);
  return {*min_x, *max_y, f, kMargine, kMargine};
}

// A scale bar of a round length and a north arrow (+y is north).
void barra_e_nord(std::string& s, const scala& k) {
  double metri = 1;
  while (metri * 10 * k.fattore < 150) metri *= 10;
  if (metri * 5 * k.fattore < 150) metri *= 5;
  const double px = metri * k.fattore, y = kAltezzaPianta - 15;
  s += "<line x1='" + num(kMargine) + "' y1='" + num(y) + "' x2='" + num(kMargine + px) + "' y2='" +
       num(y) + "' stroke='black' stroke-width='3'/>";
  s += "<text x='" + num(kMargine) + "' y='" + num(y - 6) + "'>" +
       (metri >= 1000 ? std::to_string(int(metri / 1000)) + " km"
                      : std::to_string(int(metri)) + " m") +
       "</text>";
  const double nx = kLarghezza - kMargine;
  s += "<path d='M" + num(nx) + " 20 L" + num(nx - 8) + " 45 L" + num(nx + 8) +
       " 45 Z' fill='black'/><text x='" + num(nx - 4) + "' y='15'>N</text>";
}

}  // namespace

std::string disegna_scenario(FileSystem& fs, const file_binari& file) {
  const auto g = decodifica_dati_generali(fs.read(file.scenario));
  const auto celle = decodifica_celle(fs.read(file.treno));
  const punti_planimetria p = decodifica_punti(fs.read(file.linea));
  if (p.x.size() < 2) throw errore_file(file.linea + ": the plan view holds no route");
  const scala k = scala_per(p);
  const double totale = kAltezzaPianta + 3 * kAltezzaStriscia + 60;
  std::string s =
      "<?xml version='1.0' encoding='UTF-8'?>\n<svg xmlns='http://www.w3.org/2000/svg' width='" +
      num(kLarghezza) + "' height='" + num(totale) +
      "' font-family='sans-serif' font-size='11'>\n<rect width='100%' height='100%' "
      "fill='white'/>\n";

  // The route, thinned to a point every few pixels.
  const size_t passo = std::max<size_t>(1, p.x.size() / 4000);
  s += "<polyline fill='none' stroke='#2c3e50' stroke-width='2' points='";
  for (size_t i = 0; i < p.x.size(); i += passo)
    s += num(k.x(p.x[i])) + "," + num(k.y(p.y[i])) + " ";
  s += num(k.x(p.x.back())) + "," + num(k.y(p.y.back())) + "'/>\n";
  auto punto = [&](double metro) {
    const size_t i = std::min(p.x.size() - 1, static_cast<size_t>(std::max(0.0, metro)));
    return std::pair{k.x(p.x[i]), k.y(p.y[i])};
  };

  // Marks along the line: signals, speed boards, text boards, slowdowns.
  for (size_t i = 0; i < celle.size(); ++i) {
    const char* colore = nullptr;
    switch (celle[i].tipo_cella) {
      case tipo_segnale:
        colore = "#c0392b";
        break;
      case tipo_indicatori_vmax:
        colore = "#2980b9";
        break;
      case tipo_cartello:
        colore = "#7f8c8d";
        break;
      case tipo_inizio_rallentamento:
      case tipo_fine_rallentamento:
        colore = "#e67e22";
        break;
      default:
        break;
    }
    if (colore == nullptr) continue;
    const auto [x, y] = punto(i * 50.0);
    s += "<circle cx='" + num(x) + "' cy='" + num(y) + "' r='2.5' fill='" + colore + "'/>\n";
  }
  // Stations, each labelled only where its label overlaps none drawn
  // before: on a long route the labels thin out instead of piling up.
  struct riquadro {
    double x0, y0, x1, y1;
  };
  std::vector<riquadro> etichette;
  for (int i = 1; i < kPrimoCartello && !g[i].nome.empty(); ++i) {
    const auto [x, y] = punto(g[i].posizione);
    s += "<rect x='" + num(x - 4) + "' y='" + num(y - 4) +
         "' width='8' height='8' fill='#27ae60'/>\n";
    const std::string nome = windows1252_a_utf8(g[i].nome);
    const riquadro r{x + 7, y - 8, x + 7 + kLarghezzaCarattere * nome.size(), y + 5};
    const bool libera = std::none_of(etichette.begin(), etichette.end(), [&](const riquadro& e) {
      return r.x0 < e.x1 && e.x0 < r.x1 && r.y0 < e.y1 && e.y0 < r.y1;
    });
    if (!libera) continue;
    etichette.push_back(r);
    s += "<text x='" + num(r.x0) + "' y='" + num(y + 4) + "'>" + xml(nome) + "</text>\n";
  }
  barra_e_nord(s, k);

  // Strip charts along the route: gradient, line speed, station areas.
  const double lunghezza = celle.size() * 50.0;
  auto sx = [&](double metri) {
    return kMargine + (kLarghezza - 2 * kMargine) * metri / lunghezza;
  };
  const char* titoli[] = {"gradient (per mille)", "line speed (km/h)", "station areas"};
  for (int r = 0; r < 3; ++r) {
    const double top = kAltezzaPianta + r * kAltezzaStriscia;
    s += "<text x='" + num(kMargine) + "' y='" + num(top + 12) + "'>" + titoli[r] + "</text>\n";
    s += "<line x1='" + num(kMargine) + "' y1='" + num(top + kAltezzaStriscia - 10) + "' x2='" +
         num(kLarghezza - kMargine) + "' y2='" + num(top + kAltezzaStriscia - 10) +
         "' stroke='#bbb'/>\n";
    if (r == 2) {
      for (int i = 1; i < kPrimoCartello && !g[i].nome.empty(); ++i) {
        s += "<rect x='" + num(sx(g[i].inizio)) + "' y='" + num(top + 20) + "' width='" +
             num(std::max(1.0, sx(g[i].fine) - sx(g[i].inizio))) +
             "' height='30' fill='#27ae60'/>\n";
      }
      continue;
    }
    s += "<polyline fill='none' stroke='" + std::string(r == 0 ? "#8e44ad" : "#2980b9") +
         "' points='";
    const size_t passo_celle = std::max<size_t>(1, celle.size() / 2000);
    for (size_t i = 0; i < celle.size(); i += passo_celle) {
      const double v = r == 0 ? (celle[i].pendenza - 100) : celle[i].velocita_linea * 5.0;
      const double scala_v = r == 0 ? 1.0 : 0.3;
      const double base = top + (r == 0 ? 38 : kAltezzaStriscia - 10);
      s += num(sx(i * 50.0)) + "," + num(base - v * scala_v) + " ";
    }
    s += "'/>\n";
  }
  // Kilometre marks under the strips, thinned to fit.
  const double fondo = kAltezzaPianta + 3 * kAltezzaStriscia + 15;
  double passo_km = 1;
  while (sx(passo_km * 1000) - sx(0) < 50) passo_km *= 2;
  for (double km = 0; km * 1000 <= lunghezza; km += passo_km) {
    s += "<text x='" + num(sx(km * 1000)) + "' y='" + num(fondo) + "' text-anchor='middle'>" +
         std::to_string(int(km)) + "</text>\n";
  }
  s += "<text x='" + num(kLarghezza / 2) + "' y='" + num(fondo + 16) +
       "' text-anchor='middle'>km along the route</text>\n</svg>\n";
  return s;
}

}  // namespace lorvenna
