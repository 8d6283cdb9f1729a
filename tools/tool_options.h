// scenario-tool's command line: which command, on which folder, with which
// names, and the checks a name must pass before it reaches a file name or a
// compiled record.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lorvenna {

struct opzioni_tool {
  enum class comando { compile, init, verify, dump, diff, plot };
  comando azione = comando::compile;
  std::string cartella;
  std::string scenario;
  std::string treno;
  bool linea = true;             // compile: without --no-line
  bool cancella_testi = false;   // compile: --delete-texts
  bool forza = false;            // init: --force
  bool json = false;             // dump: --json
  bool tutte = false;            // diff: --all
  std::string seconda_cartella;  // diff: DIR_B
  std::string immagine;          // plot: -o FILE.svg
};

// Empty, with the reason in `motivo`, on a usage error.
std::optional<opzioni_tool> leggi_opzioni(const std::vector<std::string>& argomenti,
                                          std::string& motivo);

// `nome` in Windows-1252, or empty with the reason in `motivo`. `cosa` names
// it in the reason ("scenario name").
std::optional<std::string> nome_valido(const std::string& nome, const char* cosa,
                                       std::string& motivo);

}  // namespace lorvenna
