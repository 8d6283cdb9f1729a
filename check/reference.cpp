#include "check/reference.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace lorvenna {
namespace {

struct sezione {
  std::string_view titolo;
  tipo_voce tipo;
};

constexpr sezione kSezioni[] = {
    {"## The line description", tipo_voce::record_linea},
    {"## The train description", tipo_voce::record_treno},
    {"## Fault codes", tipo_voce::codice},
    {"## Warning classes", tipo_voce::avviso},
};

// "### `segnale`" gives "segnale", "### Code 16" gives "16".
std::string argomento_di(std::string_view titolo) {
  std::string_view a = titolo.substr(4);
  if (a.starts_with("Code ")) a.remove_prefix(5);
  if (a.size() >= 2 && a.front() == '`' && a.back() == '`') a = a.substr(1, a.size() - 2);
  return std::string(a);
}

std::string minuscolo(std::string_view s) {
  std::string m(s);
  for (char& c : m) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return m;
}

// A topic as a finding prints its code ("[codice 16]", "codice 16") or as
// the reference heads it ("Code 16") is the code's number.
std::string come_argomento(std::string_view argomento) {
  std::string a = minuscolo(argomento);
  const auto spazi = [](std::string& x) {
    const size_t inizio = x.find_first_not_of(" \t");
    if (inizio == std::string::npos) return std::string();
    return x.substr(inizio, x.find_last_not_of(" \t") - inizio + 1);
  };
  a = spazi(a);
  if (a.size() >= 2 && a.front() == '[' && a.back() == ']') a = a.substr(1, a.size() - 2);
  for (std::string_view prefisso : {"codice ", "code "}) {
    if (a.starts_with(prefisso)) {
      a.erase(0, prefisso.size());
      break;
    }
  }
  return spazi(a);
}

}  // namespace

std::vector<voce_riferimento> voci_riferimento(std::string_view testo) {
  std::vector<voce_riferimento> voci;
  // The section being read, when it is one of entries; none before the first.
  const sezione* in_sezione = nullptr;
  size_t inizio_voce = std::string_view::npos;
  const auto chiudi = [&](size_t fine) {
    if (inizio_voce == std::string_view::npos) return;
    voci.back().testo = testo.substr(inizio_voce, fine - inizio_voce);
    inizio_voce = std::string_view::npos;
  };
  bool in_codice = false;  // headings inside a fenced block are examples
  for (size_t da = 0; da < testo.size();) {
    size_t a = testo.find('\n', da);
    if (a == std::string_view::npos) a = testo.size();
    std::string_view riga = testo.substr(da, a - da);
    if (riga.ends_with('\r')) riga.remove_suffix(1);
    if (riga.starts_with("```")) in_codice = !in_codice;
    if (!in_codice && riga.starts_with("## ")) {
      chiudi(da);
      in_sezione = nullptr;
      for (const sezione& s : kSezioni) {
        if (riga == s.titolo) in_sezione = &s;
      }
    } else if (!in_codice && riga.starts_with("### ")) {
      chiudi(da);
      if (in_sezione) {
        voci.push_back({in_sezione->tipo, argomento_di(riga), {}});
        inizio_voce = da;
      }
    }
    da = a + 1;
  }
  chiudi(testo.size());
  return voci;
}

std::optional<voce_riferimento> trova_voce(const std::vector<voce_riferimento>& voci,
                                           std::string_view argomento) {
  const std::string cercato = come_argomento(argomento);
  for (const voce_riferimento& v : voci) {
    if (minuscolo(v.argomento) == cercato) return v;
  }
  // A keyword as a text holds it: the longest record keyword inside it.
  const voce_riferimento* migliore = nullptr;
  for (const voce_riferimento& v : voci) {
    const bool record = v.tipo == tipo_voce::record_linea || v.tipo == tipo_voce::record_treno;
    if (record && cercato.find(minuscolo(v.argomento)) != std::string::npos &&
        (!migliore || v.argomento.size() > migliore->argomento.size())) {
      migliore = &v;
    }
  }
  if (migliore) return *migliore;
  return std::nullopt;
}

std::vector<campo_della_voce> campi_della_voce(std::string_view testo) {
  std::vector<campo_della_voce> campi;
  std::istringstream righe{std::string(testo)};
  bool tabella = false;
  for (std::string riga; std::getline(righe, riga);) {
    if (riga.ends_with('\r')) riga.pop_back();
    if (riga.starts_with("| # | Field |")) {
      tabella = true;
      continue;
    }
    if (!tabella) continue;
    if (!riga.starts_with("|")) break;
    if (riga.starts_with("|---") || riga.starts_with("| ---")) continue;
    std::vector<std::string> colonne;
    std::istringstream celle(riga.substr(1));
    for (std::string cella; std::getline(celle, cella, '|');) {
      const size_t a = cella.find_first_not_of(' ');
      const size_t b = cella.find_last_not_of(' ');
      colonne.push_back(a == std::string::npos ? "" : cella.substr(a, b - a + 1));
    }
    colonne.resize(5);
    std::string nome = colonne[1];
    if (nome.size() >= 2 && nome.front() == '`' && nome.back() == '`') {
      nome = nome.substr(1, nome.size() - 2);
    } else {
      nome = "?";
    }
    campi.push_back({nome, colonne[2], colonne[3], colonne[4]});
  }
  return campi;
}

}  // namespace lorvenna
