// A failure met while reading a description that no numbered rule catches:
// the parse turns it into code 25.
#pragma once

#include <stdexcept>
#include <string>

#include "compiler/fault_codes.h"
#include "compiler/field_position.h"

namespace lorvenna {

class errore_lettura : public std::runtime_error {
 public:
  explicit errore_lettura(const std::string& motivo, int riga = 0)
      : std::runtime_error(motivo), riga_(riga) {}
  errore_lettura(const std::string& motivo, const posizione_campo& campo,
                 tipo_lettura tipo = tipo_lettura::altro)
      : std::runtime_error(motivo), riga_(campo.riga), campo_(campo), tipo_(tipo) {}

  // Line (from 1) of the text where the failure was met; 0 until known.
  int riga() const { return riga_; }
  // The field at fault; its line 0 when no single field is.
  const posizione_campo& campo() const { return campo_; }
  // What went wrong, where the check has help for it.
  tipo_lettura tipo() const { return tipo_; }
  // Gives the failure its field unless it already has a line.
  void colloca(const posizione_campo& campo) {
    if (riga_ != 0) return;
    riga_ = campo.riga;
    campo_ = campo;
  }

 private:
  int riga_;
  posizione_campo campo_;
  tipo_lettura tipo_ = tipo_lettura::altro;
};

}  // namespace lorvenna
