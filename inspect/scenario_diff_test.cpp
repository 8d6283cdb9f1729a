#include "inspect/scenario_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string_view>

#include "driver/run_sequence.h"
#include "output/binary_decoders.h"
#include "output/binary_files.h"
#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

// Two runs of the embedded scenario, in folders "a" and "b" held in memory.
class DiffTest : public ::testing::Test {
 protected:
  DiffTest() {
    std::ostringstream scarto;
    esegui_programma("a", disco, piattaforma, scarto);
    esegui_programma("b", disco, piattaforma, scarto);
  }
  int confronta(size_t limite = 40) {
    uscita.str("");
    return confronta_scenari(disco, a, b, limite, uscita);
  }
  MemoryFileSystem disco;
  testing::FakePlatform piattaforma;
  file_binari a = binari_di(nomi_file_per("a", kNomeScenario, kNumeroTreno));
  file_binari b = binari_di(nomi_file_per("b", kNomeScenario, kNumeroTreno));
  std::ostringstream uscita;
};

TEST_F(DiffTest, ARunAgainstItselfIsTheSame) {
  EXPECT_EQ(confronta(), 0);
  EXPECT_EQ(uscita.str(), "");
}

// The second run's records are changed and written back with the same
// encoders; diff names each changed record.
TEST_F(DiffTest, NamesTheRecordThatChanged) {
  modello m;
  m.celle = decodifica_celle(disco.files().at(b.treno));
  m.dati_generali = decodifica_dati_generali(disco.files().at(b.scenario));
  m.celle[734].tipo_cella = tipo_vuota;
  m.dati_generali[1].orario += 1;
  disco.write(b.treno, codifica_celle(m));
  disco.write(b.scenario, codifica_dati_generali(m));
  const punti_planimetria punti = decodifica_punti(disco.files().at(b.linea));
  righe_planimetria p;
  p.crea(static_cast<int32_t>(punti.x.size()) + 1);
  p.inizia();
  for (size_t i = 2; i < punti.x.size(); ++i)
    p.aggiungi(punti.x[i] + (i == 102 ? 1 : 0), punti.y[i]);
  disco.write(b.linea, codifica_planimetria(p));

  EXPECT_EQ(confronta(), 1);
  const std::string detto = uscita.str();
  EXPECT_NE(detto.find("cell 734 (36700 m): tipo_cella 1 -> 0"), std::string::npos) << detto;
  EXPECT_NE(detto.find("entry 1 (GALLARATE): orario 28560 -> 28561 (07:56:00 -> 07:56:01)"),
            std::string::npos)
      << detto;
  EXPECT_NE(detto.find("plan view: metres 102-102 differ; the drawings are at most 1.0 m apart, "
                       "at metre 102"),
            std::string::npos)
      << detto;
}

// A name is shown as the terminal should print it, never as bytes it would
// act on: an escape sequence in a record's name arrives escaped.
TEST_F(DiffTest, ControlBytesInNamesAreEscaped) {
  modello m;
  m.dati_generali = decodifica_dati_generali(disco.files().at(b.scenario));
  m.dati_generali[1].nome = "GALL\x1b[31mARATE";
  m.dati_generali[1].orario += 1;
  disco.write(b.scenario, codifica_dati_generali(m));
  EXPECT_EQ(confronta(), 1);
  const std::string detto = uscita.str();
  EXPECT_EQ(detto.find('\x1b'), std::string::npos) << detto;
  EXPECT_NE(detto.find("GALL\\x1B[31mARATE"), std::string::npos) << detto;
}

TEST_F(DiffTest, AScreenfulUnlessAll) {
  modello m;
  m.celle = decodifica_celle(disco.files().at(b.treno));
  for (size_t i = 0; i < m.celle.size(); ++i) m.celle[i].tipo_montagna = i % 2;
  disco.write(b.treno, codifica_celle(m));
  EXPECT_EQ(confronta(), 1);
  EXPECT_NE(uscita.str().find("... and 792 more (--all shows them)"), std::string::npos)
      << uscita.str();
  EXPECT_EQ(confronta(0), 1);
  EXPECT_EQ(uscita.str().find("more"), std::string::npos);
}

// Consecutive cells with the same change are one line, with the values in
// an author's units beside the stored ones.
TEST_F(DiffTest, FoldsRunsAndShowsUnits) {
  modello m;
  m.celle = decodifica_celle(disco.files().at(b.treno));
  for (size_t i = 2; i <= 6; ++i) m.celle[i].pendenza = 95;
  disco.write(b.treno, codifica_celle(m));
  EXPECT_EQ(confronta(0), 1);
  EXPECT_EQ(uscita.str(), "cells 2-6 (100-300 m): pendenza 100 -> 95 (0 -> -5 per mille)\n");
}

// A damaged file is named with its folder, whichever of the two it is in.
TEST_F(DiffTest, NamesTheDamagedFileOfEitherFolder) {
  disco.write(b.treno, std::string(100, '\0'));
  try {
    confronta();
    FAIL();
  } catch (const DamagedFileError& e) {
    EXPECT_TRUE(std::string(e.what()).starts_with(b.treno + ": ")) << e.what();
  }
}

// One signal record moved onto a text board stops the train text there:
// what that changes must fit a screen.
TEST_F(DiffTest, AMovedSignalFitsAScreen) {
  std::string testo;
  for (std::string_view riga : righe_treno()) {
    testo += riga.starts_with("segnale,   70900,")
                 ? "segnale,   4250,   2, 4, 0,  0, 0,    2,  2,0,0, 0"
                 : std::string(riga);
    testo += "\r\n";
  }
  const nomi_file nomi = nomi_file_per("b", kNomeScenario, kNumeroTreno);
  dati_linea(disco, nomi.linea_txt);
  disco.write(nomi.treno_txt, testo);
  const compilazione c =
      memorizza_percorso(/*con_linea=*/true, kNomeScenario, kNumeroTreno, disco, nomi);
  ASSERT_EQ(c.m.codice_errore, codice::segnale_occupato);
  EXPECT_EQ(confronta(0), 1);
  const std::string detto = uscita.str();
  EXPECT_LE(std::count(detto.begin(), detto.end(), '\n'), 60) << detto;
  EXPECT_NE(detto.find("cell 1419 (70950 m): tipo_cella 1 -> 0"), std::string::npos) << detto;
}

}  // namespace
}  // namespace lorvenna
