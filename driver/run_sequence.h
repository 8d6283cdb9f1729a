// The program's whole run: write the description texts and the documents,
// compile the texts, and write the simulator's files into `cartella`.
#pragma once

#include <iostream>
#include <ostream>
#include <string>

#include "compiler/compile.h"
#include "driver/file_names.h"
#include "platform/file_system.h"
#include "platform/piattaforma.h"
#include "platform/replace_files.h"

namespace lorvenna {

inline constexpr const char* kNomeScenario = "Lorvenna";
inline constexpr const char* kNumeroTreno = "2579bis";

// The compile step: compiles the two description texts named in `nomi` and,
// when the compile says the binary files are due, writes them (the line file
// too when `con_linea`). `nome_scenario` and `numero_treno` are the Windows-1252 forms
// that the records carry. File failures throw FileError. With `syncs`, the
// folder's sync after the renames is left to the caller.
compilazione memorizza_percorso(bool con_linea, const std::string& nome_scenario,
                                const std::string& numero_treno, FileSystem& fs,
                                const nomi_file& nomi, FolderSyncs* syncs = nullptr);

// Returns the exit status (see driver/report.h). `errori` gathers the
// report of a run that stopped; `avvisi` is told at once when the run has
// to wait for another.
int esegui_programma(const std::string& cartella, FileSystem& fs, piattaforma& p,
                     std::ostream& errori, std::ostream& avvisi = std::cerr);

}  // namespace lorvenna
