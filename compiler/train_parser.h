// The train half of reading the scenario: the train description text back
// into the model, after the line half has created the track.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/model.h"
#include "compiler/reading_trace.h"
#include "compiler/recovery.h"
#include "platform/file_system.h"

namespace lorvenna {

// Reads the text at `percorso` and fills entries 84 and 86, the stations from
// entry 1 upward, the speed limit and adhesion of every cell, and the
// signals, slowdown and abbattimento points; deletes the text. `indice_cartello`
// is the entry that the next text board would take.
//
// Faults of the content are left in codice_errore and posizione_errore. A
// reading failure throws errore_lettura and a file failure FileError; both
// leave the text in place for the caller's handler to delete.
void leggi_descrizione_treno(modello& m, traccia_lettura& t, FileSystem& fs,
                             const std::string& percorso, int32_t indice_cartello,
                             const ascolta_guasti& recupero = {});

}  // namespace lorvenna
