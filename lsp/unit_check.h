// One check of a scenario's two texts, as an editor holds them: an open
// text's unsaved edits, the other's bytes from the disk.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/compile.h"
#include "compiler/diagnostic.h"
#include "compiler/record_fields.h"
#include "lsp/scenario_unit.h"
#include "platform/file_system.h"

namespace lorvenna {

// A record the compile read without fault: its keyword's name, its rule's
// fields, and each field read (the keyword first) with where it stands.
struct record_visto {
  std::string_view nome;
  std::span<const campo_record> campi;
  std::vector<posizione_campo> posizioni;
  std::vector<std::string> valori;  // as written, without the blanks around
};

struct unita_controllata {
  unita_scenario unita;
  // What the compile made of the texts; none when one of them is missing.
  std::shared_ptr<const compilazione> c;
  std::vector<Diagnostic> trovate;
  std::map<std::string, std::vector<record_visto>> record;  // by text
  // Why the texts could not be checked together, when they could not.
  std::string mancante;
};

// An open text's UTF-8 content, or null when the text is not open.
using testo_aperto = std::function<const std::string*(const std::string& percorso)>;

unita_controllata controlla_unita(const unita_scenario& u, const testo_aperto& aperto,
                                  FileSystem& disco);

}  // namespace lorvenna
