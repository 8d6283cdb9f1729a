// A failure met while reading a description that no numbered rule catches:
// the parse turns it into code 25.
#pragma once

#include <stdexcept>
#include <string>

namespace lorvenna {

class errore_lettura : public std::runtime_error {
 public:
  explicit errore_lettura(const std::string& motivo, int riga = 0)
      : std::runtime_error(motivo), riga_(riga) {}

  // Line (from 1) of the text where the failure was met; 0 until known.
  int riga() const { return riga_; }
  // Gives the failure its line unless it already has one.
  void colloca(int riga) {
    if (riga_ == 0) riga_ = riga;
  }

 private:
  int riga_;
};

}  // namespace lorvenna
