// What the check looks at in a record the compile read without fault: the
// compile takes it as it stands, which is not always what its author meant.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "compiler/diagnostic.h"
#include "compiler/field_reader.h"
#include "compiler/record_fields.h"

namespace lorvenna {

// Tells, as warnings at their fields, a record that ran on into the next
// line (the reading goes back to that line's first field, read as the next
// record), each value stored otherwise than written or beyond the route,
// an empty name, and fields after the record's last on its line (passed
// over, as the compile does). `campi` describes the fields after the
// keyword `nome_record`; a route length of -1 is not known yet.
void controlla_campi(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                     std::span<const campo_record> campi, lettore_campi& lettore,
                     int32_t lunghezza_percorso, const std::string& testo);

}  // namespace lorvenna
