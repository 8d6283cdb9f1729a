// scenario-tool dump: a compiled scenario's three binary files, readable.
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <ostream>

#include "compiler/model.h"
#include "driver/file_names.h"
#include "platform/file_system.h"

namespace lorvenna {

// The three files decoded by role. Throws FileError when a file cannot be
// read, DamagedFileError when one is damaged.
nlohmann::ordered_json descrivi_scenario(FileSystem& fs, const file_binari& file);

// One cell's values, named by what the cell holds (a signal's codes, a
// speed board's speeds); `g` names the stations and boards it refers to.
nlohmann::ordered_json descrivi_cella(size_t i, const cella& c,
                                      const std::array<voce_generale, kNumeroVoci>& g);

// The same, as text for a person.
void stampa_scenario(const nlohmann::ordered_json& d, std::ostream& out);

}  // namespace lorvenna
