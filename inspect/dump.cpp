#include "inspect/dump.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "check/author_units.h"
#include "compiler/cell.h"
#include "encoding/quoted.h"
#include "encoding/windows1252.h"
#include "output/compiled_scenario.h"

namespace lorvenna {
namespace {

using json = nlohmann::ordered_json;

// Raised whenever a key of the JSON document changes its name or meaning.
constexpr int kVersioneSchema = 1;

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
          {"area_from_m", v.inizio},
          {"area_to_m", v.fine},
          {"time", orario_hms(v.orario)},
          {"values", {v.valore_1, v.valore_2, v.valore_3, v.valore_4, v.valore_5}},
          {"codes", {v.codice_1, v.codice_2, v.codice_3, v.codice_4}}};
}

// Runs of equal values along the track, in cells and in metres.
template <typename Valore>
json serie(const std::vector<cella>& celle, Valore valore) {
  json out = json::array();
  size_t inizio = 0;
  for (size_t i = 1; i <= celle.size(); ++i) {
    if (i < celle.size() && valore(celle[i]) == valore(celle[inizio])) continue;
    out.push_back({{"cells", {inizio, i - 1}},
                   {"from_m", inizio_cella(inizio)},
                   {"to_m", inizio_cella(i - 1)},
                   {"value", valore(celle[inizio])}});
    inizio = i;
  }
  return out;
}

json planimetria(const punti_planimetria& p, size_t metri) {
  json j = {{"length_m", metri}, {"computed_m", p.x.size()}};
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
  j["start_m"] = {p.x.front(), p.y.front()};
  j["end_m"] = {p.x.back(), p.y.back()};
  j["total_turn_deg"] = svolta * 180 / std::numbers::pi;
  j["x_range_m"] = {min_x, max_x};
  j["y_range_m"] = {min_y, max_y};
  return j;
}

// A name from the files may hold control bytes: shown escaped, as the JSON
// output escapes them, never raw on the terminal.
std::string testo(const json& v) {
  return v.is_string() ? senza_controlli(v.get<std::string>()) : v.dump();
}

std::string metri(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.1f", v);
  return b;
}

}  // namespace

json descrivi_cella(size_t i, const cella& c, const std::array<voce_generale, kNumeroVoci>& g) {
  json j = {{"cell", i}, {"position_m", inizio_cella(i)}, {"type", tipo_di(c.tipo_cella)}};
  switch (c.tipo_cella) {
    case tipo_segnale:
      // dato_4 packs the reminder * 10 + the left kind * 3 + the right kind.
      j["left_kind"] = c.dato_4 % 10 / 3;
      j["right_kind"] = c.dato_4 % 10 % 3;
      j["reminder"] = c.dato_4 / 10;
      j["codes"] = {c.dato_1, c.dato_2, c.dato_3};
      j["waiting_time"] = c.tempo_segnale;
      break;
    case tipo_indicatori_vmax: {
      json sinistra = json::array(), destra = json::array();
      for (int16_t codice : {c.dato_1, c.dato_2, c.dato_3}) {
        const velocita_cartello v = decodifica_velocita(codice);
        sinistra.push_back(v.sinistra_kmh);
        destra.push_back(v.destra_kmh);
      }
      j["left_kmh"] = sinistra;
      j["right_kmh"] = destra;
      j["stripes"] = {c.dato_4 / 10, c.dato_4 % 10};
      break;
    }
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
      j["value"] = c.dato_1;
      break;
    default:
      break;
  }
  if (c.avvicinamento != 0) j["approach"] = c.avvicinamento;
  return j;
}

