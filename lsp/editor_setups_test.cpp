// The editor setups the README shows are the files the tests use and the
// authors load: the README quotes each whole.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lorvenna {
namespace {

std::string leggi(const std::string& nome) {
  std::ifstream in(LORVENNA_SOURCE_DIR "/" + nome);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(EditorSetupsTest, TheReadmeQuotesEachSetupAsItsFileHoldsIt) {
  const std::string readme = leggi("README.md");
  for (const char* file : {"editors/neovim/scenario-tool.lua", "editors/emacs/scenario-tool.el"}) {
    const std::string testo = leggi(file);
    ASSERT_FALSE(testo.empty()) << file;
    std::string citato;
    std::istringstream righe(testo);
    for (std::string r; std::getline(righe, r);) citato += r.empty() ? "\n" : "    " + r + "\n";
    EXPECT_NE(readme.find(citato), std::string::npos) << "the README does not quote " << file;
  }
}

}  // namespace
}  // namespace lorvenna
