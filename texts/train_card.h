// The train card handed to the driver: the train's identity box, its
// classification and braked mass, and the timetable. A fixed document.
#pragma once

#include <span>
#include <string_view>

#include "driver/file_names.h"
#include "driver/file_system.h"

namespace lorvenna {

// The 49 lines of the card, in file order.
std::span<const std::string_view> righe_scheda();

// Writes the train card to `nomi.scheda`, replacing any older file.
void dati_scheda(FileSystem& fs, const nomi_file& nomi);

}  // namespace lorvenna
