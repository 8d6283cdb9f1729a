// One compile of an author's texts into the binary files: what `compile`
// runs once and `watch` again after every edit.
#pragma once

#include <cstddef>
#include <ostream>

#include "driver/report.h"
#include "tools/command_table.h"

namespace lorvenna {

struct giro_compilazione {
  int stato = kStatoFermato;  // the exit status `compile` gives for it
  size_t errori = 0;          // the check's errors
  size_t avvisi = 0;          // the check's warnings
  bool scritti = false;       // the three binary files were written
};

// Reads both texts in the request's folder (a missing one is named on
// r.errori and nothing else happens), checks them, and prints the findings
// on `trovate` in check's text form. Unless the check found an error and
// r.o.scrivi_con_errori is not set, then compiles them and writes the binary
// files, honouring r.o.senza_linea and r.o.cancella_testi; `codici`, when
// given, receives the "codice_errore=C posizione_errore=P" line, and a fault
// the check did not find goes to `trovate`. Runs with the folder already
// locked; a failed file operation throws its FileError.
giro_compilazione compila_testi(const richiesta& r, std::ostream& trovate, std::ostream* codici);

}  // namespace lorvenna
