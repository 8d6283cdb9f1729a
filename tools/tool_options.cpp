#include "tools/tool_options.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "encoding/quoted.h"
#include "encoding/windows1252.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

const opzione* trova_opzione(const comando& c, const std::string& nome) {
  for (const opzione& o : c.opzioni) {
    if (nome == o.nome) return &o;
  }
  return nullptr;
}

bool e_opzione(const std::string& argomento) {
  // A lone "-" is a name like any other (plot's standard output).
  return argomento.size() > 1 && argomento[0] == '-';
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

std::optional<opzioni_tool> leggi_opzioni(const comando& c, std::span<const std::string> a,
                                          std::string& motivo) {
  opzioni_tool o;
  for (const opzione& op : c.opzioni) {
    if (op.predefinito) o.*std::get<std::string opzioni_tool::*>(op.imposta) = op.predefinito;
  }
  std::set<const opzione*> date;
  for (size_t i = 0; i < a.size(); ++i) {
    const std::string& x = a[i];
    if (!e_opzione(x)) {
      if (o.cartelle.size() == c.cartelle.size() && c.argomento && o.argomento.empty()) {
        o.argomento = x;
        continue;
      }
      if (o.cartelle.size() == c.cartelle.size()) {
        motivo = "unexpected argument " + citato(x);
        return std::nullopt;
      }
      if (x.empty()) {
        motivo = "the folder name is empty";
        return std::nullopt;
      }
      o.cartelle.push_back(x);
      continue;
    }
    const size_t uguale = x.find('=');
    const std::string nome = x.substr(0, uguale);
    const opzione* op = trova_opzione(c, nome);
    if (!op) {
      motivo = "unknown option " + citato(nome);
      return std::nullopt;
    }
    date.insert(op);
    if (!op->prende_valore()) {
      if (uguale != std::string::npos) {
        motivo = nome + " takes no value";
        return std::nullopt;
      }
      o.*std::get<bool opzioni_tool::*>(op->imposta) = true;
      continue;
    }
    std::string valore;
    if (uguale != std::string::npos) {
      valore = x.substr(uguale + 1);
    } else if (i + 1 < a.size()) {
      valore = a[++i];
    } else {
      motivo = nome + " needs a value (" + op->valore + ")";
      return std::nullopt;
    }
    if (valore.empty()) {
      motivo = nome + " is given an empty " + op->valore;
      return std::nullopt;
    }
    if (!op->valori.empty() &&
        std::find(op->valori.begin(), op->valori.end(), valore) == op->valori.end()) {
      motivo = nome + " takes " + alternative(op->valori) + ", not " + citato(valore);
      return std::nullopt;
    }
    if (op->ripetibile()) {
      (o.*std::get<std::vector<std::string> opzioni_tool::*>(op->imposta)).push_back(valore);
    } else {
      o.*std::get<std::string opzioni_tool::*>(op->imposta) = std::move(valore);
    }
  }
  if (o.cartelle.size() < c.cartelle.size()) {
    motivo = std::string(c.nome) + " needs";
    for (const char* cartella : c.cartelle) motivo += std::string(" ") + cartella;
    return std::nullopt;
  }
  for (const opzione& op : c.opzioni) {
    if (op.obbligatoria && date.count(&op) == 0) {
      motivo = std::string(c.nome) + " needs " + op.nome + " " + op.valore;
      return std::nullopt;
    }
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
