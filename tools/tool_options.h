// scenario-tool's command line: what its options set, how a command's
// arguments are read, and the checks a name must pass before it reaches a
// file name or a compiled record.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lorvenna {

// What a command line sets; a command reads the fields its options name.
struct opzioni_tool {
  std::vector<std::string> cartelle;  // the command's folders, in order
  std::string argomento;              // the command's one other word, if it takes one
  std::string scenario;
  std::string treno;
  bool senza_linea = false;               // compile --no-line
  bool cancella_testi = false;            // compile --delete-texts
  bool scrivi_con_errori = false;         // compile --write-on-error
  bool forza = false;                     // init --force
  bool json = false;                      // dump --json
  bool tutte = false;                     // diff --all
  std::string immagine;                   // plot -o
  std::string formato;                    // check --format
  bool avvisi_come_errori = false;        // check --warnings-as-errors
  std::vector<std::string> senza_avvisi;  // check --no-warn, once per class
  std::string codifica;                   // check --encoding
};

// One option of a command: a flag sets a field to true, an option with a
// value stores the value in a field, and one that may be repeated adds each
// value to a list.
struct opzione {
  const char* nome;    // "--scenario"
  const char* valore;  // the value's name in the usage ("NAME"); empty for a flag
  std::variant<bool opzioni_tool::*, std::string opzioni_tool::*,
               std::vector<std::string> opzioni_tool::*>
      imposta;
  const char* aiuto;          // one line in the command's help
  const char* predefinito;    // the value when the option is not given, or nullptr
  bool obbligatoria = false;  // to be given on every run
  // The only values it takes, when they are few ("text", "json"); empty
  // for any.
  std::vector<const char*> valori = {};

  bool prende_valore() const { return !std::holds_alternative<bool opzioni_tool::*>(imposta); }
  bool ripetibile() const {
    return std::holds_alternative<std::vector<std::string> opzioni_tool::*>(imposta);
  }
};

opzione interruttore(const char* nome, bool opzioni_tool::*campo, const char* aiuto);
opzione con_valore(const char* nome, const char* valore, std::string opzioni_tool::*campo,
                   const char* aiuto, const char* predefinito = nullptr, bool obbligatoria = false);
// An option whose value is one of `valori`, the first of them when it is
// not given.
opzione a_scelta(const char* nome, const char* valore, std::string opzioni_tool::*campo,
                 const char* aiuto, std::vector<const char*> valori);
// An option that may be given again and again, each value added to `campo`;
// each one of `valori` when that is not empty.
opzione ripetibile(const char* nome, const char* valore,
                   std::vector<std::string> opzioni_tool::*campo, const char* aiuto,
                   std::vector<const char*> valori = {});

// The values an option takes, for its help and its errors: "text, json or sarif".
std::string alternative(const std::vector<const char*>& valori);

// What a command's entry in the command table says of its arguments:
// all that reading them needs.
struct forma_argomenti {
  std::string_view comando;               // its name, for the reasons ("compile needs DIR")
  std::span<const char* const> cartelle;  // its folders' names in the usage
  const char* argomento;                  // the name of the other word it takes, or null
  std::span<const opzione> opzioni;
};

// The arguments that follow the command's name, read by the form of the
// command's table entry: `--opt VALUE` or `--opt=VALUE`, flags, and its
// folders. Empty, with the reason in `motivo`, on a usage error.
std::optional<opzioni_tool> leggi_opzioni(const forma_argomenti& f,
                                          std::span<const std::string> argomenti,
                                          std::string& motivo);

// `nome` in Windows-1252, or empty with the reason in `motivo`. `cosa` names
// it in the reason ("scenario name").
std::optional<std::string> nome_valido(const std::string& nome, const char* cosa,
                                       std::string& motivo);

}  // namespace lorvenna
