// A text's outline in the editor: the records an author finds their way by
// (stations, signals, slowdowns, speed boards, curves), in the order they
// stand along the route.
#pragma once

#include <nlohmann/json.hpp>
#include <vector>

#include "lsp/text_document.h"
#include "lsp/unit_check.h"

namespace lorvenna {

// DocumentSymbol objects when `gerarchici`, else SymbolInformation at `uri`.
nlohmann::json simboli(const std::vector<record_visto>& record, const testo_client* testo,
                       bool gerarchici, const std::string& uri);

}  // namespace lorvenna