json descrivi_scenario(FileSystem& fs, const file_binari& file) {
  const scenario_compilato sc = leggi_scenario_compilato(fs, file);
  const auto& g = sc.dati_generali;
  const auto& celle = sc.celle;

  json d;
  d["schema_version"] = kVersioneSchema;
  const voce_generale& s = g[kVoceScenario];
  const voce_generale& r = g[kVoceRipetizione];
  const voce_generale& t = g[kVoceTreno];
  d["scenario"] = windows1252_a_utf8(s.nome);
  d["train"] = windows1252_a_utf8(r.nome);
  d["route_length_m"] = t.fine;
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
  for (int i : sc.stazioni()) stazioni.push_back(voce_stazione(i, g[i]));
  d["stations"] = stazioni;
  json cartelli = json::array();
  json segni = json::array();
  for (size_t i = 0; i < celle.size(); ++i) {
    if (celle[i].tipo_cella == tipo_vuota) continue;
    const json c = descrivi_cella(i, celle[i], g);
    if (celle[i].tipo_cella == tipo_cartello) cartelli.push_back(c);
    segni.push_back(c);
  }
  d["text_boards"] = cartelli;
  d["cells"] = segni;
  d["gradient_permille"] =
      serie(celle, [](const cella& c) { return pendenza_permille(c.pendenza); });
  d["line_speed_kmh"] = serie(celle, [](const cella& c) { return velocita_kmh(c.velocita_linea); });
  d["adhesion"] = serie(celle, [](const cella& c) { return int(c.aderenza); });
  d["plan_view"] = planimetria(sc.punti, sc.riassunto.metri);
  return d;
}

void stampa_scenario(const json& d, std::ostream& out) {
  out << "Scenario " << testo(d["scenario"]) << ", train " << testo(d["train"]) << ", route "
      << d["route_length_m"] << " m\n";
  out << "Train: " << d["train_data"]["cars"] << " cars, braked mass "
      << d["train_data"]["braked_mass_percent"] << " %; sand " << d["sand"] << "; clock "
      << d["clock"].dump() << "\n";
  const json& sr = d["signal_repetition"];
  out << "Signal repetition: " << sr["from_m"] << "-" << sr["to_m"] << " m, " << sr["codes"]
      << " codes\n";
  out << "Marks: entry 85 holds " << d["marks"]["entry_85"] << ", cell 1 holds "
      << d["marks"]["cell_1"] << "\n";
  out << "Scenario codes: entry 85 holds " << d["scenario_codes"]["entry_85"] << ", cell 1 holds "
      << d["scenario_codes"]["cell_1"] << "\n";
  out << "Progressive sections:\n";
  for (const auto& p : d["progressive_sections"]) {
    out << "  entry " << p["entry"] << ": " << p["from_m"] << "-" << p["to_m"] << " m, flag "
        << p["flag"] << "\n";
  }
  out << "Stations (" << d["stations"].size() << "):\n";
  for (const auto& s : d["stations"]) {
    out << "  entry " << s["entry"] << "  " << testo(s["name"]) << "  type " << s["type"] << "  at "
        << s["position_m"] << " m, area " << s["area_from_m"] << "-" << s["area_to_m"] << " m  "
        << testo(s["time"]) << "  codes " << s["codes"].dump() << "\n";
  }
  out << "Cells with a mark (" << d["cells"].size() << "):\n";
  for (const auto& c : d["cells"]) {
    out << "  cell " << c["cell"] << " (" << c["position_m"] << " m): " << testo(c["type"]);
    for (const auto& [chiave, valore] : c.items()) {
      if (chiave == "cell" || chiave == "position_m" || chiave == "type") continue;
      out << ", " << chiave << " " << testo(valore);
    }
    out << "\n";
  }
  const std::pair<const char*, const char*> serie[] = {
      {"gradient_permille", " per mille"}, {"line_speed_kmh", " km/h"}, {"adhesion", ""}};
  for (const auto& [nome, unita] : serie) {
    out << nome << ":\n";
    for (const auto& s : d[nome]) {
      out << "  cells " << s["cells"][0] << "-" << s["cells"][1] << " (" << s["from_m"] << "-"
          << s["to_m"] << " m): " << s["value"] << unita << "\n";
    }
  }
  const json& p = d["plan_view"];
  out << "Plan view: " << p["length_m"] << " m, " << p["computed_m"] << " of them drawn";
  if (p.contains("start_m")) {
    out << "; from (" << metri(p["start_m"][0]) << ", " << metri(p["start_m"][1]) << ") to ("
        << metri(p["end_m"][0]) << ", " << metri(p["end_m"][1]) << ") m, turning "
        << metri(p["total_turn_deg"]) << " degrees in all, within x " << metri(p["x_range_m"][0])
        << " to " << metri(p["x_range_m"][1]) << " m and y " << metri(p["y_range_m"][0]) << " to "
        << metri(p["y_range_m"][1]) << " m";
  }
  out << "\n";
}

}  // namespace lorvenna
