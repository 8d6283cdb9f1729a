// Turns the compile's outcome into what the user sees and the exit status.
#pragma once

#include <ostream>

#include "compiler/compile.h"
#include "platform/piattaforma.h"

namespace lorvenna {

// Exit statuses.
inline constexpr int kStatoCompleto = 0;   // the run completed with no code
inline constexpr int kStatoConCodice = 1;  // files written, but the compile recorded a code
inline constexpr int kStatoFermato = 2;    // the run stopped; no binary file of this run
inline constexpr int kStatoUso = 64;       // scenario-tool usage error

// `uscita`, when given, receives the line "codice_errore=C posizione_errore=P"
// whenever the binary files were written. Errors 1250 and 1251 are shown
// through the platform and end the run with kStatoFermato.
int riporta_compilazione(const compilazione& c, piattaforma& p, std::ostream* uscita,
                         std::ostream& errori);

}  // namespace lorvenna
