#include "driver/file_names.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"

namespace lorvenna {
namespace {

// The train number names every file but the two line files; the documents'
// content does not depend on it.
TEST(NomiFile, FormedFromScenarioAndTrainInOneFolder) {
  const nomi_file n = nomi_file_per("dir", "Lorvenna", "4411");
  auto in = [](const char* nome) { return join_path("dir", nome); };
  EXPECT_EQ(n.linea_txt, in("Lorvenna_linea.txt"));
  EXPECT_EQ(n.treno_txt, in("Lorvenna_4411-.txt"));
  EXPECT_EQ(n.note, in("Lorvenna_4411_note.txt"));
  EXPECT_EQ(n.rallentamenti, in("Lorvenna_4411_rallentamenti.txt"));
  EXPECT_EQ(n.scheda, in("Lorvenna_4411_scheda_treno.txt"));
  EXPECT_EQ(n.linea_dat, in("Lorvenna_linea.dat"));
  EXPECT_EQ(n.scenario_sim, in("Lorvenna_4411.sim"));
  EXPECT_EQ(n.treno_dat, in("Lorvenna_4411.dat"));
}

}  // namespace
}  // namespace lorvenna
