// The train description text: the embedded train (consist, timetable, speed
// limits, adhesion, stations, slowdown and signals) in its readable record
// form, written out so that the train parser can read it back.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/replace_files.h"

namespace lorvenna {

// The 70 lines of the embedded train, in file order.
std::span<const std::string_view> righe_treno();

// Writes the train description text to `percorso`, replacing any older file.
void dati_treno(FileSystem& fs, const std::string& percorso, Durability d = {});

}  // namespace lorvenna
