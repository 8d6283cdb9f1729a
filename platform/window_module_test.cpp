#include "platform/window_module.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvenna {
namespace {

// The program's folder comes first, so that a portable folder uses the module
// it carries even where another version is installed; the install's library
// folder, an absolute path, comes after, and only once.
TEST(ModuloFinestra, IsLookedForBesideTheProgramThenInTheInstallsLibraryFolder) {
  const std::vector<std::string> cartelle = cartelle_modulo_finestra("/opt/portatile");
  ASSERT_EQ(cartelle.size(), 2u);
  EXPECT_EQ(cartelle[0], "/opt/portatile");
  EXPECT_EQ(cartelle[1].front(), '/');
  EXPECT_NE(cartelle[1].find("lorvenna"), std::string::npos) << cartelle[1];

  EXPECT_EQ(cartelle_modulo_finestra(cartelle[1]), std::vector<std::string>{cartelle[1]})
      << "a program installed beside its module looks there once";
}

TEST(ModuloFinestra, TheFirstFolderWhoseModuleLoadsIsTaken) {
  int beside = 0;
  int installed = 0;
  struct caso {
    const char* nome;
    bool beside_loads;
    bool installed_loads;
    void* atteso;
    std::vector<std::string> tentati;
  };
  const std::vector<caso> casi = {
      {"beside", true, true, &beside, {"/portatile/lorvenna-window.so"}},
      {"installed",
       false,
       true,
       &installed,
       {"/portatile/lorvenna-window.so", "/usr/lib/lorvenna/lorvenna-window.so"}},
      {"none",
       false,
       false,
       nullptr,
       {"/portatile/lorvenna-window.so", "/usr/lib/lorvenna/lorvenna-window.so"}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::vector<std::string> tentati;
    void* modulo =
        carica_modulo_finestra({"/portatile", "/usr/lib/lorvenna"}, [&](const std::string& p) {
          tentati.push_back(p);
          if (p.starts_with("/portatile/"))
            return c.beside_loads ? static_cast<void*>(&beside) : nullptr;
          return c.installed_loads ? static_cast<void*>(&installed) : nullptr;
        });
    EXPECT_EQ(modulo, c.atteso);
    EXPECT_EQ(tentati, c.tentati);
  }
}

}  // namespace
}  // namespace lorvenna
