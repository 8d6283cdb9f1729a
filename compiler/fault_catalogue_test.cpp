#include "compiler/fault_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "compiler/cell.h"
#include "compiler/cell_walk.h"
#include "compiler/line_parser.h"
#include "compiler/model.h"
#include "compiler/plan_view.h"
#include "compiler/train_station.h"

namespace lorvenna {
namespace {

// The enum's codes and the catalogue's entries are the same set, each entry
// once, in the order of their numbers, each with its help.
TEST(FaultCatalogueTest, HasOneEntryForEachCodeOfTheEnum) {
  for (int32_t n = -1; n <= 2000; ++n) {
    const codice c = static_cast<codice>(n);
    EXPECT_EQ(e_un_codice(c), voce_di(c) != nullptr) << "code " << n;
  }
  int32_t prima = -1;
  for (const voce_guasto& v : catalogo_guasti()) {
    EXPECT_GT(numero(v.c), prima) << "code " << v.c;
    prima = numero(v.c);
    EXPECT_EQ(voce_di(v.c), &v);
    EXPECT_NE(v.aiuto, nullptr) << "code " << v.c;
    EXPECT_FALSE(v.frase.empty()) << "code " << v.c;
  }
  EXPECT_EQ(descrizione_errore(static_cast<codice>(14)), "Unknown fault code.");
}

// Every kind the check may branch on is some code's.
TEST(FaultCatalogueTest, EveryKindBelongsToSomeCode) {
  std::set<tipo_guasto> tipi;
  for (const voce_guasto& v : catalogo_guasti()) tipi.insert(v.tipo);
  for (int t = 0; t <= static_cast<int>(tipo_guasto::posto_fisso); ++t) {
    EXPECT_TRUE(tipi.contains(static_cast<tipo_guasto>(t))) << "kind " << t;
  }
}

// The report's sentences are read by users and scripts: they keep their
// bytes.
TEST(FaultCatalogueTest, SentencesKeepTheReportsBytes) {
  const std::pair<codice, std::string_view> casi[] = {
      {codice::nessuno, "No fault."},
      {codice::percorso_troppo_lungo,
       "The route length of the \"lunghezza percorso\" record is greater than 1000000 m."},
      {codice::progressiva_fuori_passo,
       "A kilometric progressive section starts or ends at a position that is not a multiple of "
       "50."},
      {codice::ripetizione_inizio,
       "The start of the \"ripetizione segnali\" record is not a multiple of 50."},
      {codice::ripetizione_fine,
       "The end of the \"ripetizione segnali\" record is not a multiple of 50."},
      {codice::ripetizione_codici,
       "The \"ripetizione segnali\" keyword names neither 4 nor 9 codes."},
      {codice::cartello_occupato, "A text board falls on a cell that is already taken."},
      {codice::abbattimento_occupato,
       "An \"abbattimento\" point falls on a cell that is already taken."},
      {codice::stazione_fuori_passo, "A station position is not a multiple of 50."},
      {codice::stazione_lunghezza, "A station length is not a multiple of 100."},
      {codice::voci_esaurite,
       "Stations and text boards together need more entries than the general table holds."},
      {codice::punto_prima_avviso,
       "No room for the 180 point in front of a signal before a slowdown warning board."},
      {codice::punto_avvicinamento, "No room for a 180 point on the approach to a slowdown start."},
      {codice::punto_dentro_o_dopo,
       "No room for a 180 point inside a slow slowdown or in front of the signal after it."},
      {codice::fuori_tracciato,
       "A record lies beyond the end of the track, before its start, or reaches past the track's "
       "last cell."},
      {codice::segnale_occupato, "A signal falls on a cell that is already taken."},
      {codice::avviso_occupato, "The warning cell of a slowdown is already taken."},
      {codice::inizio_occupato, "The start cell of a slowdown is already taken."},
      {codice::fine_occupata, "The end cell of a slowdown is already taken."},
      {codice::numerate_occupate,
       "One of the four cells before a slowdown's warning cell is already taken."},
      {codice::indicatori_occupati, "A speed board falls on a cell that is already taken."},
      {codice::stazioni_vicine,
       "A station area begins less than 350 m after the previous station's area ends."},
      {codice::fermata_in_testa, "A station's stop mark would fall on cell 1 or before it."},
      {codice::lettura,
       "A description could not be read: a missing file, a field that is not a number, a value "
       "too large for its field, a missing \"lunghezza percorso\" record, or a read past the end "
       "of the file."},
      {codice::linea_assente, "The line description text does not exist."},
      {codice::generale_assente, "The line description text has no \"[generale]\" section."},
      {codice::curva,
       "A curve record names no curve class 1 to 6, or the plan view runs past 1000000 m."},
      {codice::marca_occupata,
       "A fixed mark's place, cell 1 or general record 85, was already taken."},
      {codice::codice_scenario_occupato,
       "A scenario code's place, cell 1 or general record 85, was already taken."},
  };
  EXPECT_EQ(std::size(casi), catalogo_guasti().size());
  for (const auto& [c, frase] : casi) EXPECT_EQ(descrizione_errore(c), frase) << "code " << c;
}

// A limit a sentence names is the one its rule holds the value to.
TEST(FaultCatalogueTest, SentencesNameTheRulesLimits) {
  const std::string cella = "multiple of " + std::to_string(kLunghezzaCella) + ".";
  const std::pair<codice, std::string> casi[] = {
      {codice::percorso_troppo_lungo, std::to_string(kLunghezzaMassima) + " m."},
      {codice::progressiva_fuori_passo, cella},
      {codice::ripetizione_inizio, cella},
      {codice::ripetizione_fine, cella},
      {codice::stazione_fuori_passo, cella},
      {codice::stazione_lunghezza, "multiple of " + std::to_string(kPassoLunghezzaStazione) + "."},
      {codice::punto_prima_avviso, std::to_string(kValorePunto) + " point"},
      {codice::punto_avvicinamento, std::to_string(kValorePunto) + " point"},
      {codice::punto_dentro_o_dopo, std::to_string(kValorePunto) + " point"},
      {codice::stazioni_vicine, std::to_string(kDistanzaMinimaStazioni) + " m after"},
      {codice::curva, "past " + std::to_string(kMetriMassimiCurve) + " m."},
  };
  for (const auto& [c, limite] : casi) {
    EXPECT_NE(descrizione_errore(c).find(limite), std::string_view::npos)
        << "code " << c << ": " << limite;
  }
}

// The author's message says the values the rule had, and a code without
// one of its own says its sentence.
TEST(FaultCatalogueTest, MessagesSayTheRulesValues) {
  valori_guasto lunga;
  lunga.valore = 1000050;
  lunga.limite = kLunghezzaMassima;
  valori_guasto presa;
  presa.posizione = 3000;
  presa.cella = 61;
  presa.occupante = tipo_segnale;
  valori_guasto oltre;
  oltre.posizione = 9000;
  oltre.limite = 7950;
  valori_guasto prima;
  prima.posizione = -50;
  const std::tuple<codice, valori_guasto, std::string> casi[] = {
      {codice::percorso_troppo_lungo, lunga, "route length 1000050 m is longer than 1000000 m"},
      {codice::cartello_occupato, presa,
       "text board at 3000 m falls on a cell already taken by a signal"},
      {codice::fuori_tracciato, oltre,
       "record at 9000 m lies beyond the track, whose last record may stand at 7950 m"},
      {codice::fuori_tracciato, prima, "record at -50 m lies before the route's start"},
      {codice::voci_esaurite,
       {},
       "stations and text boards together need more entries than the general table holds"},
      {codice::lettura, {}, ""},
  };
  for (const auto& [c, v, atteso] : casi) EXPECT_EQ(messaggio_autore(c, v), atteso) << "code " << c;
}

// The help of a reading failure follows its kind, not its words.
TEST(FaultCatalogueTest, ReadingHelpFollowsTheFailuresKind) {
  valori_guasto v;
  EXPECT_EQ(aiuto_autore(codice::lettura, v), "");
  v.lettura = tipo_lettura::non_numero;
  EXPECT_EQ(aiuto_autore(codice::lettura, v),
            "a number is digits, with a leading - when negative; a blank ends it");
  v.lettura = tipo_lettura::record_troncato;
  EXPECT_EQ(aiuto_autore(codice::lettura, v),
            "write every field of the record on its line, separated by commas");
}

TEST(FaultCatalogueTest, CodeNamesAndAnchors) {
  for (const voce_guasto& v : catalogo_guasti()) {
    EXPECT_EQ(numero_nominato(nome_codice(v.c)), numero(v.c));
  }
  EXPECT_EQ(nome_codice(codice::segnale_occupato), "codice 16");
  EXPECT_EQ(ancora_codice(16), "code-16");
  for (const char* nome : {"beyond-route", "codice ", "codice 1x", "codice -1", "16"}) {
    EXPECT_FALSE(numero_nominato(nome).has_value()) << nome;
  }
}

}  // namespace
}  // namespace lorvenna
