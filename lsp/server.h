// scenario-tool's language server: the check's findings, the reference and
// the compiled track, served to an editor as it edits a scenario's texts.
// The server sees messages one at a time, in order; the loop that reads
// them from the client is elsewhere, so that tests drive it directly.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "lsp/scenario_unit.h"
#include "lsp/text_document.h"
#include "lsp/unit_check.h"
#include "platform/file_system.h"

namespace lorvenna {

class server_lsp {
 public:
  using invia_messaggio = std::function<void(const std::string& corpo)>;

  // `riferimento` is the file URI of the reference the findings' codes link
  // to, or empty when there is none to link to; `versione` is the tool's,
  // as the server tells its client.
  server_lsp(FileSystem& disco, elenco_cartella elenca, invia_messaggio invia,
             std::string riferimento = "", std::string versione = "");

  // One message's body, as the client sent it.
  void ricevi(std::string_view corpo);
  // A message the reader could not make out: told to the client's log.
  void guasto_di_lettura(const std::string& motivo);
  // Checks each scenario edited since the last call and publishes what it
  // finds: called when no message waits, so that a burst of edits is
  // checked once.
  void pubblica();
  // A request the client no longer wants; callable from another thread.
  void annulla(const nlohmann::json& id);

  bool uscito() const { return uscito_; }
  // 0 after `shutdown` then `exit`, 1 for an `exit` without `shutdown`.
  int stato_uscita() const { return spento_ ? 0 : 1; }

 private:
  struct documento {
    std::string uri;
    int versione = 0;
    testo_client testo;
  };
  struct capacita {
    bool relazioni = false;
    bool descrizione_codice = false;
    bool snippet = false;
    bool simboli_gerarchici = false;
  };
  using gestore = nlohmann::json (server_lsp::*)(const nlohmann::json& params);
  struct metodo {
    std::string_view nome;
    gestore g;
    bool richiesta;
  };
  static const metodo kMetodi[];
  static const metodo* trova_metodo(std::string_view nome);

  // The message parsed, or none when it is not one to serve (the client
  // has been answered where it waits for an answer).
  std::optional<nlohmann::json> messaggio_valido(std::string_view corpo);
  // Whether the server's state lets the method run now; answers the
  // request when not.
  bool ammesso(const std::string& nome, const nlohmann::json& id, bool richiesta);
  // Whether the client cancelled the request before it ran.
  bool annullata(const nlohmann::json& id);
  // Runs the method's handler and answers a request with its result or
  // its failure.
  void esegui(const metodo& m, const nlohmann::json& id, bool richiesta,
              const nlohmann::json& params);

  void rispondi(const nlohmann::json& id, nlohmann::json risultato);
  void rispondi_errore(const nlohmann::json& id, int codice, const std::string& messaggio);
  void notifica(const std::string& metodo, nlohmann::json params);
  void registra(int tipo, const std::string& messaggio);

  nlohmann::json initialize(const nlohmann::json& p);
  nlohmann::json initialized(const nlohmann::json& p);
  nlohmann::json shutdown(const nlohmann::json& p);
  nlohmann::json exit(const nlohmann::json& p);
  nlohmann::json did_open(const nlohmann::json& p);
  nlohmann::json did_change(const nlohmann::json& p);
  nlohmann::json did_save(const nlohmann::json& p);
  nlohmann::json did_close(const nlohmann::json& p);
  nlohmann::json hover(const nlohmann::json& p);
  nlohmann::json document_symbol(const nlohmann::json& p);
  nlohmann::json completion(const nlohmann::json& p);
  nlohmann::json signature_help(const nlohmann::json& p);

  // The path of the params' textDocument; throws for a URI that names none.
  std::string percorso_di(const nlohmann::json& p) const;
  std::string uri_di(const std::string& percorso) const;
  const testo_client* testo_aperto_di(const std::string& percorso) const;
  // Adds the unit of the text at `p` to `unita`, and for a line text the
  // units of its open train texts, which it bounds.
  void aggiungi_unita_di(
      const std::string& p, const esiste_testo& esiste, const std::vector<std::string>& aperti,
      std::map<std::pair<std::string, std::string>, unita_scenario>& unita) const;
  void controlla(const unita_scenario& u);
  nlohmann::json diagnostica(const Diagnostic& d) const;

  FileSystem& disco_;
  elenco_cartella elenca_;
  invia_messaggio invia_;
  std::string riferimento_;
  std::string versione_;
  capacita capacita_;
  bool inizializzato_ = false;
  bool spento_ = false;
  bool uscito_ = false;
  std::map<std::string, documento> documenti_;  // by path
  std::set<std::string> da_controllare_;        // paths edited since the last check
  // Each text's last check, shared by the two texts of its scenario.
  std::map<std::string, std::shared_ptr<const unita_controllata>> controlli_;
  // Texts published with findings, so that a check that finds none clears them.
  std::set<std::string> con_diagnostiche_;
  std::mutex annullate_mutex_;
  std::set<std::string> annullate_;
};

}  // namespace lorvenna
