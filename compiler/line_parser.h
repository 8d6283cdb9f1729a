// First half of the description read: the line description text.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/model.h"
#include "compiler/reading_trace.h"
#include "compiler/recovery.h"
#include "platform/file_system.h"

namespace lorvenna {

// Reads the line description at `percorso` into the model and deletes it.
// Returns true when the train description is to be read next (the line ended
// normally or stopped with code 15); false when the read stopped with a code
// that ends the whole parse. `indice_cartello` is left at the entry that the
// next text board would take. Reading failures throw errore_lettura or FileError.
bool leggi_descrizione_linea(modello& m, traccia_lettura& t, FileSystem& fs,
                             const std::string& percorso, int32_t& indice_cartello,
                             bool salva_linea, const ascolta_guasti& recupero = {});

// Route lengths above this are refused with code 1.
inline constexpr int32_t kLunghezzaMassima = 1000000;
// Margin of track laid out beyond the route's end, in metres.
inline constexpr int32_t kMargineTracciato = 7000;

}  // namespace lorvenna
