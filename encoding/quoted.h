// A field, an argument or a path quoted inside a message for the user: short
// enough to read, and with no byte that a terminal would act on.
#pragma once

#include <string>
#include <string_view>

namespace lorvenna {

// `testo` with its control bytes shown as \xNN and every other byte as it is.
std::string senza_controlli(std::string_view testo);

// `testo` between double quotes, cut after about 40 bytes with "...", control
// bytes shown as \xNN. A cut never splits a UTF-8 sequence.
std::string citato(std::string_view testo);

// A path between double quotes, control bytes shown as \xNN. A path over 240
// bytes is cut in its middle with "...": its start says where it is, and its
// end, kept longer, names the file. A cut never splits a UTF-8 sequence.
std::string percorso_citato(std::string_view percorso);

}  // namespace lorvenna
