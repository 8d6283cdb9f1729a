// The records each description text knows, by the keyword an author writes
// and the fields that follow it, taken from the parsers' own rule tables: the
// reference an author reads is held to these.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/record_fields.h"

namespace lorvenna {

struct record_noto {
  std::string_view nome;
  std::span<const campo_record> campi;
};

// In the order of the rule tables.
std::vector<record_noto> record_della_linea();
std::vector<record_noto> record_del_treno();

// The record a keyword field as an author writes it (`Stazione`,
// `curvas1`) is read as, matched as the parser matches it; nothing when no
// rule takes it.
std::optional<record_noto> record_della_linea_per(const std::string& campo);
std::optional<record_noto> record_del_treno_per(const std::string& campo);

}  // namespace lorvenna
