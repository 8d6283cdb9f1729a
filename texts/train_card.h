// The train card handed to the driver: the train's identity box, its
// classification and braked mass, and the timetable. A fixed document.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/replace_files.h"

namespace lorvenna {

// The 49 lines of the card, in file order.
std::span<const std::string_view> righe_scheda();

// Writes the train card to `percorso`, replacing any older file.
void dati_scheda(FileSystem& fs, const std::string& percorso, Durability d = {});

}  // namespace lorvenna
