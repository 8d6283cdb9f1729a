// Reads both description texts into the model: the line half, then the train half.
#pragma once

#include <string>

#include "compiler/model.h"
#include "compiler/reading_trace.h"
#include "compiler/recovery.h"
#include "platform/file_system.h"

namespace lorvenna {

// Where the two description texts stand.
struct testi_descrizione {
  std::string linea;
  std::string treno;
};

// Always returns normally; the outcome is left in codice_errore and
// posizione_errore. Any failure that no numbered rule names becomes code 25:
// both description texts are deleted where they still exist.
// `t` receives where a fault lies; the plan view is drawn only with
// `salva_linea`.
// With `recupero`, a record's fault is told and passed over instead of
// stopping its text (see compiler/recovery.h), and the train text is read
// even after the line text stopped, as long as the track exists.
void memorizza_dati(modello& m, traccia_lettura& t, FileSystem& fs, const testi_descrizione& testi,
                    bool salva_linea, const ascolta_guasti& recupero = {});

}  // namespace lorvenna
