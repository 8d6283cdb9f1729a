// Time of the whole program run and of the compile alone, on the embedded
// scenario, in a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "compiler/compile_driver.h"
#include "driver/file_names.h"
#include "driver/file_system.h"
#include "driver/run_sequence.h"
#include "texts/line_description.h"
#include "texts/line_table.h"

namespace lorvenna {
namespace {

class PiattaformaMuta : public piattaforma {
 public:
  void mostra_attesa() override {}
  [[noreturn]] void errore(const std::string&) override { std::abort(); }
};

std::string cartella_temporanea() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lorvenna-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data());
}

void BM_Programma(benchmark::State& state) {
  const std::string cartella = cartella_temporanea();
  RealFileSystem fs;
  PiattaformaMuta p;
  std::ostringstream errori;
  for (auto _ : state) {
    if (esegui_programma(cartella, fs, p, errori) != 0) state.SkipWithError("run failed");
  }
  std::filesystem::remove_all(cartella);
}
BENCHMARK(BM_Programma)->Unit(benchmark::kMillisecond);

void BM_Compilazione(benchmark::State& state) {
  const std::string cartella = cartella_temporanea();
  RealFileSystem fs;
  const nomi_file nomi = nomi_file_per(cartella, kNomeScenario, kNumeroTreno);
  for (auto _ : state) {
    state.PauseTiming();
    dati_linea(fs, nomi);
    modello m;
    m.nome_scenario = kNomeScenario;
    m.numero_treno = kNumeroTreno;
    state.ResumeTiming();
    if (memorizza_percorso(m, 1, fs, nomi) != esito_compilazione::scritto) {
      state.SkipWithError("compile failed");
    }
  }
  std::filesystem::remove_all(cartella);
}
BENCHMARK(BM_Compilazione)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lorvenna

BENCHMARK_MAIN();
