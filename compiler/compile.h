// The whole compile: both description texts read into a fresh model, the
// track completed by the walk, the fixed marks and the scenario codes stored.
// It reads and deletes the texts but writes no output: the caller writes the
// binary files from the model when the outcome says they are due.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/description_reader.h"
#include "compiler/model.h"
#include "compiler/reading_trace.h"
#include "compiler/recovery.h"
#include "platform/file_system.h"

namespace lorvenna {

struct richiesta_compilazione {
  std::string nome_scenario;  // Windows-1252
  std::string numero_treno;   // Windows-1252
  bool salva_linea = true;    // also draw the plan view for the line file
  testi_descrizione testi;
  // Set only by the author's check: every record's fault is told here and
  // passed over. The compile that writes the binary files leaves it empty.
  ascolta_guasti recupero;
};

enum class esito_compilazione {
  completa,         // the binary files are due; codice_errore tells how the parse went
  senza_tracciato,  // the parse stopped before the track existed; no binary file is due
  errore_1250,      // a fixed mark's place was already taken; no binary file is due
  errore_1251,      // a scenario code's place was already taken; no binary file is due
};

struct compilazione {
  esito_compilazione esito;
  modello m;
  traccia_lettura traccia;  // where the fault in m.codice_errore lies
};

// File failures while reading or deleting a text throw FileError.
compilazione compila(const richiesta_compilazione& r, FileSystem& fs);

inline constexpr int16_t kMarcaCella = 5121;
inline constexpr int16_t kMarcaScenario = 610;

}  // namespace lorvenna
