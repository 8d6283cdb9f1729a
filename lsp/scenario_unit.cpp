#include "lsp/scenario_unit.h"

#include <algorithm>

namespace lorvenna {
namespace {

constexpr std::string_view kLinea = "_linea.txt";
constexpr std::string_view kTreno = "-.txt";

size_t dopo_la_cartella(const std::string& percorso) {
  const size_t barra = percorso.find_last_of("/\\");
  return barra == std::string::npos ? 0 : barra + 1;
}

std::string nome_file(const std::string& percorso) {
  return percorso.substr(dopo_la_cartella(percorso));
}

}  // namespace

bool testo_di_linea(const std::string& percorso) {
  const std::string nome = nome_file(percorso);
  return nome.size() > kLinea.size() && nome.ends_with(kLinea);
}

bool testo_di_treno(const std::string& percorso) {
  const std::string nome = nome_file(percorso);
  return nome.size() > kTreno.size() && nome.ends_with(kTreno) &&
         nome.find('_') != std::string::npos;
}

std::optional<unita_scenario> unita_di(const std::string& percorso, const esiste_testo& esiste,
                                       const elenco_cartella& elenca,
                                       const std::vector<std::string>& preferiti) {
  const std::string cartella = percorso.substr(0, dopo_la_cartella(percorso));
  const std::string nome = nome_file(percorso);
  unita_scenario u;
  if (testo_di_linea(percorso)) {
    u.scenario = nome.substr(0, nome.size() - kLinea.size());
    u.linea = percorso;
    u.linea_trovata = true;
    const std::string prefisso = u.scenario + "_";
    const auto del_treno = [&](const std::string& n) {
      return n.size() > prefisso.size() + kTreno.size() && n.starts_with(prefisso) &&
             n.ends_with(kTreno);
    };
    std::vector<std::string> candidati;
    for (const std::string& p : preferiti) {
      if (p.substr(0, dopo_la_cartella(p)) == cartella && del_treno(nome_file(p))) {
        candidati.push_back(nome_file(p));
      }
    }
    if (candidati.empty() && elenca) {
      std::vector<std::string> nomi = elenca(cartella.empty() ? "." : cartella);
      std::sort(nomi.begin(), nomi.end());
      for (const std::string& n : nomi) {
        if (del_treno(n)) candidati.push_back(n);
      }
    }
    if (!candidati.empty()) {
      u.testo_treno = cartella + candidati.front();
      u.treno = candidati.front().substr(
          prefisso.size(), candidati.front().size() - prefisso.size() - kTreno.size());
    }
    return u;
  }
  if (!testo_di_treno(percorso)) return std::nullopt;
  const std::string base = nome.substr(0, nome.size() - kTreno.size());
  u.testo_treno = percorso;
  // A scenario's name may hold '_' too: the longest name with a line text wins.
  for (size_t sotto = base.rfind('_'); sotto != std::string::npos && sotto > 0;
       sotto = base.rfind('_', sotto - 1)) {
    const std::string linea = cartella + base.substr(0, sotto) + std::string(kLinea);
    if (u.linea.empty() || esiste(linea)) {
      u.scenario = base.substr(0, sotto);
      u.treno = base.substr(sotto + 1);
      u.linea = linea;
      u.linea_trovata = esiste(linea);
    }
    if (u.linea_trovata) break;
  }
  return u;
}

}  // namespace lorvenna
