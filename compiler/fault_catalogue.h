// One entry for each code the compile can leave: the program's sentence for
// its report, the author's message and help said from the values the rule
// had in hand, and the kind of fault the check groups it by. A code added
// to the enum gets its entry here and its heading in docs/reference.md;
// tools/reference_test.cpp holds the three together.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "compiler/fault_codes.h"

namespace lorvenna {

// What the check does differently for a fault, by what went wrong.
enum class tipo_guasto : uint8_t {
  nessuno,
  oltre_limite,     // a value above the bound the compile takes
  fuori_griglia,    // a position or length off its grid
  parola,           // a keyword that names no variant the rule knows
  collisione,       // a record on a cell another record took
  senza_spazio,     // no entry or cell left for what the record needs
  oltre_tracciato,  // a record beyond the track or before its start
  troppo_vicine,    // a station too near the one before it
  lettura,          // a text or a field that could not be read
  testo_assente,    // the line description text is missing
  sezione_assente,  // the line description has no general section
  posto_fisso,      // a fixed place the compile fills was taken first
};

struct voce_guasto {
  codice c;
  tipo_guasto tipo;
  // The program's report, as users and scripts have always read it.
  std::string_view frase;
  // The author's message; null where the sentence says all there is.
  std::string (*messaggio)(const valori_guasto&);
  // What is allowed, in the author's words; empty where nothing is to add.
  std::string (*aiuto)(const valori_guasto&);
};

// Every entry, in the order of their numbers.
std::span<const voce_guasto> catalogo_guasti();

// The entry of `c`; null for a number that is no code.
const voce_guasto* voce_di(codice c);

// Whether `c` is one of the enum's codes; held to the catalogue by a test.
bool e_un_codice(codice c);

// The program's sentence for `c`.
std::string_view descrizione_errore(codice c);

// "codice 16": how a finding names its code.
std::string nome_codice(codice c);
// The number of a finding's code named as above; none for a warning's class.
std::optional<int32_t> numero_nominato(std::string_view nome);

// "code-16": the anchor of the code's heading ("### Code 16") in the
// reference.
std::string ancora_codice(int32_t numero);

// The author's message for `c` from the rule's values: its own where the
// entry has one, else the program's sentence in lower case without its
// full stop.
std::string messaggio_autore(codice c, const valori_guasto& v);

// The entry's help; empty for none.
std::string aiuto_autore(codice c, const valori_guasto& v);

// What stands in a cell of type `tipo_cella`, as the author wrote it.
std::string chi_occupa(uint8_t tipo_cella);

}  // namespace lorvenna
