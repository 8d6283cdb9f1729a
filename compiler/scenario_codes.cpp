#include "compiler/scenario_codes.h"

#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

constexpr int kCaratteriUsati = 25;

}  // namespace

std::string testo_codici(const modello& m) {
  const auto& g = m.dati_generali;
  return minuscole_1252(g[kVoceRipetizione].nome + g[kVoceScenario].nome) +
         "mnbvcxzlkjhgfdsapoiuytrewq";
}

int16_t codice_gara_og(const modello& m) {
  const std::string t = testo_codici(m);
  int32_t somma = 0;
  for (int i = 0; i < kCaratteriUsati; ++i) somma += static_cast<uint8_t>(t[i]);
  return static_cast<int16_t>(somma);
}

int32_t codice_gara_st(const modello& m) {
  const std::string t = testo_codici(m);
  int32_t somma = 0;
  for (int i = 0; i < kCaratteriUsati; ++i) somma += (i + 1) * static_cast<uint8_t>(t[i]);
  return somma;
}

}  // namespace lorvenna
