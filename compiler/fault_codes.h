// The fault codes a compile can leave in codice_errore, and the two that end
// it before any binary file. The numbers are the ones users and scripts read
// in the report ("codice_errore=C"); they never change.
#pragma once

#include <cstdint>
#include <ostream>

namespace lorvenna {

enum class codice : int32_t {
  nessuno = 0,
  percorso_troppo_lungo = 1,       // route length above 1000000 m
  progressiva_fuori_passo = 2,     // a progressive section off the 50 m grid
  ripetizione_inizio = 3,          // signal repetition start off the 50 m grid
  ripetizione_fine = 4,            // signal repetition end off the 50 m grid
  ripetizione_codici = 5,          // repetition keyword names neither 4 nor 9 codes
  cartello_occupato = 6,           // text board on a taken cell
  abbattimento_occupato = 7,       // abbattimento point on a taken cell
  stazione_fuori_passo = 8,        // station position off the 50 m grid
  stazione_lunghezza = 9,          // station length off the 100 m grid
  voci_esaurite = 10,              // stations and text boards fill the general table
  punto_prima_avviso = 11,         // walk: no room before a signal ahead of a warning board
  punto_avvicinamento = 12,        // walk: no room on the approach to a slowdown
  punto_dentro_o_dopo = 13,        // walk: no room inside a slowdown or after it
  fuori_tracciato = 15,            // a record beyond the track
  segnale_occupato = 16,           // signal on a taken cell
  avviso_occupato = 17,            // slowdown warning cell taken
  inizio_occupato = 18,            // slowdown start cell taken
  fine_occupata = 19,              // slowdown end cell taken
  numerate_occupate = 20,          // a cell before the warning taken
  indicatori_occupati = 21,        // speed board on a taken cell
  stazioni_vicine = 22,            // station area starts less than 350 m after the last
  fermata_in_testa = 24,           // stop mark at cell 1 or before
  lettura = 25,                    // a reading failure that no rule names
  linea_assente = 101,             // no line description text
  generale_assente = 102,          // no "[generale]" in the line description
  curva = 103,                     // curve without a class, or plan view past 1000000 m
  marca_occupata = 1250,           // a fixed mark's place already taken
  codice_scenario_occupato = 1251  // a scenario code's place already taken
};

inline int32_t numero(codice c) { return static_cast<int32_t>(c); }

inline std::ostream& operator<<(std::ostream& os, codice c) { return os << numero(c); }

}  // namespace lorvenna
