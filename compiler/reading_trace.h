// Where a compile's fault lies, for the author's diagnostic and the user's
// report: part of the compile's outcome, kept beside the model and never in
// it, since nothing the compile writes depends on it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lorvenna {

// The description text, the line of the record at fault (0 when no single
// line is), and for a reading failure what went wrong.
struct motivo_lettura {
  std::string testo;
  int riga = 0;
  std::string motivo;
};

// A signal or slowdown as read: its first and last cell and its line.
struct origine_marca {
  int32_t prima_cella;
  int32_t ultima_cella;
  int riga;
};

struct traccia_lettura {
  std::string testo_linea;
  std::string testo_treno;
  motivo_lettura motivo;
  std::vector<origine_marca> marche_lette;
};

}  // namespace lorvenna
