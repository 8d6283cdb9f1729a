// Time of the whole program run and of the compile alone, on the embedded
// scenario, in a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "driver/file_names.h"
#include "driver/run_sequence.h"
#include "platform/real_file_system.h"
#include "texts/line_description.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

class PiattaformaMuta : public piattaforma {
 public:
  void mostra_attesa() override {}
  [[noreturn]] void errore(const std::string&) override { std::abort(); }
  void segnala_fallimento(const std::string&) override {}
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
    dati_linea(fs, nomi.linea_txt);
    dati_treno(fs, nomi.treno_txt);
    state.ResumeTiming();
    if (memorizza_percorso(true, kNomeScenario, kNumeroTreno, fs, nomi).esito !=
        esito_compilazione::completa) {
      state.SkipWithError("compile failed");
    }
  }
  std::filesystem::remove_all(cartella);
}
BENCHMARK(BM_Compilazione)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lorvenna

BENCHMARK_MAIN();
