#include "driver/fault_sentences.h"

#include <array>
#include <utility>

namespace lorvenna {
namespace {

constexpr std::array<std::pair<int32_t, std::string_view>, 27> kDescrizioni = {{
    {0, "No fault."},
    {1, "The route length of the \"lunghezza percorso\" record is greater than 1000000 m."},
    {2,
     "A kilometric progressive section starts or ends at a position that is not a multiple "
     "of 50."},
    {3, "The start of the \"ripetizione segnali\" record is not a multiple of 50."},
    {4, "The end of the \"ripetizione segnali\" record is not a multiple of 50."},
    {5, "The \"ripetizione segnali\" keyword names neither 4 nor 9 codes."},
    {6, "A text board falls on a cell that is already taken."},
    {7, "An \"abbattimento\" point falls on a cell that is already taken."},
    {8, "A station position is not a multiple of 50."},
    {9, "A station length is not a multiple of 100."},
    {10, "Stations and text boards together need more entries than the general table holds."},
    {11, "No room for the 180 point in front of a signal before a slowdown warning board."},
    {12, "No room for a 180 point on the approach to a slowdown start."},
    {13, "No room for a 180 point inside a slow slowdown or in front of the signal after it."},
    {15,
     "A record lies beyond the end of the track, before its start, or reaches past the "
     "track's last cell."},
    {16, "A signal falls on a cell that is already taken."},
    {17, "The warning cell of a slowdown is already taken."},
    {18, "The start cell of a slowdown is already taken."},
    {19, "The end cell of a slowdown is already taken."},
    {20, "One of the four cells before a slowdown's warning cell is already taken."},
    {21, "A speed board falls on a cell that is already taken."},
    {22, "A station area begins less than 350 m after the previous station's area ends."},
    {24, "A station's stop mark would fall on cell 1 or before it."},
    {25,
     "A description could not be read: a missing file, a field that is not a number, a "
     "value too large for its field, a missing \"lunghezza percorso\" record, or a read "
     "past the end of the file."},
    {101, "The line description text does not exist."},
    {102, "The line description text has no \"[generale]\" section."},
    {103, "A curve record names no curve class 1 to 6, or the plan view runs past 1000000 m."},
}};

}  // namespace

std::string_view descrizione_errore(int32_t codice) {
  for (const auto& [c, testo] : kDescrizioni) {
    if (c == codice) return testo;
  }
  return "Unknown fault code.";
}

}  // namespace lorvenna
