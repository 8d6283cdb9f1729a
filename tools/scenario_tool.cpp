#include "tools/scenario_tool.h"

#include <exception>
#include <optional>

#include "driver/file_names.h"
#include "driver/report.h"
#include "driver/run_sequence.h"
#include "encoding/quoted.h"
#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

constexpr const char* kUso =
    "usage: scenario-tool compile DIR [--scenario NAME] [--train NUMBER] [--no-line]\n"
    "\n"
    "  compile   compiles the line and train description texts that stand in DIR\n"
    "            (NAME_linea.txt and NAME_NUMBER-.txt) into NAME_linea.dat,\n"
    "            NAME_NUMBER.sim and NAME_NUMBER.dat in DIR, and deletes the texts.\n"
    "            NAME defaults to Lorvenna, NUMBER to 2579bis; --no-line leaves the\n"
    "            line file alone and skips the plan view.\n";

struct opzioni_compile {
  std::string cartella;
  std::string scenario = kNomeScenario;
  std::string treno = kNumeroTreno;
  bool linea = true;
};

// Empty with a reason on a usage error.
std::optional<opzioni_compile> leggi_opzioni(const std::vector<std::string>& a,
                                             std::string& motivo) {
  if (a.empty() || a[0] != "compile") {
    motivo = a.empty() ? "no command given" : "unknown command " + citato(a[0]);
    return std::nullopt;
  }
  opzioni_compile o;
  bool cartella_data = false;
  for (size_t i = 1; i < a.size(); ++i) {
    const std::string& x = a[i];
    if (x == "--no-line") {
      o.linea = false;
    } else if (x == "--scenario" || x == "--train") {
      if (i + 1 >= a.size()) {
        motivo = x + " needs a value";
        return std::nullopt;
      }
      (x == "--scenario" ? o.scenario : o.treno) = a[++i];
    } else if (x.starts_with("--") || cartella_data) {
      motivo = "unexpected argument " + citato(x);
      return std::nullopt;
    } else {
      o.cartella = x;
      cartella_data = true;
    }
  }
  if (!cartella_data) {
    motivo = "no folder given";
    return std::nullopt;
  }
  if (o.cartella.empty()) {
    motivo = "the folder name is empty";
    return std::nullopt;
  }
  return o;
}

// A name becomes part of file names and of the compiled records.
std::optional<std::string> nome_valido(const std::string& nome, const char* cosa,
                                       std::string& motivo) {
  const std::string prefisso = std::string(cosa) + " " + citato(nome);
  if (nome.empty()) {
    motivo = std::string(cosa) + " is empty";
    return std::nullopt;
  }
  if (nome.find_first_of("/\\") != std::string::npos) {
    motivo = prefisso + " must not contain a path separator";
    return std::nullopt;
  }
  auto convertito = utf8_a_windows1252(nome);
  if (!convertito) {
    motivo = prefisso + " is not UTF-8 or has a character that Windows-1252 lacks";
    return std::nullopt;
  }
  for (char c : *convertito) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      motivo = prefisso + " must not contain a control character";
      return std::nullopt;
    }
  }
  return convertito;
}

int compila(const opzioni_compile& o, FileSystem& fs, piattaforma& p, std::ostream& uscita,
            std::ostream& errori) {
  std::string motivo;
  auto scenario = nome_valido(o.scenario, "scenario name", motivo);
  auto treno = scenario ? nome_valido(o.treno, "train number", motivo) : std::nullopt;
  if (!scenario || !treno) {
    errori << "scenario-tool: " << motivo << "\n" << kUso;
    return kStatoUso;
  }
  const nomi_file nomi = nomi_file_per(o.cartella, o.scenario, o.treno);
  try {
    // Also refuses a DIR that is missing or not a folder, with the system's reason.
    const auto lock = fs.lock_folder(o.cartella);
    const compilazione c = memorizza_percorso(o.linea, *scenario, *treno, fs, nomi);
    return riporta_compilazione(c.esito, c.m, p, &uscita, errori);
  } catch (const std::exception& e) {
    errori << "scenario-tool: " << e.what() << "\n";
    return kStatoFermato;
  }
}

}  // namespace

int esegui_scenario_tool(const std::vector<std::string>& argomenti, FileSystem& fs, piattaforma& p,
                         std::ostream& uscita, std::ostream& errori) {
  std::string motivo;
  auto opzioni = leggi_opzioni(argomenti, motivo);
  if (!opzioni) {
    errori << "scenario-tool: " << motivo << "\n" << kUso;
    return kStatoUso;
  }
  return compila(*opzioni, fs, p, uscita, errori);
}

}  // namespace lorvenna
