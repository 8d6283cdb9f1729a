#include "tools/manual_page.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "tools/command_table.h"

namespace lorvenna {
namespace {

std::string pagina() {
  return pagina_manuale(comandi(), "1.2.3", "/usr/share/doc/scenario-tool/reference.md");
}

// A command or option added to the table is in the page without an edit of it.
TEST(ManualPage, NamesEveryCommandOptionAndValueOfTheTable) {
  const std::string testo = pagina();
  for (const comando* c : comandi()) {
    EXPECT_NE(testo.find(".TP\n\\fB" + in_roff(c->nome) + "\\fR"), std::string::npos) << c->nome;
    for (const opzione& o : c->opzioni) {
      EXPECT_NE(testo.find(".TP\n\\fB" + in_roff(o.nome) + "\\fR"), std::string::npos)
          << c->nome << " " << o.nome;
      for (const char* v : o.valori) {
        EXPECT_NE(testo.find("\\fB" + in_roff(v) + "\\fR"), std::string::npos)
            << c->nome << " " << o.nome << " " << v;
      }
    }
  }
  EXPECT_NE(testo.find(".TH SCENARIO\\-TOOL 1 \"\" \"scenario\\-tool 1.2.3\""), std::string::npos);
  for (const char* sezione :
       {".SH NAME\n", ".SH SYNOPSIS\n", ".SH DESCRIPTION\n", ".SH COMMANDS\n", ".SH OPTIONS\n",
        ".SH \"EXIT STATUS\"\n", ".SH FILES\n", ".SH \"SEE ALSO\"\n"}) {
    EXPECT_NE(testo.find(sezione), std::string::npos) << sezione;
  }
}

TEST(ManualPage, TextIsEscapedForRoff) {
  const std::pair<const char*, const char*> casi[] = {
      {"--no-warn", "\\-\\-no\\-warn"},
      {".hidden", "\\&.hidden"},
      {"'quoted", "\\&'quoted"},
      {"one\n.two", "one\n\\&.two"},
      {"it's", "it's"},
      {"a\\b", "a\\eb"},
      {"run `explain 16`", "run \\fBexplain 16\\fR"},
      {"an `open", "an \\fBopen\\fR"},
      {"velocit\xC3\xA0", "velocit\\[u00E0]"},
      {"\xE2\x80\x94", "\\[u2014]"},
      {"caf\xE9", "caf\\[u00E9]"},  // Windows-1252, not UTF-8: read as such
  };
  for (const auto& [testo, atteso] : casi) EXPECT_EQ(in_roff(testo), atteso) << testo;
}

// Whatever the table's texts hold, every line of the page that reads as a
// request is one the page itself makes.
TEST(ManualPage, NoTextOfTheTableBecomesARequest) {
  static const comando insidioso{
      .nome = "trap",
      .cartelle = {"DIR"},
      .crea_cartella = false,
      .riassunto = ".so /etc/passwd",
      .descrizione = ".so /etc/passwd\n'br\n\\\" and a comment",
      .opzioni = {interruttore("--dash-y", &opzioni_tool::forza, ".ex it")},
      .esegui = nullptr,
  };
  const comando* const tabella[] = {&insidioso, &comando_check()};
  std::istringstream righe(
      pagina_manuale(tabella, "1", "/usr/share/doc/scenario-tool/reference.md"));
  const std::set<std::string> richieste = {".TH", ".SH", ".TP", ".PP", ".RS", ".RE",
                                           ".nh", ".ad", ".hy", ".in", ".ti", ".\\\""};
  std::string riga;
  while (std::getline(righe, riga)) {
    if (riga.starts_with(".") || riga.starts_with("'")) {
      EXPECT_TRUE(richieste.count(riga.substr(0, riga.find(' ')))) << riga;
    }
    EXPECT_EQ(riga.find("--"), std::string::npos) << riga;
  }
}

}  // namespace
}  // namespace lorvenna
