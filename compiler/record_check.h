// What the check looks at in a record the compile read without fault: the
// compile takes it as it stands, which is not always what its author meant.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/diagnostic.h"
#include "compiler/field_reader.h"
#include "compiler/record_fields.h"

namespace lorvenna {

// What the check keeps from one record to the next: for each keyword whose
// records come in order (named as the rule tables name it, which outlive
// any reading), the last value and its line.
struct stato_controlli {
  struct ultimo {
    int64_t inizio;
    int64_t fine;  // where a record with a length ends; its start otherwise
    int riga;
    posizione_campo campo_lunghezza;  // line 0 without a length
  };
  std::map<std::string_view, ultimo> ultimi;
};

// Tells, as warnings at their fields, a record that ran on into the next
// line (the reading goes back to that line's first field, read as the next
// record), each value stored otherwise than written, out of order or beyond
// the route, an empty name or one holding a comment, and fields after the
// record's last on its line (passed over, as the compile does). `campi`
// describes the fields after the keyword `nome_record`; a route length of
// -1 is not known yet.
void controlla_campi(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                     std::span<const campo_record> campi, lettore_campi& lettore,
                     int32_t lunghezza_percorso, const std::string& testo, stato_controlli& stato);

// A keyword field that goes on, after a blank, with a number: the comma
// after the keyword is missing, and the record's fields are read one
// place on. Told as a warning at the number; the record is read as the
// compile reads it.
void controlla_virgola(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                       const std::string& campo, const posizione_campo& dove,
                       const std::string& testo);

}  // namespace lorvenna
