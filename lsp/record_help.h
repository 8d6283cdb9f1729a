// What an editor shows of a record as the author writes it: its keyword's
// entry in the reference, its fields by name, and what the compile made of
// the position it gives.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/unit_check.h"

namespace lorvenna {

// The reference's entry for a record, in Markdown; empty when it has none.
std::string voce_del_record(std::string_view nome);

// Hover on line `riga`, column `colonna` (both from 1, the column one a
// character) of the text at `percorso`: a position field's 50 m cell, its
// kilometre and what the compiled cell holds; a keyword's reference entry.
// `riga_testo` is that line as the editor has it (UTF-8), for a record the
// check could not read. Nothing where there is nothing to say.
std::optional<std::string> spiegazione_al_punto(const unita_controllata* u,
                                                const std::string& percorso, int riga, int colonna,
                                                std::string_view riga_testo, bool treno);

// The records a text may hold, as completion items, each inserting its
// keyword and, with `snippet`, a placeholder for each field.
nlohmann::json completamenti(bool treno, bool snippet);

// The signature of the record whose keyword starts `riga_testo` (UTF-8),
// with the field marked that the cursor, `prima_del_cursore` bytes into the
// line, stands in; nothing when the line starts no record.
std::optional<nlohmann::json> firma_del_record(std::string_view riga_testo,
                                               size_t prima_del_cursore, bool treno);

}  // namespace lorvenna
