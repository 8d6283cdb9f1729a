#include "inspect/plot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "driver/embedded_run_fixture.h"
#include "output/binary_decoders.h"
#include "testing/temp_folder.h"

namespace lorvenna {
namespace {

size_t conta(const std::string& testo, const std::string& cosa) {
  size_t n = 0;
  for (size_t i = testo.find(cosa); i != std::string::npos; i = testo.find(cosa, i + 1)) ++n;
  return n;
}

using PlotTest = testing::scenario_incorporato;

TEST_F(PlotTest, DrawsTheRouteAndEveryStation) {
  const std::string svg = disegna_scenario(disco, file);
  EXPECT_TRUE(svg.starts_with("<?xml"));
  EXPECT_TRUE(svg.ends_with("</svg>\n"));
  EXPECT_EQ(conta(svg, "width='8' height='8' fill='#27ae60'>"), 13u) << "a mark for each station";
  EXPECT_NE(svg.find(">GALLARATE<"), std::string::npos);
  EXPECT_NE(svg.find(">MILANO PORTA GARIBALDI<"), std::string::npos);
  EXPECT_EQ(conta(svg, "<polyline"), 3u) << "the route and two strip charts";
}

// What a reader needs to read the picture: a legend for every kind of mark,
// a title on each station and mark, numbered axes with their units, and a
// kilometre axis that ends with the route.
TEST_F(PlotTest, CanBeRead) {
  const std::string svg = disegna_scenario(disco, file);
  const size_t legenda = svg.find("<g class='legend'>");
  ASSERT_NE(legenda, std::string::npos);
  const std::string voci = svg.substr(legenda, svg.find("</g>", legenda) - legenda);
  for (const char* tipo :
       {"station", "signal", "speed board", "text board", "slowdown start", "slowdown end"}) {
    EXPECT_NE(voci.find(std::string(">") + tipo + "<"), std::string::npos) << tipo;
  }
  EXPECT_NE(svg.find("<title>GALLARATE: station at 32.800 km (32800 m), area"), std::string::npos);
  EXPECT_NE(svg.find("<title>signal at 36.700 km (36700 m), cell 734: codes 33, 11, 0</title>"),
            std::string::npos);
  EXPECT_NE(svg.find("<title>speed board at 14.850 km (14850 m), cell 297: km/h left/right "
                     "95/95 105/105 105/105</title>"),
            std::string::npos);
  EXPECT_GE(conta(svg, "<text class='tick'"), 6u) << "numbered vertical axes";
  EXPECT_NE(svg.find("gradient (per mille)"), std::string::npos);
  EXPECT_NE(svg.find("line speed (km/h)"), std::string::npos);
  // The route is 76 km long; the track's 7 km margin is not drawn.
  EXPECT_NE(svg.find("text-anchor='middle'>76</text>"), std::string::npos);
  EXPECT_EQ(svg.find("text-anchor='middle'>78</text>"), std::string::npos);
}

TEST_F(PlotTest, ADamagedFileIsNamed) {
  disco.write(file.treno, std::string(100, '\0'));
  try {
    disegna_scenario(disco, file);
    FAIL();
  } catch (const DamagedFileError& e) {
    EXPECT_TRUE(std::string(e.what()).starts_with(file.treno + ": ")) << e.what();
  }
}

// A real renderer reads the picture and draws something on the page: a
// blank page of this size compresses to about 4 KB.
TEST_F(PlotTest, ARendererDrawsIt) {
  if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
  }
  testing::TempFolder cartella;
  const std::string svg = cartella.file("route.svg"), png = cartella.file("route.png");
  testing::write_file(svg, disegna_scenario(disco, file));
  ASSERT_EQ(std::system(("rsvg-convert '" + svg + "' -o '" + png + "'").c_str()), 0);
  EXPECT_GT(std::filesystem::file_size(png), 15000u);
}

}  // namespace
}  // namespace lorvenna
