#include "output/compiled_scenario.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "compiler/compile.h"
#include "output/layouts.h"
#include "platform/real_file_system.h"
#include "testing/memory_file_system.h"
#include "testing/temp_folder.h"

namespace lorvenna {
namespace {

// The longest route the compiler accepts, with nothing on it.
modello percorso_piu_lungo() {
  MemoryFileSystem fs;
  richiesta_compilazione r{"Prova", "7", true, {"Prova_linea.txt", "Prova_7-.txt"}, {}};
  fs.write(r.testi.linea, "[generale]\r\nlunghezza percorso, 1000000\r\n[fine]\r\n");
  fs.write(r.testi.treno, "[generale]\r\n[fine]\r\n");
  compilazione c = compila(r, fs);
  EXPECT_EQ(c.m.codice_errore, codice::nessuno);
  return std::move(c.m);
}

// Each limit is the largest file the compiler can write, and such a file is
// read. The plan view leaves its last metres empty, so the line file's limit,
// every metre of the longest route set, is a few bytes above what it writes.
TEST(CompiledScenarioLimits, AreTheLargestFilesTheCompilerWrites) {
  const modello lungo = percorso_piu_lungo();
  modello nomi_lunghi;
  for (voce_generale& v : nomi_lunghi.dati_generali) v.nome = std::string(65535, 'n');
  righe_planimetria piena;
  piena.crea(static_cast<int32_t>(lungo.planimetria.metri() - 1));
  piena.inizia();
  while (piena.vuoti() > 0) piena.aggiungi(0, static_cast<double>(piena.calcolati()));

  MemoryFileSystem fs;
  fs.write("linea.dat", codifica_planimetria(piena));
  fs.write("treno.dat", codifica_celle(lungo));
  fs.write("scenario.sim", codifica_dati_generali(nomi_lunghi));
  EXPECT_LE(codifica_planimetria(lungo.planimetria).size(), kLimiteLinea.max_bytes);
  EXPECT_EQ(fs.files().at("linea.dat").size(), kLimiteLinea.max_bytes);
  EXPECT_EQ(fs.files().at("treno.dat").size(), kLimiteTreno.max_bytes);
  EXPECT_EQ(fs.files().at("scenario.sim").size(), kLimiteScenario.max_bytes);

  EXPECT_EQ(leggi_planimetria(fs, "linea.dat").riassunto.doppi, piena.metri() - 2);
  EXPECT_EQ(leggi_celle(fs, "treno.dat").size(), lungo.celle.size());
  EXPECT_EQ(leggi_dati_generali(fs, "scenario.sim")[86].nome.size(), 65535u);

  fs.write("treno.dat", fs.files().at("treno.dat") + std::string(kByteCella, '\0'));
  EXPECT_THROW(leggi_celle(fs, "treno.dat"), FileError);
}

// A sparse 8 GB file in a train file's place is refused at once, by its name.
TEST(CompiledScenarioLimits, RefuseAHugeFileFromItsSize) {
  testing::TempFolder cartella;
  const std::string treno = cartella.file("Prova_7.dat");
  const int fd = ::open(treno.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t{8} << 30), 0);
  ::close(fd);
  RealFileSystem fs;
  const auto inizio = std::chrono::steady_clock::now();
  try {
    leggi_celle(fs, treno);
    FAIL() << "an 8 GB train file was read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), treno);
    EXPECT_EQ(e.reason(), "the file is 8589934592 bytes, more than the " +
                              std::to_string(kLimiteTreno.max_bytes) +
                              " bytes a train file can hold");
  }
  EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(1));
}

}  // namespace
}  // namespace lorvenna
