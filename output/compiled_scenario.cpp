#include "output/compiled_scenario.h"

#include <string>
#include <utility>

#include "encoding/quoted.h"
#include "output/layouts.h"

namespace lorvenna {
namespace {

template <typename Decodifica>
auto del_file(const std::string& percorso, Decodifica decodifica) {
  try {
    return decodifica();
  } catch (const DamagedFileError& e) {
    // "FILE: what is wrong", as verify's findings read, the path escaped.
    throw DamagedFileError(senza_controlli(percorso) + ": " + e.what());
  }
}

}  // namespace

std::vector<int> scenario_compilato::stazioni() const {
  std::vector<int> voci;
  for (int i = 1; i < kPrimoCartello && !dati_generali[i].nome.empty(); ++i) voci.push_back(i);
  return voci;
}

std::array<voce_generale, kNumeroVoci> leggi_dati_generali(FileSystem& fs,
                                                           const std::string& percorso) {
  const std::string dati = fs.read(percorso, kLimiteScenario);
  return del_file(percorso, [&] { return decodifica_dati_generali(dati); });
}

std::vector<cella> leggi_celle(FileSystem& fs, const std::string& percorso) {
  const std::string dati = fs.read(percorso, kLimiteTreno);
  return del_file(percorso, [&] { return decodifica_celle(dati); });
}

planimetria_letta leggi_planimetria(FileSystem& fs, const std::string& percorso) {
  const std::string dati = fs.read(percorso, kLimiteLinea);
  return del_file(percorso, [&] { return decodifica_linea(dati); });
}

scenario_compilato leggi_scenario_compilato(FileSystem& fs, const file_binari& file) {
  scenario_compilato s;
  s.dati_generali = leggi_dati_generali(fs, file.scenario);
  s.celle = leggi_celle(fs, file.treno);
  planimetria_letta p = leggi_planimetria(fs, file.linea);
  s.riassunto = p.riassunto;
  s.punti = std::move(p.punti);
  return s;
}

}  // namespace lorvenna
