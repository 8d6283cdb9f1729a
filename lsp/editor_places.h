// Places in a text as the protocol gives them: lines and characters from 0,
// characters in UTF-16 code units of the text the editor holds.
#pragma once

#include <nlohmann/json.hpp>

#include "compiler/diagnostic.h"
#include "compiler/field_position.h"
#include "lsp/text_document.h"

namespace lorvenna {

// A text that is not open is read as the disk holds it, in Windows-1252,
// whose every character is one UTF-16 unit: `testo` is null then.
nlohmann::json posizione_lsp(int riga, int colonna, const testo_client* testo);
nlohmann::json intervallo_lsp(const SourceSpan& s, const testo_client* testo);
nlohmann::json intervallo_lsp(const posizione_campo& da, const posizione_campo& a,
                              const testo_client* testo);

}  // namespace lorvenna
