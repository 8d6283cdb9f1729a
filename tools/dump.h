// scenario-tool dump: a compiled scenario's three binary files, readable.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "driver/file_names.h"
#include "platform/file_system.h"

namespace lorvenna {

// The three files decoded by role. Throws FileError when a file cannot be
// read, DamagedFileError when one is damaged.
nlohmann::ordered_json descrivi_scenario(FileSystem& fs, const file_binari& file);

// The same, as text for a person.
void stampa_scenario(const nlohmann::ordered_json& d, std::ostream& out);

}  // namespace lorvenna
