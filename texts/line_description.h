// The line description text: the embedded railway line in its readable
// record form, written out so that the line parser can read it back.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/replace_files.h"

namespace lorvenna {

// The 164 lines of the embedded line, in file order.
std::span<const std::string_view> righe_linea();

// Writes the line description text to `percorso`, replacing any older file.
void dati_linea(FileSystem& fs, const std::string& percorso, Durability d = {});

}  // namespace lorvenna
