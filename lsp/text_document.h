// A text as a language client holds it: UTF-8, edited at positions counted
// in UTF-16 code units, while the check counts one character a column, as
// the text stands in Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lorvenna {

// A place as the protocol gives it: line and character from 0, the
// character in UTF-16 code units.
struct posizione_client {
  int riga = 0;
  int carattere = 0;
};

// One line's columns, one a character as the check counts them, and their
// offsets in UTF-16 code units, found in one pass over the line: each place
// on it is then found without going over the line again, so that the many
// findings of one long line cost one pass, not one each.
class colonne_utf16 {
 public:
  explicit colonne_utf16(std::string_view riga = {});

  // The UTF-16 offset of column `colonna` (from 1); a column past the
  // line's end counts one unit a column.
  int utf16_di(int colonna) const;
  // The column a UTF-16 offset falls in; one past the last character for
  // an offset past the line's end.
  int colonna_di(int utf16) const;

 private:
  int caratteri_ = 0;
  std::vector<int> doppie_;  // the columns of the characters of two units, ascending
};

class testo_client {
 public:
  explicit testo_client(std::string utf8 = {});

  const std::string& utf8() const { return testo_; }

  // The byte offset of `p`; a place past its line's end is the line's end,
  // and one past the last line the text's end.
  size_t offset(posizione_client p) const;

  // Replaces the text from `da` to `a` with `nuovo`, as an incremental
  // change does.
  void sostituisci(posizione_client da, posizione_client a, std::string_view nuovo);

  // The UTF-16 offset on line `riga` (from 1) of column `colonna` (from 1,
  // one a character); and back, the column a UTF-16 offset falls in. Each
  // line is gone over once, on its first use, until the text changes.
  int utf16_di(int riga, int colonna) const;
  int colonna_di(int riga, int utf16) const;
  const colonne_utf16& colonne(int riga) const;

  // Line `riga` (from 0) without its line end.
  std::string_view riga(int riga) const;
  int righe() const { return static_cast<int>(inizi_.size()); }

 private:
  void conta_righe();

  std::string testo_;
  std::vector<size_t> inizi_;  // where each line starts
  // The lines placed on since the text last changed, by number (from 1).
  mutable std::unordered_map<int, colonne_utf16> colonne_;
};

}  // namespace lorvenna
