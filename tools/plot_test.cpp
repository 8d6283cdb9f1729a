#include "tools/plot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "testing/temp_folder.h"
#include "tools/embedded_run_fixture.h"

namespace lorvenna {
namespace {

size_t conta(const std::string& testo, const std::string& cosa) {
  size_t n = 0;
  for (size_t i = testo.find(cosa); i != std::string::npos; i = testo.find(cosa, i + 1)) ++n;
  return n;
}

using PlotTest = testing::ScenarioIncorporato;

TEST_F(PlotTest, DrawsTheRouteAndEveryStation) {
  const std::string svg = disegna_scenario(disco, file);
  EXPECT_TRUE(svg.starts_with("<?xml"));
  EXPECT_TRUE(svg.ends_with("</svg>\n"));
  EXPECT_EQ(conta(svg, "width='8' height='8' fill='#27ae60'"), 13u) << "a mark for each station";
  EXPECT_NE(svg.find(">GALLARATE<"), std::string::npos);
  EXPECT_NE(svg.find(">MILANO PORTA GARIBALDI<"), std::string::npos);
  EXPECT_EQ(conta(svg, "<polyline"), 3u) << "the route and two strip charts";
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
