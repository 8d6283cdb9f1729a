// The author's reference, docs/reference.md, as scenario-tool carries it:
// its entries for each record keyword, fault code and warning class, found
// by their headings.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvenna {

// The whole reference, as the file holds it.
std::string_view testo_riferimento();

enum class tipo_voce { record_linea, record_treno, codice, avviso };

struct voce_riferimento {
  tipo_voce tipo;
  std::string argomento;   // "segnale", "16", "split-number"
  std::string_view testo;  // from its heading to the next
};

// Every entry of `testo`, in the reference's order: the "### " headings of
// its record, code and warning sections.
std::vector<voce_riferimento> voci_riferimento(std::string_view testo);

// The entry `argomento` names: a code's number, a warning class or a record
// keyword, in any case; a keyword as written in a text (`curvas1`) finds the
// record it is read as.
std::optional<voce_riferimento> trova_voce(const std::vector<voce_riferimento>& voci,
                                           std::string_view argomento);

// One row of an entry's table of fields, as the reference says it.
struct campo_della_voce {
  std::string nome;  // "position", without its backquotes
  std::string unita;
  std::string valori;
  std::string fuori;  // what happens to a value outside them
};

// The rows under the entry's "| # | Field |" heading, in order.
std::vector<campo_della_voce> campi_della_voce(std::string_view testo);

}  // namespace lorvenna
