#include "compiler/scenario_codes.h"

#include <gtest/gtest.h>

namespace lorvenna {
namespace {

modello con_nomi(std::string scenario, std::string treno) {
  modello m;
  m.dati_generali[kVoceScenario].nome = std::move(scenario);
  m.dati_generali[kVoceRipetizione].nome = std::move(treno);
  return m;
}

TEST(CodiciScenario, EmbeddedScenario) {
  const modello m = con_nomi("Lorvenna", "2579bis");
  EXPECT_EQ(codice_gara_og(m), 2499);
  EXPECT_EQ(codice_gara_st(m), 34918);
}

TEST(CodiciScenario, CaseDoesNotMatterIncludingAccentedLetters) {
  const modello a = con_nomi("LORVENNA\xC0", "2579BIS");
  const modello b = con_nomi("lorvenna\xE0", "2579bis");
  EXPECT_EQ(codice_gara_og(a), codice_gara_og(b));
  EXPECT_EQ(codice_gara_st(a), codice_gara_st(b));
  // 0xD7, the multiplication sign, sits among the capitals but is no letter.
  EXPECT_NE(codice_gara_og(con_nomi("\xD7", "")), codice_gara_og(con_nomi("\xF7", "")));
}

TEST(CodiciScenario, OnlyTheFirst25CharactersCount) {
  const modello a = con_nomi("abcdefghijklmnopqrstuvwxy", "");
  const modello b = con_nomi("abcdefghijklmnopqrstuvwxyZZZ", "");
  EXPECT_EQ(codice_gara_og(a), codice_gara_og(b));
  EXPECT_EQ(codice_gara_st(a), codice_gara_st(b));
}

TEST(CodiciScenario, SwappedNamesChangeOnlyTheWeightedCode) {
  const modello scambiati = con_nomi("2579bis", "Lorvenna");
  EXPECT_EQ(codice_gara_og(scambiati), 2499);
  EXPECT_EQ(codice_gara_st(scambiati), 33099);
}

TEST(CodiciScenario, EmptyNamesUseTheFillTextAlone) {
  const modello m = con_nomi("", "");
  EXPECT_EQ(codice_gara_og(m), 2734);
  EXPECT_EQ(codice_gara_st(m), 35785);
}

TEST(CodiciScenario, HighBytesCountAsUnsigned) {
  const modello m = con_nomi(std::string(25, '\xFF'), "");
  EXPECT_EQ(codice_gara_og(m), 6375);
  EXPECT_EQ(codice_gara_st(m), 82875);
}

}  // namespace
}  // namespace lorvenna
