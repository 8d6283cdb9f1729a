#include "tools/tool_options.h"

#include "driver/run_sequence.h"
#include "encoding/quoted.h"
#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

std::optional<opzioni_tool::comando> comando_di(const std::string& parola) {
  if (parola == "compile") return opzioni_tool::comando::compile;
  if (parola == "init") return opzioni_tool::comando::init;
  if (parola == "verify") return opzioni_tool::comando::verify;
  if (parola == "dump") return opzioni_tool::comando::dump;
  if (parola == "diff") return opzioni_tool::comando::diff;
  if (parola == "plot") return opzioni_tool::comando::plot;
  return std::nullopt;
}

// A flag that belongs to the command.
bool interruttore(opzioni_tool& o, const std::string& x) {
  const bool compile = o.azione == opzioni_tool::comando::compile;
  if (compile && x == "--no-line") {
    o.linea = false;
    return true;
  }
  if (compile && x == "--delete-texts") {
    o.cancella_testi = true;
    return true;
  }
  if (o.azione == opzioni_tool::comando::diff && x == "--all") {
    o.tutte = true;
    return true;
  }
  if (o.azione == opzioni_tool::comando::dump && x == "--json") {
    o.json = true;
    return true;
  }
  if (o.azione == opzioni_tool::comando::init && x == "--force") {
    o.forza = true;
    return true;
  }
  return false;
}

}  // namespace

std::optional<opzioni_tool> leggi_opzioni(const std::vector<std::string>& a, std::string& motivo) {
  if (a.empty()) {
    motivo = "no command given";
    return std::nullopt;
  }
  const auto azione = comando_di(a[0]);
  if (!azione) {
    motivo = "unknown command " + citato(a[0]);
    return std::nullopt;
  }
  opzioni_tool o;
  o.azione = *azione;
  o.scenario = kNomeScenario;
  o.treno = kNumeroTreno;
  bool cartella_data = false;
  for (size_t i = 1; i < a.size(); ++i) {
    const std::string& x = a[i];
    if (interruttore(o, x)) continue;
    if (x == "-o" && o.azione == opzioni_tool::comando::plot) {
      if (i + 1 >= a.size() || a[i + 1].empty()) {
        motivo = "-o needs a file name";
        return std::nullopt;
      }
      o.immagine = a[++i];
    } else if (x == "--scenario" || x == "--train") {
      if (i + 1 >= a.size()) {
        motivo = x + " needs a value";
        return std::nullopt;
      }
      (x == "--scenario" ? o.scenario : o.treno) = a[++i];
    } else if (!x.starts_with("--") && cartella_data && o.azione == opzioni_tool::comando::diff &&
               o.seconda_cartella.empty()) {
      o.seconda_cartella = x;
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
  if (o.azione == opzioni_tool::comando::plot && o.immagine.empty()) {
    motivo = "plot needs -o FILE.svg";
    return std::nullopt;
  }
  if (o.azione == opzioni_tool::comando::diff && o.seconda_cartella.empty()) {
    motivo = "diff needs two folders";
    return std::nullopt;
  }
  return o;
}

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

}  // namespace lorvenna
