// The name of every file the program creates, reads or deletes, formed from
// the scenario name and the train number inside one folder.
#pragma once

#include <string>
#include <vector>

#include "compiler/description_reader.h"
#include "output/binary_files.h"

namespace lorvenna {

struct nomi_file {
  std::string linea_txt;      // line description text (temporary)
  std::string treno_txt;      // train description text (temporary)
  std::string note;           // notes document
  std::string rallentamenti;  // slow order document
  std::string scheda;         // train card document
  std::string linea_dat;      // line binary file (plan view)
  std::string scenario_sim;   // scenario binary file (general records)
  std::string treno_dat;      // train binary file (track cells)
};

nomi_file nomi_file_per(const std::string& cartella, const std::string& nome_scenario,
                        const std::string& numero_treno);

// The two description texts the compile reads, and the three files the output writes.
testi_descrizione testi_di(const nomi_file& nomi);
file_binari binari_di(const nomi_file& nomi);
// Every file of the run, for clearing what dead runs left beside them.
std::vector<std::string> tutti_i_file(const nomi_file& nomi);

}  // namespace lorvenna
