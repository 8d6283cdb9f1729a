// The slow order handed to the driver (form "Modulo M. 3"): the slowdowns to
// respect along the line and the legend of their prescriptions. A fixed
// document.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/replace_files.h"

namespace lorvenna {

// The 47 lines of the slow order, in file order.
std::span<const std::string_view> righe_rallentamenti();

// Writes the slow order to `percorso`, replacing any older file.
void dati_rallentamenti(FileSystem& fs, const std::string& percorso, Durability d = {});

}  // namespace lorvenna
