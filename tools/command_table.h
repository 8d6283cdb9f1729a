// scenario-tool's commands, each described once: its name, folders,
// options, help and what it runs. The usage, each command's help and the
// reading of its arguments are all made from these entries.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/piattaforma.h"
#include "tools/tool_options.h"

namespace lorvenna {

// What a command runs with: its arguments, read and checked, and the world.
struct richiesta {
  const opzioni_tool& o;
  const std::string& scenario;  // o.scenario in Windows-1252
  const std::string& treno;     // o.treno in Windows-1252
  FileSystem& fs;
  piattaforma& p;
  std::ostream& uscita;
  std::ostream& errori;
};

struct comando {
  const char* nome;
  std::vector<const char*> cartelle;  // its folders' names in the usage: "DIR"
  // The name in the usage of a word it may take after its folders, such
  // as "TOPIC"; none when null.
  const char* argomento = nullptr;
  bool crea_cartella;       // a missing folder is made, one level
  const char* riassunto;    // one line in the overall usage
  const char* descrizione;  // a paragraph in its own help
  std::vector<opzione> opzioni;
  // A command that only reads its folders shares them with other readers,
  // and what it prints reaches standard output once it has let them go; one
  // that writes holds them alone for its whole run.
  LockKind accesso = LockKind::exclusive;
  // A command that locks its folders itself, for the part of its work done
  // in them only (each round of a watch, the drawing of a plot), so that
  // while it waits (for an edit, for a FIFO's reader) other runs may work
  // there; it is started with none held.
  bool blocca_a_ogni_giro = false;
  // Runs with every folder of the command held locked (unless it locks
  // them itself). Returns the status.
  int (*esegui)(const richiesta& r);
  // Why the command line, though well formed, must not run, found by
  // looking at the files (an output that is one of the scenario's own
  // files), or ""; a refusal is a usage error, before anything is locked.
  std::string (*rifiuta)(const richiesta& r) = nullptr;

  forma_argomenti forma() const { return {nome, cartelle, argomento, opzioni}; }
};

// The options every command has: the names of the scenario's files.
opzione opzione_scenario();
opzione opzione_treno();

const comando& comando_compile();
const comando& comando_init();
const comando& comando_verify();
const comando& comando_check();
const comando& comando_dump();
const comando& comando_diff();
const comando& comando_plot();
const comando& comando_explain();
const comando& comando_lsp();
const comando& comando_watch();

// Every command, in the order the usage lists them.
std::span<const comando* const> comandi();
const comando* trova_comando(const std::string& nome);

// "compile DIR [--scenario NAME] ...", as the usage and the README show it.
std::string sinossi(const comando& c);
// "usage: scenario-tool ..." and every command's synopsis, one a line.
std::string sinossi_di_tutti();
// What `scenario-tool --help` prints.
std::string uso_generale();
// What `scenario-tool COMMAND --help` prints.
std::string aiuto_di(const comando& c);

}  // namespace lorvenna
