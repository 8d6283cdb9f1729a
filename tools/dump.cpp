#include "tools/dump.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "encoding/windows1252.h"
#include "output/binary_decoders.h"

namespace lorvenna {
namespace {

using json = nlohmann::ordered_json;

std::string orario(int32_t secondi) {
  char testo[16];
  std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", secondi / 3600, secondi / 60 % 60,
                secondi % 60);
  return testo;
}

std::string tipo_di(uint8_t tipo) {
  switch (tipo) {
    case tipo_segnale:
      return "signal";
    case tipo_fine_rallentamento:
      return "slowdown end";
    case tipo_inizio_rallentamento:
      return "slowdown start";
    case tipo_avviso_rallentamento:
      return "slowdown warning";
    case tipo_prima_avviso:
      return "before the warning";
    case tipo_indicatori_vmax:
      return "speed board";
    case tipo_fermata:
      return "station stop";
    case tipo_marcatore_montagna:
      return "montagna marker";
    case tipo_abbattimento:
      return "speed point";
    case tipo_abbattimento_senza_valore:
      return "speed point without value";
    case tipo_cartello:
      return "text board";
    default:
      return "type " + std::to_string(tipo);
  }
}

json voce_stazione(int i, const voce_generale& v) {
  return {{"entry", i},
          {"name", windows1252_a_utf8(v.nome)},
          {"type", v.tipo},
          {"position_m", v.posizione},
          {"area_m", {v.inizio, v.fine}},
          {"time", orario(v.orario)},
          {"values", {v.valore_1, v.valore_2, v.valore_3, v.valore_4, v.valore_5}},
          {"codes", {v.codice_1, v.codice_2, v.codice_3, v.codice_4}}};
}

// A cell's values, read by what the cell holds.
json cella_decodificata(size_t i, const cella& c, const std::array<voce_generale, kNumeroVoci>& g) {
  json j = {{"cell", i}, {"at_m", i * 50}, {"type", tipo_di(c.tipo_cella)}};
  switch (c.tipo_cella) {
    case tipo_segnale:
      j["kinds"] = c.dato_4 % 10;  // left kind * 3 + right kind
      j["reminder"] = c.dato_4 / 10;
      j["codes"] = {c.dato_1, c.dato_2, c.dato_3};
      j["waiting_time"] = c.tempo_segnale;
      break;
    case tipo_indicatori_vmax:
      j["left_kmh"] = {c.dato_1 / 20, c.dato_2 / 20, c.dato_3 / 20};
      j["right_kmh"] = {c.dato_1 % 20 * 5, c.dato_2 % 20 * 5, c.dato_3 % 20 * 5};
      j["stripes"] = {c.dato_4 / 10, c.dato_4 % 10};
      break;
    case tipo_inizio_rallentamento:
    case tipo_fine_rallentamento:
    case tipo_avviso_rallentamento:
      j["speed_kmh"] = c.dato_1;
      break;
    case tipo_fermata:
    case tipo_cartello:
      if (c.dato_1 >= 0 && c.dato_1 < kNumeroVoci) {
        j["entry"] = c.dato_1;
        j["name"] = windows1252_a_utf8(g[c.dato_1].nome);
      }
      break;
    case tipo_abbattimento:
      j["speed"] = c.dato_1;
      break;
    default:
      break;
  }
  if (c.avvicinamento != 0) j["approach"] = c.avvicinamento;
  return j;
}

// Runs of equal values along the track: "cells 14-139: 75".
template <typename Valore>
json serie(const std::vector<cella>& celle, Valore valore) {
  json out = json::array();
  size_t inizio = 0;
  for (size_t i = 1; i <= celle.size(); ++i) {
    if (i < celle.size() && valore(celle[i]) == valore(celle[inizio])) continue;
    out.push_back({{"cells", {inizio, i - 1}}, {"value", valore(celle[inizio])}});
    inizio = i;
  }
  return out;
}

json planimetria(const punti_planimetria& p, size_t metri) {
  json j = {{"metres", metri}, {"computed", p.x.size()}};
  if (p.x.size() < 2) return j;
  double min_x = p.x[0], max_x = p.x[0], min_y = p.y[0], max_y = p.y[0], svolta = 0;
  double direzione = std::atan2(p.x[1] - p.x[0], p.y[1] - p.y[0]);
  for (size_t i = 1; i < p.x.size(); ++i) {
    min_x = std::min(min_x, p.x[i]);
    max_x = std::max(max_x, p.x[i]);
    min_y = std::min(min_y, p.y[i]);
    max_y = std::max(max_y, p.y[i]);
    const double d = std::atan2(p.x[i] - p.x[i - 1], p.y[i] - p.y[i - 1]);
    double passo = d - direzione;
    if (passo > std::numbers::pi) passo -= 2 * std::numbers::pi;
    if (passo < -std::numbers::pi) passo += 2 * std::numbers::pi;
    svolta += passo;
    direzione = d;
  }
  j["start"] = {p.x.front(), p.y.front()};
  j["end"] = {p.x.back(), p.y.back()};
  j["total_turn_deg"] = svolta * 180 / std::numbers::pi;
  j["bounding_box"] = {{"x", {min_x, max_x}}, {"y", {min_y, max_y}}};
  return j;
}

// A damaged file is named in the failure.
template <typename Decodifica>
auto leggi(const std::string& nome, Decodifica decodifica) {
  try {
    return decodifica();
  } catch (const errore_file& e) {
    throw errore_file(nome + ": " + e.what());
  }
}

}  // namespace

