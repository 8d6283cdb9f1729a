// The three binary files the simulator loads: the plan view (line file), the
// general records (scenario file) and the track cells (train file). Each is a
// bare sequence of packed little-endian records.
#pragma once

#include <string>

#include "compiler/model.h"
#include "driver/file_system.h"

namespace lorvenna {

std::string codifica_planimetria(const planimetria_t& p);
std::string codifica_dati_generali(const modello& m);
std::string codifica_celle(const modello& m);

// Each replaces its file whole; a failure throws FileError and leaves no
// truncated file under the output's name.
void scrivi_file_linea(FileSystem& fs, const std::string& percorso, const modello& m);
void scrivi_file_scenario(FileSystem& fs, const std::string& percorso, const modello& m);
void scrivi_file_treno(FileSystem& fs, const std::string& percorso, const modello& m);

}  // namespace lorvenna
