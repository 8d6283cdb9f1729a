#include "lsp/server.h"

#include <algorithm>

#include "check/bounded_findings.h"
#include "compiler/fault_catalogue.h"
#include "lsp/editor_places.h"
#include "lsp/message_framing.h"
#include "lsp/outline.h"
#include "lsp/record_help.h"
#include "lsp/uri.h"

namespace lorvenna {
namespace {

using json = nlohmann::json;

// The protocol's error codes.
constexpr int kErroreSintassi = -32700;
constexpr int kRichiestaNonValida = -32600;
constexpr int kMetodoIgnoto = -32601;
constexpr int kParametriNonValidi = -32602;
constexpr int kErroreInterno = -32603;
constexpr int kNonInizializzato = -32002;
constexpr int kRichiestaAnnullata = -32800;

// window/logMessage's kinds.
constexpr int kLogErrore = 1;
constexpr int kLogAvviso = 2;

constexpr int kGravitaInformazione = 3;

std::string chiave_id(const json& id) { return id.dump(); }

// The id an answer is matched by: null for a notification, and for an id of
// a kind no answer could carry.
json id_di(const json& m) {
  const bool con_id =
      m.is_object() && m.contains("id") && (m["id"].is_number_integer() || m["id"].is_string());
  return con_id ? m["id"] : json(nullptr);
}

// Params that name nothing the server can serve.
struct parametri_non_validi : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A line or character of a position: a protocol's uinteger, held to what a
// text of at most 64 MiB can mean.
int intero(const json& x) {
  if (!x.is_number_integer() || x.get<int64_t>() < 0 || x.get<int64_t>() > (int64_t{1} << 30)) {
    throw parametri_non_validi("a position's line and character are numbers from 0");
  }
  return static_cast<int>(x.get<int64_t>());
}

posizione_client posizione(const json& x) {
  return {intero(x.at("line")), intero(x.at("character"))};
}

bool capace(const json& p, std::initializer_list<const char*> percorso) {
  const json* x = &p;
  for (const char* k : percorso) {
    if (!x->is_object() || !x->contains(k)) return false;
    x = &(*x)[k];
  }
  return x->is_boolean() && x->get<bool>();
}

// The heading's anchor in the reference, as Markdown viewers make it.
std::string ancora(const std::string& codice) {
  if (const auto n = numero_nominato(codice)) return ancora_codice(*n);
  return codice;
}

}  // namespace

const server_lsp::metodo server_lsp::kMetodi[] = {
    {"initialize", &server_lsp::initialize, true},
    {"initialized", &server_lsp::initialized, false},
    {"shutdown", &server_lsp::shutdown, true},
    {"exit", &server_lsp::exit, false},
    {"textDocument/didOpen", &server_lsp::did_open, false},
    {"textDocument/didChange", &server_lsp::did_change, false},
    {"textDocument/didSave", &server_lsp::did_save, false},
    {"textDocument/didClose", &server_lsp::did_close, false},
    {"textDocument/hover", &server_lsp::hover, true},
    {"textDocument/documentSymbol", &server_lsp::document_symbol, true},
    {"textDocument/completion", &server_lsp::completion, true},
    {"textDocument/signatureHelp", &server_lsp::signature_help, true},
};

server_lsp::server_lsp(FileSystem& disco, elenco_cartella elenca, invia_messaggio invia,
                       std::string riferimento, std::string versione)
    : disco_(disco),
      elenca_(std::move(elenca)),
      invia_(std::move(invia)),
      riferimento_(std::move(riferimento)),
      versione_(std::move(versione)) {}

void server_lsp::rispondi(const json& id, json risultato) {
  invia_(json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}}.dump(
      -1, ' ', false, json::error_handler_t::replace));
}

