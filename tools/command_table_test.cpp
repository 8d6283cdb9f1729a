#include "tools/command_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace lorvenna {
namespace {

std::string readme() {
  std::ifstream in(LORVENNA_SOURCE_DIR "/README.md");
  std::ostringstream testo;
  testo << in.rdbuf();
  return testo.str();
}

// The README shows authors the same command lines the tool accepts.
TEST(CommandTable, TheReadmeShowsEveryCommandAsTheTableHasIt) {
  const std::string testo = readme();
  ASSERT_FALSE(testo.empty()) << "README.md not found in " LORVENNA_SOURCE_DIR;
  const size_t sezione = testo.find("\n## scenario-tool\n");
  ASSERT_NE(sezione, std::string::npos);
  for (const comando* c : comandi()) {
    EXPECT_NE(testo.find("\n    build/scenario-tool " + sinossi(*c) + "\n", sezione),
              std::string::npos)
        << sinossi(*c);
  }
  const std::regex nominato("scenario-tool ([a-z][a-z-]*)");
  for (auto it = std::sregex_iterator(testo.begin(), testo.end(), nominato);
       it != std::sregex_iterator(); ++it) {
    EXPECT_NE(trova_comando((*it)[1]), nullptr) << "the README names " << it->str();
  }
}

TEST(CommandTable, NamesAndOptionsAreUnique) {
  std::set<std::string> nomi;
  for (const comando* c : comandi()) {
    EXPECT_TRUE(nomi.insert(c->nome).second) << c->nome;
    std::set<std::string> opzioni = {"--help", "-h"};
    for (const opzione& o : c->opzioni) {
      EXPECT_TRUE(opzioni.insert(o.nome).second) << c->nome << " " << o.nome;
      EXPECT_EQ(o.prende_valore(), *o.valore != '\0') << c->nome << " " << o.nome;
    }
  }
}

}  // namespace
}  // namespace lorvenna
