#include "compiler/fault_sentences.h"

namespace lorvenna {

// No default: a code added to the enum without a sentence here is a
// compiler warning, and an error in CI.
std::string_view descrizione_errore(codice c) {
  switch (c) {
    case codice::nessuno:
      return "No fault.";
    case codice::percorso_troppo_lungo:
      return "The route length of the \"lunghezza percorso\" record is greater than 1000000 m.";
    case codice::progressiva_fuori_passo:
      return "A kilometric progressive section starts or ends at a position that is not a "
             "multiple of 50.";
    case codice::ripetizione_inizio:
      return "The start of the \"ripetizione segnali\" record is not a multiple of 50.";
    case codice::ripetizione_fine:
      return "The end of the \"ripetizione segnali\" record is not a multiple of 50.";
    case codice::ripetizione_codici:
      return "The \"ripetizione segnali\" keyword names neither 4 nor 9 codes.";
    case codice::cartello_occupato:
      return "A text board falls on a cell that is already taken.";
    case codice::abbattimento_occupato:
      return "An \"abbattimento\" point falls on a cell that is already taken.";
    case codice::stazione_fuori_passo:
      return "A station position is not a multiple of 50.";
    case codice::stazione_lunghezza:
      return "A station length is not a multiple of 100.";
    case codice::voci_esaurite:
      return "Stations and text boards together need more entries than the general table holds.";
    case codice::punto_prima_avviso:
      return "No room for the 180 point in front of a signal before a slowdown warning board.";
    case codice::punto_avvicinamento:
      return "No room for a 180 point on the approach to a slowdown start.";
    case codice::punto_dentro_o_dopo:
      return "No room for a 180 point inside a slow slowdown or in front of the signal after it.";
    case codice::fuori_tracciato:
      return "A record lies beyond the end of the track, before its start, or reaches past the "
             "track's last cell.";
    case codice::segnale_occupato:
      return "A signal falls on a cell that is already taken.";
    case codice::avviso_occupato:
      return "The warning cell of a slowdown is already taken.";
    case codice::inizio_occupato:
      return "The start cell of a slowdown is already taken.";
    case codice::fine_occupata:
      return "The end cell of a slowdown is already taken.";
    case codice::numerate_occupate:
      return "One of the four cells before a slowdown's warning cell is already taken.";
    case codice::indicatori_occupati:
      return "A speed board falls on a cell that is already taken.";
    case codice::stazioni_vicine:
      return "A station area begins less than 350 m after the previous station's area ends.";
    case codice::fermata_in_testa:
      return "A station's stop mark would fall on cell 1 or before it.";
    case codice::lettura:
      return "A description could not be read: a missing file, a field that is not a number, a "
             "value too large for its field, a missing \"lunghezza percorso\" record, or a read "
             "past the end of the file.";
    case codice::linea_assente:
      return "The line description text does not exist.";
    case codice::generale_assente:
      return "The line description text has no \"[generale]\" section.";
    case codice::curva:
      return "A curve record names no curve class 1 to 6, or the plan view runs past 1000000 m.";
    case codice::marca_occupata:
      return "A fixed mark's place, cell 1 or general record 85, was already taken.";
    case codice::codice_scenario_occupato:
      return "A scenario code's place, cell 1 or general record 85, was already taken.";
  }
  return "Unknown fault code.";
}

}  // namespace lorvenna
