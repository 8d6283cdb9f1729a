// An author's description text brought to Windows-1252, the one encoding
// the compile reads, when it was saved in another: a text with a UTF-8 or
// UTF-16 byte-order mark, or any text when the author says it is UTF-8.
#pragma once

#include <string>
#include <vector>

#include "compiler/diagnostic.h"

namespace lorvenna {

struct testo_convertito {
  std::string testo;  // Windows-1252, a character it lacks as "?"
  // The `bom` warning, and an error for each character that could not be
  // converted, at its line and column in the converted text: those of one
  // line told as one, and those past the first lines counted (as
  // trovate_limitate tells them).
  std::vector<Diagnostic> trovate;
  // What the text was converted from ("UTF-8"), where that made a character
  // of more than one byte into one; empty when its columns are its bytes.
  std::string convertito_da;
};

// `grezzo`, the bytes of the text at `percorso`, as the compile is to read
// them. With `utf8`, a text without a byte-order mark is taken as UTF-8.
testo_convertito in_windows1252(const std::string& percorso, std::string grezzo, bool utf8);

// Says in each finding's message on the text at `percorso` that its
// columns count characters of the text converted from `da`, not bytes of
// the author's file.
void nota_conversione(std::vector<Diagnostic>& trovate, const std::string& percorso,
                      const std::string& da);

}  // namespace lorvenna
