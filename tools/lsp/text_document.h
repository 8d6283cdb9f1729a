// A text as a language client holds it: UTF-8, edited at positions counted
// in UTF-16 code units, while the check counts one character a column, as
// the text stands in Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lorvenna {

// A place as the protocol gives it: line and character from 0, the
// character in UTF-16 code units.
struct posizione_client {
  int riga = 0;
  int carattere = 0;
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
  // one a character); and back, the column a UTF-16 offset falls in.
  int utf16_di(int riga, int colonna) const;
  int colonna_di(int riga, int utf16) const;

  // Line `riga` (from 0) without its line end.
  std::string_view riga(int riga) const;
  int righe() const { return static_cast<int>(inizi_.size()); }

 private:
  void conta_righe();

  std::string testo_;
  std::vector<size_t> inizi_;  // where each line starts
};

}  // namespace lorvenna
