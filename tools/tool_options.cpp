#include "tools/tool_options.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "encoding/quoted.h"
#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

const opzione* trova_opzione(const forma_argomenti& f, const std::string& nome) {
  for (const opzione& o : f.opzioni) {
    if (nome == o.nome) return &o;
  }
  return nullptr;
}

bool e_opzione(const std::string& argomento) {
  // A lone "-" is a name like any other (plot's standard output).
  return argomento.size() > 1 && argomento[0] == '-';
}

opzioni_tool predefinite(const forma_argomenti& f) {
  opzioni_tool o;
  for (const opzione& op : f.opzioni) {
    if (op.predefinito) o.*std::get<std::string opzioni_tool::*>(op.imposta) = op.predefinito;
  }
  return o;
}

// A word that is no option: the next folder, then the other word.
bool leggi_parola(const forma_argomenti& f, const std::string& x, opzioni_tool& o,
                  std::string& motivo) {
  if (o.cartelle.size() == f.cartelle.size() && f.argomento && o.argomento.empty()) {
    o.argomento = x;
    return true;
  }
  if (o.cartelle.size() == f.cartelle.size()) {
    motivo = "unexpected argument " + citato(x);
    return false;
  }
  if (x.empty()) {
    motivo = "the folder name is empty";
    return false;
  }
  o.cartelle.push_back(x);
  return true;
}

// The value of option `op` given as `x`: after its '=', else the next
// argument, which `i` then moves past.
std::optional<std::string> valore_di(const opzione& op, const std::string& nome,
                                     std::span<const std::string> a, size_t& i,
                                     std::string& motivo) {
  const std::string& x = a[i];
  const size_t uguale = x.find('=');
  std::string valore;
  if (uguale != std::string::npos) {
    valore = x.substr(uguale + 1);
  } else if (i + 1 < a.size()) {
    valore = a[++i];
  } else {
    motivo = nome + " needs a value (" + op.valore + ")";
    return std::nullopt;
  }
  if (valore.empty()) {
    motivo = nome + " is given an empty " + op.valore;
    return std::nullopt;
  }
  if (!op.valori.empty() &&
      std::find(op.valori.begin(), op.valori.end(), valore) == op.valori.end()) {
    motivo = nome + " takes " + alternative(op.valori) + ", not " + citato(valore);
    return std::nullopt;
  }
  return valore;
}

// The option at `a[i]`, with its value when it takes one.
bool leggi_opzione(const forma_argomenti& f, std::span<const std::string> a, size_t& i,
                   opzioni_tool& o, std::set<const opzione*>& date, std::string& motivo) {
  const std::string& x = a[i];
  const size_t uguale = x.find('=');
  const std::string nome = x.substr(0, uguale);
  const opzione* op = trova_opzione(f, nome);
  if (!op) {
    motivo = "unknown option " + citato(nome);
    return false;
  }
  date.insert(op);
  if (!op->prende_valore()) {
    if (uguale != std::string::npos) {
      motivo = nome + " takes no value";
      return false;
    }
    o.*std::get<bool opzioni_tool::*>(op->imposta) = true;
    return true;
  }
  std::optional<std::string> valore = valore_di(*op, nome, a, i, motivo);
  if (!valore) return false;
  if (op->ripetibile()) {
    (o.*std::get<std::vector<std::string> opzioni_tool::*>(op->imposta)).push_back(*valore);
  } else {
    o.*std::get<std::string opzioni_tool::*>(op->imposta) = std::move(*valore);
  }
  return true;
}

// Whether every folder and every option to be given on each run was.
bool niente_manca(const forma_argomenti& f, const opzioni_tool& o,
                  const std::set<const opzione*>& date, std::string& motivo) {
  if (o.cartelle.size() < f.cartelle.size()) {
    motivo = std::string(f.comando) + " needs";
    for (const char* cartella : f.cartelle) motivo += std::string(" ") + cartella;
    return false;
  }
  for (const opzione& op : f.opzioni) {
    if (op.obbligatoria && date.count(&op) == 0) {
      motivo = std::string(f.comando) + " needs " + op.nome + " " + op.valore;
      return false;
    }
  }
  return true;
}

}  // namespace

std::string alternative(const std::vector<const char*>& valori) {
  std::string s;
  for (size_t i = 0; i < valori.size(); ++i) {
    if (i > 0) s += i + 1 == valori.size() ? " or " : ", ";
    s += valori[i];
  }
  return s;
}

opzione interruttore(const char* nome, bool opzioni_tool::*campo, const char* aiuto) {
  return {nome, "", campo, aiuto, nullptr, false};
}

opzione con_valore(const char* nome, const char* valore, std::string opzioni_tool::*campo,
                   const char* aiuto, const char* predefinito, bool obbligatoria) {
  return {nome, valore, campo, aiuto, predefinito, obbligatoria};
}

opzione a_scelta(const char* nome, const char* valore, std::string opzioni_tool::*campo,
                 const char* aiuto, std::vector<const char*> valori) {
  const char* predefinito = valori.front();
  return {nome, valore, campo, aiuto, predefinito, false, std::move(valori)};
}

opzione ripetibile(const char* nome, const char* valore,
                   std::vector<std::string> opzioni_tool::*campo, const char* aiuto,
                   std::vector<const char*> valori) {
  return {nome, valore, campo, aiuto, nullptr, false, std::move(valori)};
}

std::optional<opzioni_tool> leggi_opzioni(const forma_argomenti& f, std::span<const std::string> a,
                                          std::string& motivo) {
  opzioni_tool o = predefinite(f);
  std::set<const opzione*> date;
  for (size_t i = 0; i < a.size(); ++i) {
    const bool letto = e_opzione(a[i]) ? leggi_opzione(f, a, i, o, date, motivo)
                                       : leggi_parola(f, a[i], o, motivo);
    if (!letto) return std::nullopt;
  }
  if (!niente_manca(f, o, date, motivo)) return std::nullopt;
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
