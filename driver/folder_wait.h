// What a run says while another run holds its folder: told once, after
// about a second of waiting, so that a run that seems stuck says why. Both
// programs say it the same way.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "encoding/quoted.h"

namespace lorvenna {

// What a lock is given to call when it has to wait; `programma` names the
// program, as its error messages do.
inline std::function<void()> avviso_di_attesa(std::ostream& errori, std::string programma,
                                              std::string cartella) {
  return [&errori, programma = std::move(programma), cartella = std::move(cartella)] {
    errori << programma << ": waiting for another run in " << citato(cartella) << std::endl;
  };
}

}  // namespace lorvenna
