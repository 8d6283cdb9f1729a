#include "tools/dump.h"

#include <gtest/gtest.h>

#include <sstream>

#include "output/binary_decoders.h"
#include "tools/embedded_run_fixture.h"

namespace lorvenna {
namespace {

using DumpTest = testing::ScenarioIncorporato;

TEST_F(DumpTest, ShowsTheEmbeddedScenarioByRole) {
  const auto d = descrivi_scenario(disco, file);
  EXPECT_EQ(d["scenario"], "Lorvenna");
  ASSERT_EQ(d["stations"].size(), 13u);
  EXPECT_EQ(d["stations"][0]["name"], "GALLARATE");
  EXPECT_EQ(d["stations"][0]["time"], "07:56:00");
  EXPECT_EQ(d["stations"][12]["name"], "MILANO PORTA GARIBALDI");
  EXPECT_EQ(d["text_boards"].size(), 23u);
  EXPECT_EQ(d["plan_view"]["metres"], 83001);

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
  EXPECT_NE(testo.str().find("entry 13  MILANO PORTA GARIBALDI  type 6"), std::string::npos);
  EXPECT_NE(testo.str().find("cell 734 (36700 m): signal"), std::string::npos);
  EXPECT_NE(testo.str().find("cells 0-7: 0"), std::string::npos) << "the gradient as runs";
}

TEST_F(DumpTest, ADamagedFileIsNamed) {
  disco.write(file.treno, "short");
  try {
    descrivi_scenario(disco, file);
    FAIL();
  } catch (const errore_file& e) {
    EXPECT_NE(std::string(e.what()).find(file.treno + ": "), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace lorvenna
