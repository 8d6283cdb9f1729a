// The picture of a compiled scenario put where the user asked for it.
#pragma once

#include <ostream>
#include <string>

#include "driver/file_names.h"
#include "platform/file_system.h"

namespace lorvenna {

// Draws the scenario in `binari` (see disegna_scenario) into `immagine`:
// "-" is `uscita`; a FIFO, a device or /dev/stdout is written into, never
// replaced by a file; anything else is replaced whole.
void scrivi_disegno(FileSystem& fs, const file_binari& binari, const std::string& immagine,
                    std::ostream& uscita);

}  // namespace lorvenna
