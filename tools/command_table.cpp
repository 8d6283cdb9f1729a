#include "tools/command_table.h"

#include <algorithm>
#include <sstream>

#include "driver/run_sequence.h"

namespace lorvenna {
namespace {

constexpr size_t kLarghezza = 79;

// `testo` broken into lines of at most kLarghezza columns, each after `rientro`.
std::string a_capo(const std::string& testo, const std::string& rientro) {
  std::istringstream parole(testo);
  std::string righe, riga, parola;
  while (parole >> parola) {
    if (!riga.empty() && rientro.size() + riga.size() + 1 + parola.size() > kLarghezza) {
      righe += rientro + riga + "\n";
      riga.clear();
    }
    riga += (riga.empty() ? "" : " ") + parola;
  }
  if (!riga.empty()) righe += rientro + riga + "\n";
  return righe;
}

// "--format text|json|sarif" where the values are few, "--train NUMBER" otherwise
// (and for a long list, which the option's help gives in full).
std::string forma(const opzione& o) {
  if (!o.prende_valore()) return o.nome;
  std::string valore = o.valore;
  if (!o.valori.empty() && o.valori.size() <= 3) {
    valore.clear();
    for (const char* v : o.valori) valore += (valore.empty() ? "" : "|") + std::string(v);
  }
  return std::string(o.nome) + " " + valore;
}

// Lines of "  NAME  TEXT" with the texts in one column.
std::string colonne(const std::vector<std::pair<std::string, std::string>>& voci) {
  size_t larga = 0;
  for (const auto& v : voci) larga = std::max(larga, v.first.size());
  std::string testo;
  for (const auto& [nome, spiegazione] : voci) {
    const std::string rientro(2 + larga + 2, ' ');
    std::string righe = a_capo(spiegazione, rientro);
    righe.replace(0, 2 + nome.size(), "  " + nome);
    testo += righe;
  }
  return testo;
}

}  // namespace

opzione opzione_scenario() {
  return con_valore("--scenario", "NAME", &opzioni_tool::scenario,
                    "the scenario's name, the start of every file name", kNomeScenario);
}

opzione opzione_treno() {
  return con_valore("--train", "NUMBER", &opzioni_tool::treno,
                    "the train's number, in the train description's and the train file's names",
                    kNumeroTreno);
}

std::span<const comando* const> comandi() {
  static const comando* const tutti[] = {
      &comando_compile(), &comando_check(), &comando_watch(), &comando_init(),    &comando_verify(),
      &comando_dump(),    &comando_diff(),  &comando_plot(),  &comando_explain(), &comando_lsp()};
  return tutti;
}

const comando* trova_comando(const std::string& nome) {
  for (const comando* c : comandi()) {
    if (nome == c->nome) return c;
  }
  return nullptr;
}

std::string sinossi(const comando& c) {
  std::string s = c.nome;
  for (const char* cartella : c.cartelle) s += std::string(" ") + cartella;
  if (c.argomento) s += std::string(" [") + c.argomento + "]";
  for (const opzione& o : c.opzioni) {
    s += o.obbligatoria ? " " + forma(o) : " [" + forma(o) + "]";
    if (o.ripetibile()) s += "...";
  }
  return s;
}

std::string sinossi_di_tutti() {
  std::string s;
  for (const comando* c : comandi()) {
    s += (s.empty() ? "usage: " : "       ") + std::string("scenario-tool ") + sinossi(*c) + "\n";
  }
  return s;
}

std::string uso_generale() {
  std::vector<std::pair<std::string, std::string>> riassunti;
  for (const comando* c : comandi()) riassunti.emplace_back(c->nome, c->riassunto);
  return sinossi_di_tutti() + "       scenario-tool --help | --version\n\n" + colonne(riassunti) +
         "\n" + a_capo("'scenario-tool COMMAND --help' describes one command and its options.", "");
}

std::string aiuto_di(const comando& c) {
  std::vector<std::pair<std::string, std::string>> voci;
  for (const opzione& o : c.opzioni) {
    std::string spiegazione = o.aiuto;
    if (o.predefinito) spiegazione += std::string(" (default ") + o.predefinito + ")";
    voci.emplace_back(forma(o), spiegazione);
  }
  voci.emplace_back("--help", "prints this help");
  return "usage: scenario-tool " + sinossi(c) + "\n\n" + a_capo(c.descrizione, "") +
         "\noptions:\n" + colonne(voci);
}

}  // namespace lorvenna
