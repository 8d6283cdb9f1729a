#include "lsp/record_help.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "check/reference.h"
#include "compiler/cell.h"
#include "compiler/record_catalogue.h"
#include "encoding/windows1252.h"
#include "inspect/dump.h"

namespace lorvenna {
namespace {

using json = nlohmann::json;

const std::vector<voce_riferimento>& voci() {
  static const std::vector<voce_riferimento> v = voci_riferimento(testo_riferimento());
  return v;
}

std::optional<record_noto> record_per(const std::string& parola, bool treno) {
  return treno ? record_del_treno_per(parola) : record_della_linea_per(parola);
}

std::optional<int64_t> numero(std::string_view v) {
  int64_t n = 0;
  const auto [fine, errore] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (errore != std::errc() || fine != v.data() + v.size()) return std::nullopt;
  return n;
}

// "km 32+800", as a line's kilometres are posted.
std::string chilometro(int64_t metri) {
  char b[48];
  std::snprintf(b, sizeof b, "km %s%lld+%03lld", metri < 0 ? "-" : "",
                static_cast<long long>(std::abs(metri) / 1000),
                static_cast<long long>(std::abs(metri) % 1000));
  return b;
}

// A cell's values, one a line, without the cell's own number and place,
// which the hover has said in the author's terms.
std::string valori_della_cella(const compilazione& c, int64_t indice) {
  const modello& m = c.m;
  if (indice < 0 || indice > m.ultima_cella()) return "\n\nThis cell is past the track's end.";
  const cella& x = m.celle[static_cast<size_t>(indice)];
  if (x.tipo_cella == tipo_vuota) return "\n\nThe compiled cell holds no mark.";
  std::string s = "\n\nThe compiled cell holds:";
  const nlohmann::ordered_json valori =
      descrivi_cella(static_cast<size_t>(indice), x, m.dati_generali);
  for (auto v = valori.begin(); v != valori.end(); ++v) {
    if (v.key() == "cell" || v.key() == "position_m") continue;
    s += "\n- " + v.key() + ": " + (v->is_string() ? v->get<std::string>() : v->dump());
  }
  return s;
}

std::string area_della_stazione(const compilazione& c, int64_t posizione) {
  const auto& g = c.m.dati_generali;
  for (int i = 1; i < kPrimoCartello; ++i) {
    if (g[i].posizione == posizione && !g[i].nome.empty()) {
      return "\n\nStation entry " + std::to_string(i) + ", its area from " +
             std::to_string(g[i].inizio) + " m to " + std::to_string(g[i].fine) + " m.";
    }
  }
  return "";
}

bool dentro(const posizione_campo& p, int riga, int colonna) {
  return p.riga == riga && p.colonna <= colonna && colonna <= p.colonna_fine;
}

std::string spiega_campo(const unita_controllata& u, const record_visto& r, size_t i) {
  const campo_record& campo = r.campi[i - 1];
  std::string s = "**" + std::string(r.nome) + "**, field " + std::to_string(i) + ": `" +
                  std::string(campo.nome) + "`";
  const auto righe = campi_della_voce(voce_del_record(r.nome));
  if (i - 1 < righe.size()) {
    const campo_della_voce& f = righe[i - 1];
    s += "\n\n" + (f.unita == "—" ? std::string() : f.unita + "; ") + f.valori;
  }
  const bool posizione = campo.tipo == tipo_valore::posizione || campo.tipo == tipo_valore::metri;
  const auto v = posizione ? numero(r.valori[i]) : std::nullopt;
  if (!v || !u.c) return s;
  const int64_t indice = cella_di(static_cast<double>(*v));
  s += "\n\n" + std::to_string(*v) + " m: " + chilometro(*v) + ", " + metri_cella() + " cell " +
       std::to_string(indice) + ".";
  if (r.nome == "stazione") s += area_della_stazione(*u.c, *v);
  return s + valori_della_cella(*u.c, indice);
}

// The first field of a line, as the record's keyword.
std::string prima_parola(std::string_view riga) {
  const std::string_view campo = riga.substr(0, riga.find(','));
  const size_t a = campo.find_first_not_of(" \t");
  if (a == std::string_view::npos) return "";
  return std::string(campo.substr(a, campo.find_last_not_of(" \t\r") - a + 1));
}

}  // namespace

std::string voce_del_record(std::string_view nome) {
  for (const voce_riferimento& v : voci()) {
    const bool record = v.tipo == tipo_voce::record_linea || v.tipo == tipo_voce::record_treno;
    if (record && v.argomento == nome) return std::string(v.testo);
  }
  return "";
}

std::optional<std::string> spiegazione_al_punto(const unita_controllata* u,
                                                const std::string& percorso, int riga, int colonna,
                                                std::string_view riga_testo, bool treno) {
  if (u) {
    const auto letti = u->record.find(percorso);
    if (letti != u->record.end()) {
      for (const record_visto& r : letti->second) {
        for (size_t i = 0; i < r.posizioni.size(); ++i) {
          if (!dentro(r.posizioni[i], riga, colonna)) continue;
          if (i == 0 || i > r.campi.size()) return voce_del_record(r.nome);
          return spiega_campo(*u, r, i);
        }
      }
    }
  }
  // A record the check could not read: its keyword still has its entry.
  const std::string parola = prima_parola(riga_testo);
  const size_t fine_parola = riga_testo.find(',');
  if (parola.empty() || static_cast<size_t>(colonna) > std::min(fine_parola, riga_testo.size())) {
    return std::nullopt;
  }
  const auto r = record_per(utf8_a_windows1252_o_com_e(parola), treno);
  if (!r) return std::nullopt;
  return voce_del_record(r->nome);
}

json completamenti(bool treno, bool snippet) {
  json voci_completamento = json::array();
  for (const record_noto& r : treno ? record_del_treno() : record_della_linea()) {
    std::string campi, modello = std::string(r.nome);
    int n = 1;
    for (const campo_record& c : r.campi) {
      campi += (campi.empty() ? "" : ", ") + std::string(c.nome);
      modello += ", ${" + std::to_string(n++) + ":" + std::string(c.nome) + "}";
    }
    json voce = {{"label", std::string(r.nome)},
                 {"kind", 14},
                 {"detail", campi},
                 {"documentation", {{"kind", "markdown"}, {"value", voce_del_record(r.nome)}}}};
    if (snippet) {
      voce["insertText"] = modello;
      voce["insertTextFormat"] = 2;
    } else {
      voce["insertText"] = std::string(r.nome) + ", ";
      voce["insertTextFormat"] = 1;
    }
    voci_completamento.push_back(std::move(voce));
  }
  return voci_completamento;
}

std::optional<json> firma_del_record(std::string_view riga_testo, size_t prima_del_cursore,
                                     bool treno) {
  const std::string parola = prima_parola(riga_testo);
  if (parola.empty()) return std::nullopt;
  const auto r = record_per(utf8_a_windows1252_o_com_e(parola), treno);
  if (!r || r->campi.empty()) return std::nullopt;
  // The field under the cursor is told by the commas before it.
  const auto virgole = static_cast<size_t>(
      std::count(riga_testo.begin(),
                 riga_testo.begin() +
                     static_cast<std::ptrdiff_t>(std::min(prima_del_cursore, riga_testo.size())),
                 ','));
  if (virgole == 0) return std::nullopt;
  const auto righe = campi_della_voce(voce_del_record(r->nome));
  std::string etichetta(r->nome);
  json parametri = json::array();
  for (size_t i = 0; i < r->campi.size(); ++i) {
    etichetta += ", ";
    const size_t inizio = etichetta.size();
    etichetta += r->campi[i].nome;
    json p = {{"label", {inizio, etichetta.size()}}};
    if (i < righe.size()) {
      const campo_della_voce& f = righe[i];
      std::string doc = f.unita == "—" ? "" : "Unit: " + f.unita + ". ";
      doc += "Values: " + f.valori + ". Outside: " + f.fuori + ".";
      p["documentation"] = {{"kind", "markdown"}, {"value", doc}};
    }
    parametri.push_back(std::move(p));
  }
  const size_t attivo = std::min(virgole - 1, r->campi.size() - 1);
  return json{{"signatures", {{{"label", etichetta}, {"parameters", parametri}}}},
              {"activeSignature", 0},
              {"activeParameter", attivo}};
}

}  // namespace lorvenna
