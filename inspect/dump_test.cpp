#include "inspect/dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>
#include <string_view>
#include <vector>

#include "check/author_units.h"
#include "compiler/line_marking.h"
#include "compiler/track_fixture.h"
#include "driver/embedded_run_fixture.h"
#include "output/binary_decoders.h"
#include "output/binary_files.h"
#include "texts/line_description.h"

namespace lorvenna {
namespace {

using DumpTest = testing::scenario_incorporato;

TEST_F(DumpTest, ShowsTheEmbeddedScenarioByRole) {
  const auto d = descrivi_scenario(disco, file);
  EXPECT_EQ(d["schema_version"], 1);
  EXPECT_EQ(d["scenario"], "Lorvenna");
  ASSERT_EQ(d["stations"].size(), 13u);
  EXPECT_EQ(d["stations"][0]["name"], "GALLARATE");
  EXPECT_EQ(d["stations"][0]["time"], "07:56:00");
  EXPECT_EQ(d["stations"][12]["name"], "MILANO PORTA GARIBALDI");
  EXPECT_EQ(d["text_boards"].size(), 23u);
  EXPECT_EQ(d["plan_view"]["length_m"], 83001);

  // The signal at 36650 m stands in cell 734.
  bool trovato = false;
  for (const auto& c : d["cells"]) {
    if (c["cell"] != 734) continue;
    trovato = true;
    EXPECT_EQ(c["type"], "signal");
    EXPECT_EQ(c["codes"], nlohmann::ordered_json({33, 11, 0}));
  }
  EXPECT_TRUE(trovato);

  std::ostringstream testo;
  stampa_scenario(d, testo);
  const std::string t = testo.str();
  EXPECT_NE(t.find("entry 13  MILANO PORTA GARIBALDI  type 6"), std::string::npos);
  EXPECT_NE(t.find("cell 734 (36700 m): signal"), std::string::npos);
  EXPECT_NE(t.find("cells 0-7 (0-350 m): 0 per mille"), std::string::npos) << "runs in metres";
  EXPECT_NE(t.find("Marks: entry 85 holds 610, cell 1 holds 5121"), std::string::npos);
  EXPECT_NE(t.find("Plan view: 83001 m"), std::string::npos);
  EXPECT_EQ(t.find('{'), std::string::npos) << "no raw JSON in the text form:\n" << t;
}

// A name with control bytes reaches the terminal escaped, as in the JSON output.
TEST_F(DumpTest, TheTextFormEscapesControlBytesInNames) {
  modello m;
  m.dati_generali = decodifica_dati_generali(disco.files().at(file.scenario));
  m.dati_generali[1].nome = "GALL\x1B[31mARA\nTE";
  disco.write(file.scenario, codifica_dati_generali(m));
  std::ostringstream testo;
  stampa_scenario(descrivi_scenario(disco, file), testo);
  const std::string t = testo.str();
  EXPECT_NE(t.find("GALL\\x1B[31mARA\\x0ATE  type"), std::string::npos) << t;
  EXPECT_EQ(t.find('\x1B'), std::string::npos);
}

// Every numeric key of the document names its unit, or is a count, an
// index or a code carried through as stored.
TEST_F(DumpTest, NumericKeysNameTheirUnits) {
  const std::set<std::string> senza_unita = {
      "schema_version", "entry",        "type",    "cell",     "cars",      "sand",
      "clock",          "codes",        "flag",    "values",   "left_kind", "right_kind",
      "reminder",       "waiting_time", "stripes", "approach", "value",     "cells",
      "background",     "entry_85",     "cell_1",  "adhesion"};
  std::function<void(const nlohmann::ordered_json&)> visita = [&](const auto& j) {
    if (!j.is_structured()) return;
    for (const auto& [chiave, valore] : j.items()) {
      const bool numero = valore.is_number() ||
                          (valore.is_array() && !valore.empty() && valore.front().is_number());
      const bool con_unita = chiave.ends_with("_m") || chiave.ends_with("_kmh") ||
                             chiave.ends_with("_permille") || chiave.ends_with("_deg") ||
                             chiave.ends_with("_percent");
      if (numero && !j.is_array()) {
        EXPECT_TRUE(con_unita || senza_unita.contains(chiave)) << chiave;
      }
      visita(valore);
    }
  };
  visita(descrivi_scenario(disco, file));
}

// The cell packs 100 x (left / 5) + right / 5: speeds of 100 km/h and more
// on either side must come back as written.
TEST(VelocitaCartello, DecodesWhatTheMarkingPacks) {
  const std::pair<int32_t, int32_t> casi[] = {{95, 105}, {100, 100}, {105, 95},  {140, 160},
                                              {0, 250},  {250, 0},   {300, 495}, {5, 0}};
  for (const auto& [sinistra, destra] : casi) {
    modello m = testing::tracciato();
    memo_indicatori_v_max(m, {1000, sinistra, sinistra, sinistra, 0, destra, destra, destra, 0});
    const velocita_cartello v = decodifica_velocita(m.celle[21].dato_1);
    EXPECT_EQ(v.sinistra_kmh, sinistra) << sinistra << "/" << destra;
    EXPECT_EQ(v.destra_kmh, destra) << sinistra << "/" << destra;
  }
}

// Reads a board's numbers as the line text writes them; an empty field is 0.
std::vector<int> campi_numerici(std::string_view riga) {
  std::vector<int> numeri;
  riga.remove_prefix(riga.find(',') + 1);
  while (!riga.empty()) {
    const size_t virgola = std::min(riga.find(','), riga.size());
    const std::string campo(riga.substr(0, virgola));
    numeri.push_back(campo.find_first_not_of(' ') == std::string::npos ? 0 : std::stoi(campo));
    riga.remove_prefix(std::min(virgola + 1, riga.size()));
  }
  return numeri;
}

TEST_F(DumpTest, EverySpeedBoardGivesBackItsLineTextSpeeds) {
  const auto d = descrivi_scenario(disco, file);
  int tabelle = 0;
  for (std::string_view riga : righe_linea()) {
    if (!riga.starts_with("indicatori_vmax")) continue;
    ++tabelle;
    const std::vector<int> n = campi_numerici(riga);
    ASSERT_EQ(n.size(), 9u) << riga;
    const int cella = n[0] / 50 + 1;
    const auto c = std::find_if(d["cells"].begin(), d["cells"].end(),
                                [&](const auto& j) { return j["cell"] == cella; });
    ASSERT_NE(c, d["cells"].end()) << riga;
    EXPECT_EQ((*c)["left_kmh"], nlohmann::ordered_json({n[1], n[2], n[3]})) << riga;
    EXPECT_EQ((*c)["right_kmh"], nlohmann::ordered_json({n[5], n[6], n[7]})) << riga;
  }
  EXPECT_GT(tabelle, 10);
}

TEST_F(DumpTest, ADamagedFileIsNamed) {
  disco.write(file.treno, "short");
  try {
    descrivi_scenario(disco, file);
    FAIL();
  } catch (const DamagedFileError& e) {
    EXPECT_NE(std::string(e.what()).find(file.treno + ": "), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace lorvenna
