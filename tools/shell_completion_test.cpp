#include "tools/shell_completion.h"

#include <gtest/gtest.h>

#include "tools/command_table.h"

namespace lorvenna {
namespace {

// A command or option added to the table is completed without an edit of
// the script (bash itself runs the script in the bash_completion test).
TEST(ShellCompletion, OffersEveryCommandOptionAndValueOfTheTable) {
  const std::string script = completamento_bash(comandi(), {"segnale"});
  for (const comando* c : comandi()) {
    EXPECT_NE(script.find("        '" + std::string(c->nome) + "') options=$'"), std::string::npos)
        << c->nome;
    for (const opzione& o : c->opzioni) {
      EXPECT_NE(script.find(std::string(o.nome) + "\\n"), std::string::npos) << o.nome;
      if (o.prende_valore()) {
        EXPECT_NE(script.find("'" + std::string(c->nome) + ":" + o.nome + "'"), std::string::npos)
            << c->nome << " " << o.nome;
      }
      for (const char* v : o.valori) EXPECT_NE(script.find(v), std::string::npos) << v;
    }
  }
}

// compgen expands its word list: a word that would run something stays out.
TEST(ShellCompletion, LeavesOutWordsTheShellWouldExpand) {
  const std::string script =
      completamento_bash(comandi(), {"due parole", "$(touch x)", "`id`", "a'b", "~root", "{a,b}"});
  EXPECT_NE(script.find("other=$'due parole'"), std::string::npos);
  for (const char* pericolosa : {"touch", "id`", "a'b", "~root", "{a,b}"}) {
    EXPECT_EQ(script.find(pericolosa), std::string::npos) << pericolosa;
  }
}

}  // namespace
}  // namespace lorvenna
