// The records each description text knows, by the keyword an author writes
// and the fields that follow it, taken from the parsers' own rule tables: the
// reference an author reads is held to these.
#pragma once

#include <span>
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

}  // namespace lorvenna
