// The picture of a compiled scenario put where the user asked for it.
#pragma once

#include <ostream>
#include <string>

#include "driver/file_names.h"
#include "platform/file_system.h"
#include "tools/command_table.h"

namespace lorvenna {

// Why the picture must not be written to `immagine`, or "" when it may be:
// it is one of the scenario's own files in `nomi`, a description text (the
// author's work) or a binary file (what the picture is drawn from). Files
// are compared by identity, so that any path to one (a link, "x/../",
// another case where the system ignores case) is caught; a file not there
// yet is caught by its folder's identity and its name.
std::string perche_non_disegnare(FileSystem& fs, const nomi_file& nomi,
                                 const std::string& immagine);

// The usage error of a command whose option `opzione` names the picture's
// file in r.o.immagine, when perche_non_disegnare refuses it; "" otherwise.
std::string rifiuta_immagine(const richiesta& r, const char* opzione);

// Writes `svg`, the picture of the scenario named by `nomi`, into
// `immagine`: "-" is `uscita`; a FIFO, a device or /dev/stdout is written
// into, never replaced by a file, waiting for its reader as `attesa` says;
// anything else is replaced whole. A file that perche_non_disegnare refuses
// is left as it is, and the refusal thrown as a FileError.
void scrivi_disegno(FileSystem& fs, const nomi_file& nomi, const std::string& svg,
                    const std::string& immagine, std::ostream& uscita, StreamWait attesa);

}  // namespace lorvenna