json descrivi_scenario(FileSystem& fs, const file_binari& file) {
  const auto g =
      leggi(file.scenario, [&] { return decodifica_dati_generali(fs.read(file.scenario)); });
  const auto celle = leggi(file.treno, [&] { return decodifica_celle(fs.read(file.treno)); });
  const std::string linea = fs.read(file.linea);
  const riassunto_planimetria riassunto =
      leggi(file.linea, [&] { return decodifica_planimetria(linea); });

  json d;
  const voce_generale& s = g[kVoceScenario];
  const voce_generale& r = g[kVoceRipetizione];
  const voce_generale& t = g[kVoceTreno];
  d["scenario"] = windows1252_a_utf8(s.nome);
  d["train"] = windows1252_a_utf8(r.nome);
  d["route_m"] = t.fine;
  d["train_data"] = {{"braked_mass_percent", t.inizio}, {"cars", t.posizione}};
  d["sand"] = r.valore_1;
  d["clock"] = {r.valore_3, r.valore_4, r.valore_5};
  d["signal_repetition"] = {{"from_m", r.inizio}, {"to_m", r.fine}, {"codes", r.posizione}};
  d["background"] = {s.inizio, s.posizione, s.fine};
  d["marks"] = {{"entry_85", s.valore_1}, {"cell_1", celle.size() > 1 ? celle[1].dato_1 : 0}};
  d["scenario_codes"] = {{"entry_85", s.orario},
                         {"cell_1", celle.size() > 1 ? celle[1].dato_2 : 0}};
  json progressive = json::array();
  for (int i = kVoceProgressivaTre; i <= kVoceProgressivaUno; ++i) {
    progressive.push_back(
        {{"entry", i}, {"from_m", g[i].inizio}, {"to_m", g[i].fine}, {"flag", g[i].posizione}});
  }
  d["progressive_sections"] = progressive;
  json stazioni = json::array();
  for (int i = 1; i < kPrimoCartello && !g[i].nome.empty(); ++i) {
    stazioni.push_back(voce_stazione(i, g[i]));
  }
  d["stations"] = stazioni;
  json cartelli = json::array();
  for (size_t i = 0; i < celle.size(); ++i) {
    if (celle[i].tipo_cella == tipo_cartello)
      cartelli.push_back(cella_decodificata(i, celle[i], g));
  }
  d["text_boards"] = cartelli;
  json segni = json::array();
  for (size_t i = 0; i < celle.size(); ++i) {
    if (celle[i].tipo_cella != tipo_vuota) segni.push_back(cella_decodificata(i, celle[i], g));
  }
  d["cells"] = segni;
  d["gradient"] = serie(celle, [](const cella& c) { return int(c.pendenza) - 100; });
  d["line_speed_kmh"] = serie(celle, [](const cella& c) { return c.velocita_linea * 5; });
  d["adhesion"] = serie(celle, [](const cella& c) { return int(c.aderenza); });
  d["plan_view"] = planimetria(decodifica_punti(linea), riassunto.metri);
  return d;
}

void stampa_scenario(const json& d, std::ostream& out) {
  out << "Scenario " << d["scenario"].get<std::string>() << ", train "
      << d["train"].get<std::string>() << ", route " << d["route_m"] << " m\n";
  out << "Train: " << d["train_data"]["cars"] << " cars, braked mass "
      << d["train_data"]["braked_mass_percent"] << " %; sand " << d["sand"] << "; clock "
      << d["clock"].dump() << "\n";
  out << "Marks " << d["marks"].dump() << "; scenario codes " << d["scenario_codes"].dump() << "\n";
  out << "Progressive sections:\n";
  for (const auto& p : d["progressive_sections"]) {
    out << "  entry " << p["entry"] << ": " << p["from_m"] << "-" << p["to_m"] << " m, flag "
        << p["flag"] << "\n";
  }
  out << "Stations (" << d["stations"].size() << "):\n";
  for (const auto& s : d["stations"]) {
    out << "  entry " << s["entry"] << "  " << s["name"].get<std::string>() << "  type "
        << s["type"] << "  at " << s["position_m"] << " m, area " << s["area_m"][0] << "-"
        << s["area_m"][1] << " m  " << s["time"].get<std::string>() << "  codes "
        << s["codes"].dump() << "\n";
  }
  out << "Cells with a mark (" << d["cells"].size() << "):\n";
  for (const auto& c : d["cells"]) {
    out << "  cell " << c["cell"] << " (" << c["at_m"] << " m): " << c["type"].get<std::string>();
    for (const auto& [chiave, valore] : c.items()) {
      if (chiave == "cell" || chiave == "at_m" || chiave == "type") continue;
      out << ", " << chiave << " "
          << (valore.is_string() ? valore.get<std::string>() : valore.dump());
    }
    out << "\n";
  }
  for (const char* serie : {"gradient", "line_speed_kmh", "adhesion"}) {
    out << serie << ":\n";
    for (const auto& s : d[serie]) {
      out << "  cells " << s["cells"][0] << "-" << s["cells"][1] << ": " << s["value"] << "\n";
    }
  }
  out << "Plan view: " << d["plan_view"].dump() << "\n";
}

}  // namespace lorvenna
