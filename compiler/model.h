// The in-memory scenario that the compiler builds and the binary writers dump.
// Field order, widths and signedness are those of the simulator's files.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "compiler/fault_codes.h"
#include "compiler/plan_view_rows.h"

namespace lorvenna {

// One 50 m stretch of track. Written to the train file as a packed 15-byte record.
struct cella {
  uint8_t tipo_cella = 0;
  int16_t dato_1 = 0;
  int16_t dato_2 = 0;
  int16_t dato_3 = 0;
  int16_t dato_4 = 0;
  uint8_t tempo_segnale = 0;
  uint8_t avvicinamento = 0;
  uint8_t tipo_montagna = 0;
  uint8_t velocita_linea = 0;
  uint8_t pendenza = 0;
  uint8_t aderenza = 0;
};

// What stands in a cell (`tipo_cella`).
enum tipo : uint8_t {
  tipo_vuota = 0,
  tipo_segnale = 1,
  tipo_fine_rallentamento = 2,
  tipo_inizio_rallentamento = 3,
  tipo_avviso_rallentamento = 4,
  tipo_prima_avviso = 5,
  tipo_indicatori_vmax = 6,
  tipo_fermata = 10,
  tipo_marcatore_montagna = 11,
  tipo_abbattimento = 12,
  tipo_abbattimento_senza_valore = 13,
  tipo_cartello = 14,
};

// Marks may only be placed on an empty cell or over a montagna marker.
inline bool cella_libera(const cella& c) {
  return c.tipo_cella == tipo_vuota || c.tipo_cella == tipo_marcatore_montagna;
}

// One record of the general table. `nome` holds Windows-1252 bytes.
struct voce_generale {
  uint8_t tipo = 0;
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t posizione = 0;
  uint8_t opzione = 0;
  std::string nome;
  int16_t valore_1 = 0;
  int16_t valore_2 = 0;
  int16_t valore_3 = 0;
  int16_t valore_4 = 0;
  int16_t valore_5 = 0;
  uint8_t codice_1 = 0;
  uint8_t codice_2 = 0;
  uint8_t codice_3 = 0;
  uint8_t codice_4 = 0;
  int32_t orario = 0;
};

// Fixed roles of the general table's entries.
inline constexpr int kNumeroVoci = 87;
inline constexpr int kPrimoCartello = 80;
inline constexpr int kVoceProgressivaTre = 81;
inline constexpr int kVoceProgressivaDue = 82;
inline constexpr int kVoceProgressivaUno = 83;
inline constexpr int kVoceTreno = 84;
inline constexpr int kVoceScenario = 85;
inline constexpr int kVoceRipetizione = 86;
// Stations fill the entries upward from 1, text boards downward from
// kPrimoCartello; once a station is among them, two of those entries stay
// free: code 10 refuses the one after this many.
inline constexpr int kMassimoStazioniECartelli = kPrimoCartello - 2;

struct modello {
  std::string nome_scenario;  // Windows-1252
  std::string numero_treno;   // Windows-1252
  int32_t lunghezza_estesa = 0;
  codice codice_errore = codice::nessuno;
  int32_t posizione_errore = 0;
  valori_guasto valori_errore;

  // Empty until the line parser has read the route length.
  std::vector<cella> celle;
  std::array<voce_generale, kNumeroVoci> dati_generali{};
  righe_planimetria planimetria;

  bool con_codice() const { return codice_errore != codice::nessuno; }
  bool tracciato_creato() const { return !celle.empty(); }
  // Upper bound (last valid index) of `celle`.
  int32_t ultima_cella() const { return static_cast<int32_t>(celle.size()) - 1; }
};

}  // namespace lorvenna
