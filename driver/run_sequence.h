// The program's whole run: write the description texts, compile them, and
// write the simulator's files into `cartella`.
#pragma once

#include <ostream>
#include <string>

#include "driver/file_system.h"
#include "driver/platform.h"

namespace lorvenna {

inline constexpr const char* kNomeScenario = "Lorvenna";
inline constexpr const char* kNumeroTreno = "2579bis";

// Returns the exit status (see driver/report.h).
int esegui_programma(const std::string& cartella, FileSystem& fs, piattaforma& p,
                     std::ostream& errori);

}  // namespace lorvenna
