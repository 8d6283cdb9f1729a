// Where a compile's fault lies, for the author's diagnostic and the user's
// report: part of the compile's outcome, kept beside the model and never in
// it, since nothing the compile writes depends on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/field_position.h"

namespace lorvenna {

// The description text, the line of the record at fault (0 when no single
// line is), and for a reading failure what went wrong.
struct motivo_lettura {
  std::string testo;
  int riga = 0;
  std::string motivo;
  // The field at fault, and every field of its record from the keyword on;
  // line 0 and no fields where no single field is at fault.
  posizione_campo campo;
  std::vector<posizione_campo> campi;
  // What is allowed, in the author's words, where the record's rule knows.
  std::vector<std::string> aiuto;
  // The cell the record found taken, where the code alone does not say.
  int32_t cella_contesa = -1;
};

// What a rule says of the fault it leaves, beyond its code: the field at
// fault (1 is the field after the keyword), why, and what is allowed.
// Empty `perche`: the code's own sentence says it.
struct spiegazione_guasto {
  size_t campo = 1;
  std::string perche;
  std::vector<std::string> aiuto;
  int32_t cella = -1;  // the cell found taken, for a note naming its record
};

// A kilometric progressive section as read, for a fault found once both
// texts are read.
struct progressiva_letta {
  int voce;
  int32_t inizio;
  int32_t fine;
  posizione_campo campo_inizio;
  posizione_campo campo_fine;
};

// A signal or slowdown as read: its first and last cell, its line and its
// position field.
struct origine_marca {
  int32_t prima_cella;
  int32_t ultima_cella;
  int riga;
  posizione_campo campo;
};

// A record that took a cell: which record, for a later one that finds the
// cell taken.
struct occupante_cella {
  int32_t cella;
  const char* cosa;  // "signal", "text board", ...
  bool nel_treno;    // read from the train text, else from the line text
  posizione_campo campo;
};

struct traccia_lettura {
  std::string testo_linea;
  std::string testo_treno;
  motivo_lettura motivo;
  std::vector<origine_marca> marche_lette;
  std::vector<occupante_cella> occupanti;
  spiegazione_guasto spiegata;
  std::vector<progressiva_letta> progressive;
  // Each station read, by its position field, in the order of their entries.
  std::vector<posizione_campo> stazioni;
  // The route length's field, which every position is bounded by.
  posizione_campo campo_lunghezza;
};

}  // namespace lorvenna
