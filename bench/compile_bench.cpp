// How close a run comes to the least a program could do: write the same
// bytes into the same files, with the syncs that durability needs, and
// compute nothing. Each benchmark times a run and its I/O floor in turn, 30
// pairs, and reports the median and 90th percentile of the run, the floor
// and their ratio, the bytes written per second and the peak memory of the
// run as a process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "bench/percentile.h"
#include "bench/route_generator.h"
#include "check/diagnostics.h"
#include "check/texts_in_memory.h"
#include "compiler/compile.h"
#include "compiler/text_limit.h"
#include "driver/file_names.h"
#include "driver/run_sequence.h"
#include "platform/deferred_deletions.h"
#include "platform/real_file_system.h"
#include "platform/replace_files.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/notes.h"
#include "texts/slow_order.h"
#include "texts/train_card.h"
#include "texts/train_description.h"

extern char** environ;

namespace lorvenna {
namespace {

using orologio = std::chrono::steady_clock;

class piattaforma_muta : public piattaforma {
 public:
  void mostra_attesa() override {}
  [[noreturn]] void errore(const std::string&) override { std::abort(); }
  void segnala_fallimento(const std::string&) override {}
};

class cartella_temporanea {
 public:
  cartella_temporanea() {
    std::string modello =
        (std::filesystem::temp_directory_path() / "lorvenna-bench-XXXXXX").string();
    percorso_ = ::mkdtemp(modello.data());
  }
  ~cartella_temporanea() { std::filesystem::remove_all(percorso_); }
  const std::string& percorso() const { return percorso_; }

