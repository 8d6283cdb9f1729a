// The language server as an author meets it: from an edit the editor sends
// to the findings it gets back, for the embedded texts and a long route, and
// the server's memory over many edits.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "bench/percentile.h"
#include "bench/route_generator.h"
#include "encoding/windows1252.h"
#include "lsp/server.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

using json = nlohmann::json;
using orologio = std::chrono::steady_clock;

// A server with both texts open, each edit one character typed into the
// first line of the train text and then taken out again, so that every
// check finds the texts as they began.
class sessione {
 public:
  sessione(const std::string& linea, const std::string& treno) {
    disco_.write("/b/B_linea.txt", linea);
    disco_.write("/b/B_1-.txt", treno);
    manda({{"id", 1}, {"method", "initialize"}, {"params", {{"capabilities", json::object()}}}});
    apri("file:///b/B_linea.txt", linea);
    apri("file:///b/B_1-.txt", treno);
    s_.pubblica();
  }

  // One edit, up to the findings published for the train text.
  void modifica() {
    const bool togli = (versione_ % 2) == 0;
    const json inizio = {{"line", 0}, {"character", 0}};
    const json fine = {{"line", 0}, {"character", togli ? 1 : 0}};
    manda({{"method", "textDocument/didChange"},
           {"params",
            {{"textDocument", {{"uri", "file:///b/B_1-.txt"}, {"version", ++versione_}}},
             {"contentChanges",
              {{{"range", {{"start", inizio}, {"end", fine}}}, {"text", togli ? "" : " "}}}}}}});
    pubblicate_ = 0;
    s_.pubblica();
    if (pubblicate_ == 0) throw std::runtime_error("no findings published");
  }

 private:
  void manda(json m) {
    m["jsonrpc"] = "2.0";
    s_.ricevi(m.dump());
  }
  void apri(const std::string& uri, const std::string& testo) {
    manda({{"method", "textDocument/didOpen"},
           {"params",
            {{"textDocument",
              {{"uri", uri},
               {"languageId", "x"},
               {"version", 1},
               {"text", windows1252_a_utf8(testo)}}}}}});
  }

  MemoryFileSystem disco_;
  int pubblicate_ = 0;
  int versione_ = 1;
  server_lsp s_{disco_, {}, [this](const std::string& corpo) {
                  if (corpo.find("publishDiagnostics") != std::string::npos) ++pubblicate_;
                  benchmark::DoNotOptimize(corpo);
                }};
};

using bench::percentile;

void misura_modifiche(benchmark::State& state, const std::string& linea, const std::string& treno) {
  sessione s(linea, treno);
  std::vector<double> ms;
  for (auto _ : state) {
    const auto t0 = orologio::now();
    s.modifica();
    const double t = std::chrono::duration<double>(orologio::now() - t0).count();
    state.SetIterationTime(t);
    ms.push_back(1000 * t);
  }
  state.counters["p50_ms"] = percentile(ms, 0.5);
  state.counters["p90_ms"] = percentile(ms, 0.9);
}

void BM_ServerModificaIncorporato(benchmark::State& state) {
  misura_modifiche(state, testo_da_tabella(righe_linea()), testo_da_tabella(righe_treno()));
}
BENCHMARK(BM_ServerModificaIncorporato)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ServerModificaPercorso(benchmark::State& state) {
  const bench::descrizioni d = bench::genera_percorso(static_cast<int32_t>(state.range(0) * 1000));
  misura_modifiche(state, d.linea, d.treno);
}
BENCHMARK(BM_ServerModificaPercorso)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);

// The embedded texts with one line of 40,000 accented letters and then
// 2,000 characters that Windows-1252 lacks (each 0x81, which the editor
// shows as U+FFFD), each of them an error at a place past the accents.
void BM_ServerModificaRigaLunga(benchmark::State& state) {
  std::string treno = testo_da_tabella(righe_treno());
  treno.insert(treno.rfind("[fine]"),
               "# " + std::string(40000, '\xE8') + std::string(2000, '\x81') + "\r\n");
  misura_modifiche(state, testo_da_tabella(righe_linea()), treno);
}
BENCHMARK(BM_ServerModificaRigaLunga)->UseManualTime()->Unit(benchmark::kMillisecond);

// The process's resident memory, in KiB.
double residente_kib() {
  std::ifstream statm("/proc/self/statm");
  double pagine_totali = 0, residenti = 0;
  statm >> pagine_totali >> residenti;
  return residenti * 4;
}

// 10,000 edits: the memory after the first thousand and after the last
// should be the same, whatever the edits leave behind.
void BM_ServerMemoria(benchmark::State& state) {
  for (auto _ : state) {
    sessione s(testo_da_tabella(righe_linea()), testo_da_tabella(righe_treno()));
    for (int i = 0; i < 1000; ++i) s.modifica();
    const double dopo_mille = residente_kib();
    for (int i = 1000; i < 10000; ++i) s.modifica();
    state.counters["rss_after_1000_kib"] = dopo_mille;
    state.counters["rss_after_10000_kib"] = residente_kib();
  }
}
BENCHMARK(BM_ServerMemoria)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lorvenna
