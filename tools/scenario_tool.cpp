#include "tools/scenario_tool.h"

#include <algorithm>
#include <exception>
#include <new>
#include <sstream>
#include <utility>

#include "driver/activity.h"
#include "driver/report.h"
#include "driver/version.h"
#include "encoding/quoted.h"
#include "tools/command_table.h"
#include "tools/folder_locks.h"
#include "tools/tool_options.h"

namespace lorvenna {
namespace {

bool chiede_aiuto(const std::string& a) { return a == "--help" || a == "-h"; }

// The fault, what the command line should look like, and where to read more:
// a mistyped option should not bury its own message under the whole help.
int errore_di_uso(std::ostream& errori, const comando* c, const std::string& motivo) {
  errori << "scenario-tool: " << motivo << "\n";
  if (c) {
    errori << "usage: scenario-tool " << sinossi(*c) << "\n"
           << "See 'scenario-tool " << c->nome << " --help'.\n";
  } else {
    errori << sinossi_di_tutti()
           << "See 'scenario-tool --help', or 'scenario-tool COMMAND --help' for one command.\n";
  }
  return kStatoUso;
}

// A reader's output is gathered while it holds its folders and printed once
// it has let them go: a reader piped into a program that has stopped reading
// must not hold up a run that writes there.
int esegui_lettore(const comando& c, const richiesta& r,
                   std::vector<std::unique_ptr<FolderLock>> locks) {
  std::ostringstream letto;
  const auto stampa = [&] {
    locks.clear();
    r.uscita << letto.str();
  };
  int stato = kStatoFermato;
  try {
    const in_corso passo("reading the scenario in", r.o.cartelle.front());
    stato = c.esegui({r.o, r.scenario, r.treno, r.fs, r.p, letto, r.errori});
  } catch (...) {
    stampa();
    throw;
  }
  stampa();
  return stato;
}

}  // namespace

int esegui_scenario_tool(const std::vector<std::string>& argomenti, FileSystem& fs, piattaforma& p,
                         std::ostream& uscita, std::ostream& errori) {
  if (argomenti.empty()) return errore_di_uso(errori, nullptr, "no command given");
  if (chiede_aiuto(argomenti[0])) {
    uscita << uso_generale();
    return kStatoCompleto;
  }
  if (argomenti[0] == "--version") {
    uscita << "scenario-tool " << versione() << "\n";
    return kStatoCompleto;
  }
  const comando* c = trova_comando(argomenti[0]);
  if (!c) return errore_di_uso(errori, nullptr, "unknown command " + citato(argomenti[0]));
  const std::span<const std::string> resto = std::span(argomenti).subspan(1);
  if (std::any_of(resto.begin(), resto.end(), chiede_aiuto)) {
    uscita << aiuto_di(*c);
    return kStatoCompleto;
  }
  std::string motivo;
  const auto o = leggi_opzioni(c->forma(), resto, motivo);
  if (!o) return errore_di_uso(errori, c, motivo);
  if (c->cartelle.empty()) {
    // No folder, no scenario: nothing to name or to lock.
    const std::string nessuno;
    return c->esegui({*o, nessuno, nessuno, fs, p, uscita, errori});
  }
  const auto scenario = nome_valido(o->scenario, "scenario name", motivo);
  if (!scenario) return errore_di_uso(errori, c, motivo);
  const auto treno = nome_valido(o->treno, "train number", motivo);
  if (!treno) return errore_di_uso(errori, c, motivo);
  try {
    if (c->crea_cartella) {
      for (const std::string& cartella : o->cartelle) fs.create_folder(cartella);
    }
    const richiesta r{*o, *scenario, *treno, fs, p, uscita, errori};
    if (c->rifiuta) {
      if (const std::string rifiuto = c->rifiuta(r); !rifiuto.empty()) {
        return errore_di_uso(errori, c, rifiuto);
      }
    }
    if (c->blocca_a_ogni_giro) return c->esegui(r);
    // Also refuses a DIR that is missing or not a folder, with the system's reason.
    auto locks = blocca_cartelle(fs, o->cartelle, c->accesso, errori);
    if (c->accesso == LockKind::shared) return esegui_lettore(*c, r, std::move(locks));
    return c->esegui(r);
  } catch (const std::bad_alloc&) {
    riporta_memoria_esaurita("scenario-tool", errori);
    return kStatoFermato;
  } catch (const std::exception& e) {
    errori << "scenario-tool: " << e.what() << "\n";
    return kStatoFermato;
  }
}

}  // namespace lorvenna
