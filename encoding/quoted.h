// A field or an argument quoted inside a message for the user: short enough
// for one line of a terminal, and with no byte that a terminal would act on.
#pragma once

#include <string>
#include <string_view>

namespace lorvenna {

// `testo` between double quotes, cut after about 40 bytes with "...", control
// bytes shown as \xNN. A cut never splits a UTF-8 sequence.
std::string citato(std::string_view testo);

}  // namespace lorvenna
