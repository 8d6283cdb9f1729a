// The notes sheet handed to the driver: the scenario's authors and number,
// then notes on the train and on the line, as plain Italian prose.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/replace_files.h"

namespace lorvenna {

// The 24 lines of the notes, in file order, as Windows-1252 bytes. Throws
// std::logic_error if a line has a character that Windows-1252 lacks.
std::vector<std::string> righe_note();

// Writes the notes to `percorso`, replacing any older file.
void dati_note(FileSystem& fs, const std::string& percorso, Durability d = {});

}  // namespace lorvenna