void server_lsp::rispondi_errore(const json& id, int codice, const std::string& messaggio) {
  invia_(json{{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", codice}, {"message", messaggio}}}}
             .dump(-1, ' ', false, json::error_handler_t::replace));
}

void server_lsp::notifica(const std::string& metodo, json params) {
  invia_(json{{"jsonrpc", "2.0"}, {"method", metodo}, {"params", std::move(params)}}.dump(
      -1, ' ', false, json::error_handler_t::replace));
}

void server_lsp::registra(int tipo, const std::string& messaggio) {
  notifica("window/logMessage", {{"type", tipo}, {"message", messaggio}});
}

void server_lsp::guasto_di_lettura(const std::string& motivo) {
  registra(kLogErrore, "scenario-tool lsp: " + motivo);
}

void server_lsp::annulla(const json& id) {
  std::lock_guard<std::mutex> l(annullate_mutex_);
  annullate_.insert(chiave_id(id));
}

void server_lsp::ricevi(std::string_view corpo) {
  const std::optional<json> m = messaggio_valido(corpo);
  if (!m) return;
  const std::string nome = m->at("method");
  const bool richiesta = m->contains("id");
  const json id = id_di(*m);
  if (!ammesso(nome, id, richiesta)) return;
  const metodo* trovato = trova_metodo(nome);
  if (trovato == nullptr || trovato->richiesta != richiesta) {
    // Notifications the server does not know, `$/` ones above all, are passed over.
    if (richiesta) rispondi_errore(id, kMetodoIgnoto, "no method " + nome);
    return;
  }
  if (richiesta && annullata(id)) {
    rispondi_errore(id, kRichiestaAnnullata, "cancelled");
    return;
  }
  esegui(*trovato, id, richiesta, m->contains("params") ? m->at("params") : json::object());
}

std::optional<json> server_lsp::messaggio_valido(std::string_view corpo) {
  if (annidato_oltre(corpo, kAnnidamentoMassimo)) {
    rispondi_errore(nullptr, kRichiestaNonValida,
                    "the message nests deeper than " + std::to_string(kAnnidamentoMassimo) +
                        " levels, as no request of the protocol does");
    return std::nullopt;
  }
  json m;
  try {
    m = json::parse(corpo);
  } catch (const json::parse_error& e) {
    rispondi_errore(nullptr, kErroreSintassi, std::string("the message is not JSON: ") + e.what());
    return std::nullopt;
  }
  if (!m.is_object() || !m.contains("method") || !m["method"].is_string()) {
    // A response to the server: it sends no requests, so there is none to match.
    if (m.is_object() && (m.contains("result") || m.contains("error"))) return std::nullopt;
    rispondi_errore(id_di(m), kRichiestaNonValida, "a message names its method");
    return std::nullopt;
  }
  if (m.contains("id") && id_di(m).is_null() && !m["id"].is_null()) {
    // An id the answer could not be matched by must not run as an id-less request.
    rispondi_errore(nullptr, kRichiestaNonValida, "a request's id is an integer or a string");
    return std::nullopt;
  }
  return m;
}

bool server_lsp::ammesso(const std::string& nome, const json& id, bool richiesta) {
  if (nome != "exit") {
    if (!inizializzato_ && nome != "initialize") {
      if (richiesta) rispondi_errore(id, kNonInizializzato, "the server is not initialized yet");
      return false;
    }
    if (spento_) {
      if (richiesta) rispondi_errore(id, kRichiestaNonValida, "the server is shutting down");
      return false;
    }
  }
  if (nome == "initialize" && inizializzato_) {
    if (richiesta) rispondi_errore(id, kRichiestaNonValida, "the server is initialized already");
    return false;
  }
  return true;
}

const server_lsp::metodo* server_lsp::trova_metodo(std::string_view nome) {
  for (const metodo& x : kMetodi) {
    if (x.nome == nome) return &x;
  }
  return nullptr;
}

bool server_lsp::annullata(const json& id) {
  std::lock_guard<std::mutex> l(annullate_mutex_);
  return annullate_.erase(chiave_id(id)) > 0;
}

void server_lsp::esegui(const metodo& m, const json& id, bool richiesta, const json& params) {
  // A request hears why it failed; a notification's failure goes to the log.
  const auto fallito = [&](int codice, int tipo_log, const std::exception& e) {
    const std::string nome(m.nome);
    if (richiesta) {
      rispondi_errore(id, codice, nome + ": " + e.what());
    } else {
      registra(tipo_log, nome + ": " + e.what());
    }
  };
  try {
    json risultato = (this->*(m.g))(params);
    if (richiesta) rispondi(id, std::move(risultato));
  } catch (const json::exception& e) {
    fallito(kParametriNonValidi, kLogAvviso, e);
  } catch (const parametri_non_validi& e) {
    fallito(kParametriNonValidi, kLogAvviso, e);
  } catch (const std::exception& e) {
    fallito(kErroreInterno, kLogErrore, e);
  }
}

json server_lsp::initialize(const json& p) {
  const json c = p.value("capabilities", json::object());
  capacita_.relazioni = capace(c, {"textDocument", "publishDiagnostics", "relatedInformation"});
  capacita_.descrizione_codice =
      capace(c, {"textDocument", "publishDiagnostics", "codeDescriptionSupport"});
  capacita_.snippet = capace(c, {"textDocument", "completion", "completionItem", "snippetSupport"});
  capacita_.simboli_gerarchici =
      capace(c, {"textDocument", "documentSymbol", "hierarchicalDocumentSymbolSupport"});
  inizializzato_ = true;
  return {
      {"capabilities",
       {{"positionEncoding", "utf-16"},
        {"textDocumentSync",
         {{"openClose", true}, {"change", 2}, {"save", {{"includeText", false}}}}},
        {"hoverProvider", true},
        {"documentSymbolProvider", true},
        {"completionProvider", {{"resolveProvider", false}}},
        {"signatureHelpProvider", {{"triggerCharacters", {","}}, {"retriggerCharacters", {","}}}}}},
      {"serverInfo", {{"name", "scenario-tool"}, {"version", versione_}}}};
}

json server_lsp::initialized(const json&) { return nullptr; }

json server_lsp::shutdown(const json&) {
  spento_ = true;
  return nullptr;
}

json server_lsp::exit(const json&) {
  uscito_ = true;
  return nullptr;
}

std::string server_lsp::percorso_di(const json& p) const {
  const std::string uri = p.at("textDocument").at("uri").get<std::string>();
  const auto percorso = percorso_da_uri(uri);
  if (!percorso) throw parametri_non_validi(uri + " names no file on this machine");
  return *percorso;
}

std::string server_lsp::uri_di(const std::string& percorso) const {
  const auto d = documenti_.find(percorso);
  return d != documenti_.end() ? d->second.uri : uri_da_percorso(percorso);
}

const testo_client* server_lsp::testo_aperto_di(const std::string& percorso) const {
  const auto d = documenti_.find(percorso);
  return d != documenti_.end() ? &d->second.testo : nullptr;
}

json server_lsp::did_open(const json& p) {
  const std::string percorso = percorso_di(p);
  const json& t = p.at("textDocument");
  documenti_[percorso] = {t.at("uri").get<std::string>(), t.value("version", 0),
                          testo_client(t.at("text").get<std::string>())};
  da_controllare_.insert(percorso);
  return nullptr;
}

json server_lsp::did_change(const json& p) {
  const std::string percorso = percorso_di(p);
  const auto d = documenti_.find(percorso);
  if (d == documenti_.end()) {
    registra(kLogAvviso, "a change to " + percorso + ", which is not open, is passed over");
    return nullptr;
  }
  for (const json& c : p.at("contentChanges")) {
    const std::string nuovo = c.at("text").get<std::string>();
    if (!c.contains("range")) {
      d->second.testo = testo_client(nuovo);
      continue;
    }
    const json& r = c.at("range");
    d->second.testo.sostituisci(posizione(r.at("start")), posizione(r.at("end")), nuovo);
  }
  d->second.versione = p.at("textDocument").value("version", d->second.versione);
  da_controllare_.insert(percorso);
  return nullptr;
}

json server_lsp::did_save(const json& p) {
  da_controllare_.insert(percorso_di(p));
  return nullptr;
}

json server_lsp::did_close(const json& p) {
  const std::string percorso = percorso_di(p);
  documenti_.erase(percorso);
  // The other text still open is checked against this one's saved bytes;
  // with neither open, the editor shows nothing of either.
  const auto c = controlli_.find(percorso);
  if (c == controlli_.end()) return nullptr;
  const unita_scenario u = c->second->unita;
  for (const std::string& t : {u.linea, u.testo_treno}) {
    if (!t.empty() && documenti_.count(t)) {
      da_controllare_.insert(t);
      return nullptr;
    }
  }
  for (const std::string& t : {u.linea, u.testo_treno}) {
    if (t.empty()) continue;
    controlli_.erase(t);
    if (con_diagnostiche_.erase(t)) {
      notifica("textDocument/publishDiagnostics",
               {{"uri", uri_di(t)}, {"diagnostics", json::array()}});
    }
  }
  return nullptr;
}

void server_lsp::pubblica() {
  if (da_controllare_.empty()) return;
  // A name that cannot be looked up is taken as there: the check that reads
  // it tells the author why it cannot be read.
  const auto esiste = [this](const std::string& p) {
    try {
      return documenti_.count(p) > 0 || disco_.exists(p);
    } catch (const FileError&) {
      return true;
    }
  };
  std::vector<std::string> aperti;
  for (const auto& [p, d] : documenti_) aperti.push_back(p);
  std::map<std::pair<std::string, std::string>, unita_scenario> unita;
  for (const std::string& p : da_controllare_) {
    try {
      aggiungi_unita_di(p, esiste, aperti, unita);
    } catch (const std::exception& e) {
      registra(kLogErrore, "cannot find the scenario of " + p + ": " + e.what());
    }
  }
  da_controllare_.clear();
  for (const auto& [chiave, u] : unita) {
    try {
      controlla(u);
    } catch (const std::exception& e) {
      registra(kLogErrore, "cannot check " + u.linea + ": " + e.what());
    }
  }
}

void server_lsp::aggiungi_unita_di(
    const std::string& p, const esiste_testo& esiste, const std::vector<std::string>& aperti,
    std::map<std::pair<std::string, std::string>, unita_scenario>& unita) const {
  const auto aggiungi = [&](const std::optional<unita_scenario>& u) {
    if (u) unita[{u->linea, u->testo_treno}] = *u;
  };
  if (!testo_di_linea(p)) {
    aggiungi(unita_di(p, esiste, elenca_, aperti));
    return;
  }
  // Each open train text of this line is checked again: the line bounds it.
  bool con_treno = false;
  for (const std::string& a : aperti) {
    if (!testo_di_treno(a)) continue;
    const auto u = unita_di(a, esiste, elenca_, aperti);
    if (u && u->linea == p) {
      aggiungi(u);
      con_treno = true;
    }
  }
  if (!con_treno) aggiungi(unita_di(p, esiste, elenca_, aperti));
}

json server_lsp::diagnostica(const Diagnostic& d) const {
  std::string messaggio = d.message;
  if (const std::string altre = altre_con(d); !altre.empty()) messaggio += "\n" + altre;
  for (const std::string& h : d.help) messaggio += "\nhelp: " + h;
  json j = {{"range", intervallo_lsp(d.where, testo_aperto_di(d.where.file))},
            {"severity", d.severity == Severity::error ? 1 : 2},
            {"source", "scenario-tool"}};
  if (const auto n = numero_nominato(d.code)) {
    j["code"] = *n;
  } else {
    j["code"] = d.code;
  }
  if (capacita_.descrizione_codice && !riferimento_.empty()) {
    j["codeDescription"] = {{"href", riferimento_ + "#" + ancora(d.code)}};
  }
  json relazioni = json::array();
  for (const DiagnosticNote& n : d.notes) {
    if (capacita_.relazioni) {
      relazioni.push_back({{"location",
                            {{"uri", uri_di(n.where.file)},
                             {"range", intervallo_lsp(n.where, testo_aperto_di(n.where.file))}}},
                           {"message", n.message}});
    } else {
      messaggio += "\nnote: " + n.message + " (" + n.where.file + ":" +
                   std::to_string(n.where.line) + ":" + std::to_string(n.where.column) + ")";
    }
  }
  if (!relazioni.empty()) j["relatedInformation"] = std::move(relazioni);
  j["message"] = messaggio;
  return j;
}

void server_lsp::controlla(const unita_scenario& u) {
  const auto aperto = [this](const std::string& p) -> const std::string* {
    const auto d = documenti_.find(p);
    return d != documenti_.end() ? &d->second.testo.utf8() : nullptr;
  };
  auto esito = std::make_shared<const unita_controllata>(controlla_unita(u, aperto, disco_));
  std::map<std::string, json> per_testo;
  for (const std::string& t : {u.linea, u.testo_treno}) {
    if (t.empty()) continue;
    per_testo[t] = json::array();
    controlli_[t] = esito;
  }
  for (const Diagnostic& d : esito->trovate) {
    const std::string& t = d.where.file.empty() ? u.linea : d.where.file;
    per_testo[t].push_back(diagnostica(d));
  }
  if (!esito->mancante.empty()) {
    for (auto& [t, lista] : per_testo) {
      if (!documenti_.count(t)) continue;
      lista.push_back({{"range", intervallo_lsp(SourceSpan{}, nullptr)},
                       {"severity", kGravitaInformazione},
                       {"source", "scenario-tool"},
                       {"message", esito->mancante}});
    }
  }
  for (auto& [t, lista] : per_testo) {
    // An open text hears of every check, a clean one included: that is how
    // an editor learns it has been checked.
    if (lista.empty() && !con_diagnostiche_.count(t) && !documenti_.count(t)) continue;
    if (lista.empty()) {
      con_diagnostiche_.erase(t);
    } else {
      con_diagnostiche_.insert(t);
    }
    json params = {{"uri", uri_di(t)}, {"diagnostics", std::move(lista)}};
    if (const auto d = documenti_.find(t); d != documenti_.end()) {
      params["version"] = d->second.versione;
    }
    notifica("textDocument/publishDiagnostics", std::move(params));
  }
}

json server_lsp::hover(const json& p) {
  const std::string percorso = percorso_di(p);
  const posizione_client dove = posizione(p.at("position"));
  const testo_client* testo = testo_aperto_di(percorso);
  if (!testo) return nullptr;
  const int riga = dove.riga + 1;
  const int colonna = testo->colonna_di(riga, dove.carattere);
  const auto c = controlli_.find(percorso);
  const auto spiegazione =
      spiegazione_al_punto(c != controlli_.end() ? c->second.get() : nullptr, percorso, riga,
                           colonna, testo->riga(riga - 1), testo_di_treno(percorso));
  if (!spiegazione || spiegazione->empty()) return nullptr;
  return {{"contents", {{"kind", "markdown"}, {"value", *spiegazione}}}};
}

json server_lsp::document_symbol(const json& p) {
  const std::string percorso = percorso_di(p);
  const auto c = controlli_.find(percorso);
  if (c == controlli_.end()) return json::array();
  const auto r = c->second->record.find(percorso);
  if (r == c->second->record.end()) return json::array();
  return simboli(r->second, testo_aperto_di(percorso), capacita_.simboli_gerarchici,
                 uri_di(percorso));
}

json server_lsp::completion(const json& p) {
  const std::string percorso = percorso_di(p);
  if (!testo_di_linea(percorso) && !testo_di_treno(percorso)) return json::array();
  return completamenti(testo_di_treno(percorso), capacita_.snippet);
}

json server_lsp::signature_help(const json& p) {
  const std::string percorso = percorso_di(p);
  const posizione_client dove = posizione(p.at("position"));
  const testo_client* testo = testo_aperto_di(percorso);
  if (!testo) return nullptr;
  const size_t inizio_riga = testo->offset({dove.riga, 0});
  const auto f = firma_del_record(testo->riga(dove.riga), testo->offset(dove) - inizio_riga,
                                  testo_di_treno(percorso));
  if (!f) return nullptr;
  return *f;
}

}  // namespace lorvenna
