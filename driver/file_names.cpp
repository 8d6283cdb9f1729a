#include "driver/file_names.h"

#include "platform/file_system.h"

namespace lorvenna {

nomi_file nomi_file_per(const std::string& cartella, const std::string& nome_scenario,
                        const std::string& numero_treno) {
  const std::string treno = nome_scenario + "_" + numero_treno;
  auto in = [&](const std::string& nome) { return join_path(cartella, nome); };
  return {
      .linea_txt = in(nome_scenario + "_linea.txt"),
      .treno_txt = in(treno + "-.txt"),
      .note = in(treno + "_note.txt"),
      .rallentamenti = in(treno + "_rallentamenti.txt"),
      .scheda = in(treno + "_scheda_treno.txt"),
      .linea_dat = in(nome_scenario + "_linea.dat"),
      .scenario_sim = in(treno + ".sim"),
      .treno_dat = in(treno + ".dat"),
  };
}

testi_descrizione testi_di(const nomi_file& nomi) { return {nomi.linea_txt, nomi.treno_txt}; }

file_binari binari_di(const nomi_file& nomi) {
  return {nomi.linea_dat, nomi.scenario_sim, nomi.treno_dat};
}

std::vector<std::string> tutti_i_file(const nomi_file& nomi) {
  return {nomi.linea_txt, nomi.treno_txt, nomi.note,         nomi.rallentamenti,
          nomi.scheda,    nomi.linea_dat, nomi.scenario_sim, nomi.treno_dat};
}

}  // namespace lorvenna
