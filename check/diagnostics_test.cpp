#include "check/diagnostics.h"

#include <gtest/gtest.h>

#include "compiler/compile.h"
#include "compiler/description_fixture.h"

namespace lorvenna {
namespace {

using testing::linea_breve;
using testing::treno;

class DiagnosticaTest : public testing::DescrizioniTest {};

// "FILE:LINE:COL: MESSAGE [CODE]", from the one finding of a compile.
std::string in_breve(const std::vector<Diagnostic>& d) {
  if (d.size() != 1) return std::to_string(d.size()) + " findings";
  const SourceSpan& s = d[0].where;
  return s.file + ":" + std::to_string(s.line) + ":" + std::to_string(s.column) + "-" +
         std::to_string(s.end_column) + ": " + d[0].message + " [" + d[0].code + "]";
}

// Each finding names the text and the line of the record at fault, and
// spans the record; the walk's faults name the slowdown or signal they
// belong to.
TEST_F(DiagnosticaTest, PointsAtTheRecordAtFault) {
  struct caso {
    const char* nome;
    std::string linea;
    std::string treno;
    std::string atteso;
  };
  const std::string bordo_350 = linea_breve("cartello_indicatore, 350, (A)\n");
  const caso casi[] = {
      {"signal on a text board", bordo_350,
       treno({"sabbia, 3", "segnale, 350, 2,3,1,0,0,0,0,0,0,0"}),
       "Prova_7-.txt:3:10-13: signal at 350 m falls on a cell already taken by a text board "
       "[codice 16]"},
      {"text board on a text board",
       linea_breve("cartello_indicatore, 350, (A)\ncartello_indicatore, 375, (B)\n"), treno({}),
       "Prova_linea.txt:6:22-25: text board at 375 m falls on a cell already taken by a text "
       "board [codice 6]"},
      {"a field that is no number", linea_breve("pendenza, 0, 0\npendenza, 12abc, 3\n"), treno({}),
       "Prova_linea.txt:6:11-16: \"12abc\" is not a number within the 32-bit range "
       "[codice 25]"},
      {"no room on a slowdown's approach",
       linea_breve("cartello_indicatore, 4650, (A)\ncartello_indicatore, 4700, (B)\n"
                   "cartello_indicatore, 4750, (C)\n"),
       treno({"velocita, 0, 100", "rallentamento, 5000, 60, 200, 0, 0, 0"}),
       "Prova_7-.txt:3:16-20: no room for a 180-point on the approach to the slowdown starting "
       "at 5050 m [codice 12]"},
      {"a field with an accented letter, on an indented record",
       linea_breve("pendenza, 0, 0\n  pendenza, 12\xE0, 3 \t\n"), treno({}),
       "Prova_linea.txt:6:13-16: \"12\xC3\xA0\" is not a number within the 32-bit range "
       "[codice 25]"},
      {"the scenario code's place taken",
       linea_breve("indicatori_vmax, 0, 0, 0, 0, 0, 0, 5, 0, 0\n"), treno({}),
       "Prova_linea.txt:5:18-19: the speed board here takes cell 1, where the compile puts the "
       "scenario's code [codice 1251]"},
      {"no line text", "", treno({}),
       "Prova_linea.txt:0:0-0: the line description text does not exist [codice 101]"},
  };
  for (const caso& c : casi) {
    disco = MemoryFileSystem{};
    if (!c.linea.empty()) disco.write(testi.linea, c.linea);
    disco.write(testi.treno, c.treno);
    const compilazione r = compila({"Prova", "7", true, testi, {}}, fs);
    const testi_sorgente sorgenti = {{testi.linea, c.linea}, {testi.treno, c.treno}};
    EXPECT_EQ(in_breve(controlla_testi(r, sorgenti)), c.atteso) << c.nome;
  }
}

TEST_F(DiagnosticaTest, NothingWithoutAFault) {
  disco.write(testi.linea, linea_breve("pendenza, 0, 0\n"));
  disco.write(testi.treno, treno({}));
  EXPECT_TRUE(controlla_testi(compila({"Prova", "7", true, testi, {}}, fs), {}).empty());
}

// Left-out classes go whatever the other option says; errors are never
// left out, even when their code is named.
TEST(AvvisiTest, OptionsOnWarnings) {
  const auto di = [](Severity s, const char* code) {
    return Diagnostic{s, {"T.txt", 1, 1, 2}, code, "m", {}, {}};
  };
  const std::vector<Diagnostic> trovate = {di(Severity::warning, "unused-record"),
                                           di(Severity::warning, "tight-curve"),
                                           di(Severity::error, "codice 8")};
  const auto gravita = [](const std::vector<Diagnostic>& d) {
    std::string s;
    for (const Diagnostic& x : d) {
      s += x.code + (x.severity == Severity::error ? "=E " : "=W ");
    }
    return s;
  };
  EXPECT_EQ(gravita(secondo_le_opzioni(trovate, {}, false)),
            "unused-record=W tight-curve=W codice 8=E ");
  EXPECT_EQ(gravita(secondo_le_opzioni(trovate, {"tight-curve", "codice 8"}, true)),
            "unused-record=E codice 8=E ");
  EXPECT_TRUE(con_errori(trovate));
  EXPECT_FALSE(con_errori({trovate[0], trovate[1]}));
  EXPECT_TRUE(con_errori(secondo_le_opzioni({trovate[0]}, {}, true)));
}

}  // namespace
}  // namespace lorvenna
