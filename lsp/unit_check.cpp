#include "lsp/unit_check.h"

#include <algorithm>
#include <iterator>

#include "check/diagnostics.h"
#include "check/text_encoding.h"
#include "check/texts_in_memory.h"
#include "compiler/text_limit.h"
#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

std::string senza_spazi(std::string_view v) {
  const size_t a = v.find_first_not_of(" \t\r\n");
  if (a == std::string_view::npos) return "";
  return std::string(v.substr(a, v.find_last_not_of(" \t\r\n") - a + 1));
}

// The text as the compile reads it: an open one was decoded by the editor
// and comes as UTF-8, one on the disk as its bytes say. Nothing when no
// file stands there; one that cannot be looked up or read (a FIFO, a
// folder, one too large) throws its FileError, for the author to hear why.
std::optional<testo_convertito> leggi(const std::string& percorso, const testo_aperto& aperto,
                                      FileSystem& disco) {
  if (const std::string* t = aperto(percorso)) return in_windows1252(percorso, *t, true);
  if (!disco.exists(percorso)) return std::nullopt;
  return in_windows1252(percorso, disco.read(percorso, kLimiteTesto), false);
}

const char* nome_del_testo(const unita_scenario& u, const std::string& percorso) {
  return percorso == u.linea ? "line description text " : "train description text ";
}

}  // namespace

unita_controllata controlla_unita(const unita_scenario& u, const testo_aperto& aperto,
                                  FileSystem& disco) {
  unita_controllata esito{u, nullptr, {}, {}, ""};
  if (u.testo_treno.empty()) {
    esito.mancante = "no train description text " + u.scenario +
                     "_NUMBER-.txt stands beside this line text: the line is checked with one";
    return esito;
  }
  testi_sorgente testi;
  std::vector<Diagnostic> conversione;
  for (const std::string& percorso : {u.linea, u.testo_treno}) {
    std::optional<testo_convertito> t;
    try {
      t = leggi(percorso, aperto, disco);
    } catch (const FileError& e) {
      esito.mancante = std::string("the ") + nome_del_testo(u, percorso) + percorso +
                       " cannot be checked: " + e.what();
      return esito;
    }
    if (!t) {
      esito.mancante = std::string("the ") + nome_del_testo(u, percorso) + percorso +
                       " does not exist: the texts are checked together";
      return esito;
    }
    testi[percorso] = std::move(t->testo);
    std::ranges::move(t->trovate, std::back_inserter(conversione));
  }
  TextsInMemory in_memoria(testi);
  richiesta_compilazione r{utf8_a_windows1252_o_com_e(u.scenario),
                           utf8_a_windows1252_o_com_e(u.treno),
                           true,
                           {u.linea, u.testo_treno},
                           {}};
  r.recupero.letto = [&esito](const record_letto& letto) {
    record_visto v{letto.nome, letto.campi, letto.posizioni, {}};
    for (std::string_view valore : letto.valori) v.valori.push_back(senza_spazi(valore));
    esito.record[letto.testo].push_back(std::move(v));
  };
  scenario_controllato s = controlla_e_compila(in_memoria, std::move(r), testi);
  esito.c = std::make_shared<const compilazione>(std::move(s.c));
  esito.trovate = std::move(s.trovate);
  std::ranges::move(conversione, std::back_inserter(esito.trovate));
  return esito;
}

}  // namespace lorvenna
