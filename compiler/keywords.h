// Keyword tests of the description parsers: a keyword is found anywhere
// inside the field, in any letter case unless the rule asks for an exact match.
#pragma once

#include <string_view>

namespace lorvenna {

// True when `ago` occurs in `pagliaio`, ignoring letter case (Windows-1252).
bool contiene(std::string_view pagliaio, std::string_view ago);
// True when `ago` occurs in `pagliaio` with matching case.
bool contiene_esatto(std::string_view pagliaio, std::string_view ago);

}  // namespace lorvenna
