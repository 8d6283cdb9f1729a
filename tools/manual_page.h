// scenario-tool(1), the manual page, made from the command table so that a
// command or option added there is documented without another edit.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lorvenna {

struct comando;

// `testo` as roff text: backslashes and hyphens escaped, a leading dot or
// quote kept from reading as a request, `code` in bold and every character
// beyond ASCII by its code point, so that the page reads the same whatever
// encoding man assumes.
std::string in_roff(std::string_view testo);

// The page, in man(7) macros, for the commands `tabella`. `riferimento`
// is where the installed author's reference is.
std::string pagina_manuale(std::span<const comando* const> tabella, std::string_view versione,
                           std::string_view riferimento);

}  // namespace lorvenna
