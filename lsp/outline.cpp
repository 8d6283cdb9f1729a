#include "lsp/outline.h"

#include <algorithm>
#include <charconv>

#include "encoding/windows1252.h"
#include "lsp/editor_places.h"

namespace lorvenna {
namespace {

// The symbol kinds of the protocol an editor draws each record with.
struct in_schema {
  std::string_view record;
  int tipo;
};
constexpr in_schema kInSchema[] = {
    {"stazione", 2},          // Module: a place the route is divided by
    {"segnale", 24},          // Event
    {"rallentamento", 10},    // Enum
    {"indicatori_vmax", 16},  // Number
    {"curva", 12},            // Function
};

int64_t posizione_di(const record_visto& r) {
  int64_t n = 0;
  if (r.valori.size() < 2) return 0;
  std::from_chars(r.valori[1].data(), r.valori[1].data() + r.valori[1].size(), n);
  return n;
}

}  // namespace

nlohmann::json simboli(const std::vector<record_visto>& record, const testo_client* testo,
                       bool gerarchici, const std::string& uri) {
  std::vector<std::pair<const record_visto*, int>> scelti;
  for (const record_visto& r : record) {
    for (const in_schema& s : kInSchema) {
      if (r.nome == s.record && r.posizioni.size() >= 2) scelti.emplace_back(&r, s.tipo);
    }
  }
  std::stable_sort(scelti.begin(), scelti.end(), [](const auto& a, const auto& b) {
    return posizione_di(*a.first) < posizione_di(*b.first);
  });
  nlohmann::json out = nlohmann::json::array();
  for (const auto& [r, tipo] : scelti) {
    std::string nome(r->nome);
    // A station is known by its name, its last field.
    if (r->nome == "stazione" && r->valori.size() == r->campi.size() + 1) {
      nome += " " + windows1252_a_utf8(r->valori.back());
    }
    const std::string dove = std::to_string(posizione_di(*r)) + " m";
    const auto intero = intervallo_lsp(r->posizioni.front(), r->posizioni.back(), testo);
    if (gerarchici) {
      out.push_back(
          {{"name", nome},
           {"detail", dove},
           {"kind", tipo},
           {"range", intero},
           {"selectionRange", intervallo_lsp(r->posizioni.front(), r->posizioni.front(), testo)}});
    } else {
      out.push_back({{"name", nome + " (" + dove + ")"},
                     {"kind", tipo},
                     {"location", {{"uri", uri}, {"range", intero}}}});
    }
  }
  return out;
}

}  // namespace lorvenna
