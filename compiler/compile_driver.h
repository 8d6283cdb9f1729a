// The whole compile: parse both descriptions, complete the track, store the
// fixed marks and the scenario codes, and write the three binary files.
#pragma once

#include <cstdint>

#include "compiler/model.h"
#include "driver/file_names.h"
#include "driver/file_system.h"

namespace lorvenna {

enum class esito_compilazione {
  scritto,          // the binary files were written; codice_errore tells how the parse went
  senza_tracciato,  // the parse stopped before the track existed; nothing written
  errore_1250,      // a fixed mark's place was already taken; nothing written
  errore_1251,      // a scenario code's place was already taken; nothing written
};

// `j` non-zero also builds the plan view and writes the line file. The
// model's nome_scenario and numero_treno must be set. File failures throw FileError.
esito_compilazione memorizza_percorso(modello& m, int32_t j, FileSystem& fs, const nomi_file& nomi);

inline constexpr int16_t kMarcaCella = 5121;
inline constexpr int16_t kMarcaScenario = 610;

}  // namespace lorvenna
