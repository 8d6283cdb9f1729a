#include "tools/diagnostics.h"

#include <gtest/gtest.h>

#include "compiler/compile.h"
#include "compiler/description_fixture.h"

namespace lorvenna {
namespace {

using testing::linea_breve;
using testing::treno;

class DiagnosticaTest : public testing::DescrizioniTest {};

// Each diagnostic names the text and the line of the record at fault; the
// walk's faults name the slowdown or signal they belong to.
TEST_F(DiagnosticaTest, PointsAtTheRecordAtFault) {
  struct Caso {
    const char* nome;
    std::string linea;
    std::string treno;
    std::string atteso;
  };
  const std::string bordo_350 = linea_breve("cartello_indicatore, 350, (A)\n");
  const Caso casi[] = {
      {"signal on a text board", bordo_350,
       treno({"sabbia, 3", "segnale, 350, 2,3,1,0,0,0,0,0,0,0"}),
       "Prova_7-.txt:3: error: signal at 350 m falls on a cell already taken by a text board "
       "(codice_errore 16)"},
      {"text board on a text board",
       linea_breve("cartello_indicatore, 350, (A)\ncartello_indicatore, 375, (B)\n"), treno({}),
       "Prova_linea.txt:6: error: text board at 375 m falls on a cell already taken by a text "
       "board (codice_errore 6)"},
      {"a field that is no number", linea_breve("pendenza, 0, 0\npendenza, 12abc, 3\n"), treno({}),
       "Prova_linea.txt:6: error: \"12abc\" is not a number within the 32-bit range "
       "(codice_errore 25)"},
      {"no room on a slowdown's approach",
       linea_breve("cartello_indicatore, 4650, (A)\ncartello_indicatore, 4700, (B)\n"
                   "cartello_indicatore, 4750, (C)\n"),
       treno({"velocita, 0, 100", "rallentamento, 5000, 60, 200, 0, 0, 0"}),
       "Prova_7-.txt:3: error: no room for a 180-point on the approach to the slowdown starting "
       "at 5050 m (codice_errore 12)"},
      {"no line text", "", treno({}),
       "Prova_linea.txt: error: the line description text does not exist (codice_errore 101)"},
  };
  for (const Caso& c : casi) {
    disco = MemoryFileSystem{};
    if (!c.linea.empty()) disco.write(testi.linea, c.linea);
    disco.write(testi.treno, c.treno);
    const compilazione r = compila({"Prova", "7", true, testi}, fs);
    EXPECT_EQ(diagnostica(r), c.atteso) << c.nome;
  }
}

TEST_F(DiagnosticaTest, NothingWithoutAFault) {
  disco.write(testi.linea, linea_breve("pendenza, 0, 0\n"));
  disco.write(testi.treno, treno({}));
  EXPECT_EQ(diagnostica(compila({"Prova", "7", true, testi}, fs)), "");
}

}  // namespace
}  // namespace lorvenna
