#include "output/compiled_scenario.h"

#include <string>

namespace lorvenna {
namespace {

template <typename Decodifica>
auto del_file(const std::string& percorso, Decodifica decodifica) {
  try {
    return decodifica();
  } catch (const errore_file& e) {
    throw errore_file(percorso + ": " + e.what());
  }
}

}  // namespace

std::vector<int> scenario_compilato::stazioni() const {
  std::vector<int> voci;
  for (int i = 1; i < kPrimoCartello && !dati_generali[i].nome.empty(); ++i) voci.push_back(i);
  return voci;
}

scenario_compilato leggi_scenario_compilato(FileSystem& fs, const file_binari& file) {
  scenario_compilato s;
  s.dati_generali =
      del_file(file.scenario, [&] { return decodifica_dati_generali(fs.read(file.scenario)); });
  s.celle = del_file(file.treno, [&] { return decodifica_celle(fs.read(file.treno)); });
  const std::string linea = fs.read(file.linea);
  s.riassunto = del_file(file.linea, [&] { return decodifica_planimetria(linea); });
  s.punti = del_file(file.linea, [&] { return decodifica_punti(linea); });
  return s;
}

}  // namespace lorvenna
