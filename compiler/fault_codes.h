// The fault codes a compile can leave in codice_errore, and the two that end
// it before any binary file. The numbers are the ones users and scripts read
// in the report ("codice_errore=C"); they never change. What each one means,
// to the program's user and to the author, is its entry in
// compiler/fault_catalogue.cpp.
#pragma once

#include <cstdint>
#include <ostream>

namespace lorvenna {

enum class codice : int32_t {
  nessuno = 0,
  percorso_troppo_lungo = 1,
  progressiva_fuori_passo = 2,
  ripetizione_inizio = 3,
  ripetizione_fine = 4,
  ripetizione_codici = 5,
  cartello_occupato = 6,
  abbattimento_occupato = 7,
  stazione_fuori_passo = 8,
  stazione_lunghezza = 9,
  voci_esaurite = 10,
  punto_prima_avviso = 11,
  punto_avvicinamento = 12,
  punto_dentro_o_dopo = 13,
  fuori_tracciato = 15,
  segnale_occupato = 16,
  avviso_occupato = 17,
  inizio_occupato = 18,
  fine_occupata = 19,
  numerate_occupate = 20,
  indicatori_occupati = 21,
  stazioni_vicine = 22,
  fermata_in_testa = 24,
  lettura = 25,
  linea_assente = 101,
  generale_assente = 102,
  curva = 103,
  marca_occupata = 1250,
  codice_scenario_occupato = 1251
};

// What went wrong in a reading failure (code 25), where the check has
// something to add for it.
enum class tipo_lettura : uint8_t {
  altro,
  non_numero,       // a field that is not a number within its range
  record_troncato,  // the line ended before the record's last field
};

// The values a rule had in hand when it left its code, for the author's
// message: said from them, not rebuilt from the model afterwards. Nothing
// the compile writes reads them.
struct valori_guasto {
  int32_t posizione = 0;  // the record's position, as posizione_errore
  int64_t valore = 0;     // the value at fault, where it is not the position
  int64_t limite = 0;     // the bound the rule held the value to
  int32_t cella = -1;     // the cell a collision found taken
  uint8_t occupante = 0;  // what stood on that cell: its tipo_cella
  tipo_lettura lettura = tipo_lettura::altro;
};

inline int32_t numero(codice c) { return static_cast<int32_t>(c); }

inline std::ostream& operator<<(std::ostream& os, codice c) { return os << numero(c); }

}  // namespace lorvenna
