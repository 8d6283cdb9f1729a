// Where a field of a description text stands.
#pragma once

namespace lorvenna {

// Where a field stands, as the author's editor shows it: line and column
// from 1, the column counted in characters (one byte each in Windows-1252),
// `colonna_fine` one past its last character. Trailing blanks and the comma
// are not part of the field.
struct posizione_campo {
  int riga = 0;
  int colonna = 0;
  int colonna_fine = 0;
};

}  // namespace lorvenna