 private:
  std::string percorso_;
};

double secondi(orologio::duration d) { return std::chrono::duration<double>(d).count(); }

// Peak resident memory, in MiB, of a program run once with `argomenti`
// (the program first), measured by the small peak_memory helper.
double picco_mib(const std::vector<std::string>& argomenti) {
  const std::string uscita =
      (std::filesystem::temp_directory_path() / "lorvenna-bench-peak").string();
  std::vector<std::string> tutti = {LORVENNA_PEAK_MEMORY, uscita};
  tutti.insert(tutti.end(), argomenti.begin(), argomenti.end());
  std::vector<char*> argv;
  for (const std::string& a : tutti) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int stato;
  if (::waitpid(pid, &stato, 0) != pid) return -1;
  double kib = -1;
  if (std::FILE* f = std::fopen(uscita.c_str(), "r")) {
    if (std::fscanf(f, "%lf", &kib) != 1) kib = -1;
    std::fclose(f);
  }
  std::filesystem::remove(uscita);
  return kib < 0 ? -1 : kib / 1024.0;
}

// The files of one run and their bytes, in the order the run writes them.
struct file_scritto {
  std::string percorso;
  std::string byte;
};

void leggi_tutti(const std::vector<std::string>& nomi, std::vector<file_scritto>& out) {
  // The run wrote them: a limit is no protection here.
  constexpr ReadLimit kFileDellaCorsa{UINT64_MAX, "a file of the run"};
  RealFileSystem fs;
  for (const std::string& n : nomi) out.push_back({n, fs.read(n, kFileDellaCorsa)});
}

// The floor writes every file from this one buffer, refilled a piece at a
// time: a program that computes nothing still has to hand the bytes to the
// system, but need never hold a whole large file in fresh memory.
constexpr size_t kPezzo = size_t{1} << 20;

// A file written under a temporary name from the reused buffer `pezzo`,
// synced when it is to be kept; the rename is left to the caller.
std::string scrivi_provvisorio(const file_scritto& f, std::vector<char>& pezzo, bool sincronizza) {
  std::string provvisorio = f.percorso + ".floor";
  const int fd = ::open(provvisorio.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) std::abort();
  for (size_t da = 0; da < f.byte.size(); da += kPezzo) {
    const size_t n = std::min(kPezzo, f.byte.size() - da);
    std::memcpy(pezzo.data(), f.byte.data() + da, n);
    if (::write(fd, pezzo.data(), n) != static_cast<ssize_t>(n)) std::abort();
  }
  if ((sincronizza && ::fsync(fd) != 0) || ::close(fd) != 0) std::abort();
  return provvisorio;
}

void rinomina(const std::string& da, const std::string& a) {
  if (::rename(da.c_str(), a.c_str()) != 0) std::abort();
}

void sincronizza_cartella(const std::string& cartella) {
  const int fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0 || ::fsync(fd) != 0 || ::close(fd) != 0) std::abort();
}

// The durable floor of the embedded run: the same eight files' bytes, each
// kept file synced once before its rename, the folder synced once at the
// end, and the two description texts (read back and deleted within the
// run) never synced: seven syncs, whatever the program itself does.
void pavimento_durevole(const std::string& cartella, const std::vector<file_scritto>& descrizioni,
                        const std::vector<file_scritto>& tenuti, std::vector<char>& pezzo) {
  for (const file_scritto& d : descrizioni)
    rinomina(scrivi_provvisorio(d, pezzo, false), d.percorso);
  RealFileSystem fs;
  for (const file_scritto& d : descrizioni) {
    benchmark::DoNotOptimize(fs.read(d.percorso, kLimiteTesto));
    ::unlink(d.percorso.c_str());
  }
  for (const file_scritto& t : tenuti) rinomina(scrivi_provvisorio(t, pezzo, true), t.percorso);
  sincronizza_cartella(cartella);
}

// The floor of a compile of texts that stand in the folder: both read, and
// the binary files written as a set (all three complete and synced before
// the first rename), the folder synced once.
void pavimento_compilazione(const std::string& cartella, const std::vector<std::string>& testi,
                            const std::vector<file_scritto>& binari, std::vector<char>& pezzo) {
  RealFileSystem fs;
  for (const std::string& t : testi) benchmark::DoNotOptimize(fs.read(t, kLimiteTesto));
  std::vector<std::string> provvisori;
  for (const file_scritto& b : binari) provvisori.push_back(scrivi_provvisorio(b, pezzo, true));
  for (size_t i = 0; i < binari.size(); ++i) rinomina(provvisori[i], binari[i].percorso);
  sincronizza_cartella(cartella);
}

size_t byte_di(const std::vector<file_scritto>& a, const std::vector<file_scritto>& b) {
  size_t n = 0;
  for (const auto* v : {&a, &b}) {
    for (const file_scritto& f : *v) n += f.byte.size();
  }
  return n;
}

// Times `corsa` and `sul_pavimento` in turn, reporting the run's time as the
// iteration's, and beside it the median and 90th percentile of the run, of
// the floor and of the pairs' ratios.
template <typename Corsa, typename Pavimento>
void misura(benchmark::State& state, Corsa corsa, Pavimento sul_pavimento, size_t byte,
            double picco) {
  std::vector<double> corse, pavimenti, rapporti;
  int64_t giro = 0;
  for (auto _ : state) {
    // Each goes first every other time, so that neither always inherits
    // the other's dirty pages and freed blocks.
    const bool prima_la_corsa = giro++ % 2 == 0;
    double t_corsa = 0, t_pavimento = 0;
    for (int k = 0; k < 2; ++k) {
      const bool tocca_corsa = (k == 0) == prima_la_corsa;
      const auto t0 = orologio::now();
      if (tocca_corsa) {
        corsa();
      } else {
        sul_pavimento();
      }
      (tocca_corsa ? t_corsa : t_pavimento) = secondi(orologio::now() - t0);
    }
    state.SetIterationTime(t_corsa);
    corse.push_back(1000 * t_corsa);
    pavimenti.push_back(1000 * t_pavimento);
    rapporti.push_back(t_corsa / t_pavimento);
  }
  // Ratios of pairs, not of medians: one slow sync on either side moves the
  // median no more than one pair's worth, and the 90th percentile shows how
  // often a run falls well behind its floor.
  for (const auto& [nome, valori] :
       {std::pair{"run", &corse}, std::pair{"floor", &pavimenti}, std::pair{"ratio", &rapporti}}) {
    const std::string n = nome;
    state.counters[n + (n == "ratio" ? "" : "_ms")] = bench::percentile(*valori, 0.5);
    state.counters[n + (n == "ratio" ? "_p90" : "_p90_ms")] = bench::percentile(*valori, 0.9);
  }
  state.counters["peak_MiB"] = picco;
  state.SetBytesProcessed(static_cast<int64_t>(byte) * state.iterations());
}

// Pairs each benchmark times: enough for a 90th percentile that is not the
// slowest pair alone.
constexpr int kCoppie = 30;

void BM_ProgrammaIncorporato(benchmark::State& state) {
  cartella_temporanea cartella;
  RealFileSystem fs;
  piattaforma_muta p;
  std::ostringstream errori;
  const nomi_file nomi = nomi_file_per(cartella.percorso(), kNomeScenario, kNumeroTreno);
  // One run shows the bytes the floor must write.
  esegui_programma(cartella.percorso(), fs, p, errori);
  const std::vector<file_scritto> descrizioni = {{nomi.linea_txt, testo_da_tabella(righe_linea())},
                                                 {nomi.treno_txt, testo_da_tabella(righe_treno())}};
  std::vector<file_scritto> tenuti;
  leggi_tutti({nomi.note, nomi.rallentamenti, nomi.scheda, nomi.linea_dat, nomi.scenario_sim,
               nomi.treno_dat},
              tenuti);
  const std::string programma = cartella.percorso() + "/lorvenna";
  std::filesystem::copy_file(LORVENNA_PROGRAM, programma);
  const double picco = picco_mib({programma});
  std::filesystem::remove(programma);
  std::vector<char> pezzo(kPezzo);
  misura(
      state,
      [&] {
        if (esegui_programma(cartella.percorso(), fs, p, errori) != 0) state.SkipWithError("run");
      },
      [&] { pavimento_durevole(cartella.percorso(), descrizioni, tenuti, pezzo); },
      byte_di(descrizioni, tenuti), picco);
}
BENCHMARK(BM_ProgrammaIncorporato)
    ->UseManualTime()
    ->Iterations(kCoppie)
    ->Unit(benchmark::kMillisecond);

void BM_CompilazioneInMemoria(benchmark::State& state) {
  const testi_descrizione testi{"L_linea.txt", "L_1-.txt"};
  const std::string linea = testo_da_tabella(righe_linea());
  const std::string treno = testo_da_tabella(righe_treno());
  for (auto _ : state) {
    MemoryFileSystem fs;
    fs.write(testi.linea, linea);
    fs.write(testi.treno, treno);
    benchmark::DoNotOptimize(compila({kNomeScenario, kNumeroTreno, true, testi, {}}, fs));
  }
}
BENCHMARK(BM_CompilazioneInMemoria)->Unit(benchmark::kMillisecond);

// A generated route, end to end as scenario-tool compiles it: the two texts
// standing in the folder read, compiled, and the binary files written.
void BM_PercorsoGenerato(benchmark::State& state) {
  const auto lunghezza = static_cast<int32_t>(state.range(0) * 1000);
  const bench::descrizioni d = bench::genera_percorso(lunghezza);
  cartella_temporanea cartella;
  RealFileSystem fs;
  const nomi_file nomi = nomi_file_per(cartella.percorso(), "Bench", "1");
  write_whole_file(fs, nomi.linea_txt, d.linea);
  write_whole_file(fs, nomi.treno_txt, d.treno);
  // The author's texts stay, as scenario-tool compile leaves them.
  auto corsa = [&] {
    DeferredDeletions testi_restano(fs, {nomi.linea_txt, nomi.treno_txt});
    return memorizza_percorso(/*con_linea=*/true, "Bench", "1", testi_restano, nomi);
  };
  const compilazione c = corsa();
  if (c.esito != esito_compilazione::completa || c.m.con_codice()) {
    state.SkipWithError(
        ("the generated route compiles with code " + std::to_string(numero(c.m.codice_errore)))
            .c_str());
    return;
  }
  std::vector<file_scritto> binari;
  leggi_tutti({nomi.linea_dat, nomi.scenario_sim, nomi.treno_dat}, binari);
  const double picco = picco_mib(
      {LORVENNA_TOOL, "compile", cartella.percorso(), "--scenario", "Bench", "--train", "1"});
  std::vector<char> pezzo(kPezzo);
  misura(
      state, [&] { benchmark::DoNotOptimize(corsa()); },
      [&] {
        pavimento_compilazione(cartella.percorso(), {nomi.linea_txt, nomi.treno_txt}, binari,
                               pezzo);
      },
      byte_di({}, binari), picco);
  state.counters["line_file_MiB"] = static_cast<double>(binari[0].byte.size()) / (1024.0 * 1024.0);
}
void BM_PercorsoInMemoria(benchmark::State& state) {
  const bench::descrizioni d = bench::genera_percorso(static_cast<int32_t>(state.range(0) * 1000));
  const testi_descrizione testi{"Bench_linea.txt", "Bench_1-.txt"};
  for (auto _ : state) {
    MemoryFileSystem fs;
    fs.write(testi.linea, d.linea);
    fs.write(testi.treno, d.treno);
    benchmark::DoNotOptimize(compila({"Bench", "1", true, testi, {}}, fs));
  }
}
BENCHMARK(BM_PercorsoInMemoria)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// The check an author runs on every compile, against the compile itself:
// both on the same texts in memory, each going first every other time. The
// check's time is the iteration's; `compile_ms` and the median ratio
// check/compile stand beside it.
void confronta_controllo(benchmark::State& state, const std::string& scenario,
                         const std::string& treno, const std::string& linea,
                         const std::string& testo_treno) {
  const testi_descrizione testi{scenario + "_linea.txt", scenario + "_" + treno + "-.txt"};
  const testi_sorgente letti = {{testi.linea, linea}, {testi.treno, testo_treno}};
  const richiesta_compilazione r{scenario, treno, true, testi, {}};
  double totale_compilazione = 0;
  std::vector<double> rapporti;
  int64_t giro = 0;
  for (auto _ : state) {
    const bool prima_il_controllo = giro++ % 2 == 0;
    double t_controllo = 0, t_compilazione = 0;
    for (int k = 0; k < 2; ++k) {
      TextsInMemory in_memoria(letti);
      const bool tocca_controllo = (k == 0) == prima_il_controllo;
      const auto t0 = orologio::now();
      if (tocca_controllo) {
        const std::vector<Diagnostic> d = controlla_scenario(in_memoria, r, letti);
        if (con_errori(d)) state.SkipWithError("the texts have errors");
        benchmark::DoNotOptimize(d);
      } else {
        benchmark::DoNotOptimize(compila(r, in_memoria));
      }
      (tocca_controllo ? t_controllo : t_compilazione) = secondi(orologio::now() - t0);
    }
    state.SetIterationTime(t_controllo);
    totale_compilazione += t_compilazione;
    rapporti.push_back(t_controllo / t_compilazione);
  }
  state.counters["compile_ms"] =
      1000 * totale_compilazione / static_cast<double>(state.iterations());
  std::nth_element(rapporti.begin(), rapporti.begin() + rapporti.size() / 2, rapporti.end());
  state.counters["ratio"] = rapporti.empty() ? 0 : rapporti[rapporti.size() / 2];
}

void BM_ControlloInMemoria(benchmark::State& state) {
  confronta_controllo(state, kNomeScenario, kNumeroTreno, testo_da_tabella(righe_linea()),
                      testo_da_tabella(righe_treno()));
}
BENCHMARK(BM_ControlloInMemoria)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ControlloPercorso(benchmark::State& state) {
  const bench::descrizioni d = bench::genera_percorso(static_cast<int32_t>(state.range(0) * 1000));
  confronta_controllo(state, "Bench", "1", d.linea, d.treno);
}
BENCHMARK(BM_ControlloPercorso)
    ->Arg(100)
    ->Arg(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK(BM_PercorsoGenerato)
    ->Arg(100)
    ->Arg(250)
    ->Arg(500)
    ->Arg(1000)
    ->UseManualTime()
    ->Iterations(kCoppie)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lorvenna

BENCHMARK_MAIN();
