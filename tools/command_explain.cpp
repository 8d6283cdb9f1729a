// scenario-tool explain: the reference's entry for a fault code, a warning
// class or a record keyword, as the diagnostics name them.
#include <map>

#include "check/reference.h"
#include "encoding/quoted.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

constexpr int kStatoSenzaVoce = 1;

const char* titolo(tipo_voce t) {
  switch (t) {
    case tipo_voce::record_linea:
      return "Records of the line description:";
    case tipo_voce::record_treno:
      return "Records of the train description:";
    case tipo_voce::codice:
      return "Fault codes:";
    case tipo_voce::avviso:
      return "Warning classes:";
  }
  return "";
}

void elenca(const std::vector<voce_riferimento>& voci, std::ostream& uscita) {
  // Topics in lines of at most 79 characters, each indented by two.
  constexpr size_t kLarghezza = 79;
  std::map<tipo_voce, std::string> righe;
  std::map<tipo_voce, size_t> inizio_riga;
  for (const voce_riferimento& v : voci) {
    std::string& r = righe[v.tipo];
    size_t& inizio = inizio_riga[v.tipo];
    if (r.empty()) {
      r = "  " + v.argomento;
    } else if (r.size() - inizio + 2 + v.argomento.size() + 1 > kLarghezza) {
      r += ",\n";
      inizio = r.size();
      r += "  " + v.argomento;
    } else {
      r += ", " + v.argomento;
    }
  }
  for (const auto& [tipo, riga] : righe) uscita << titolo(tipo) << "\n" << riga << "\n\n";
  uscita << "'scenario-tool explain TOPIC' prints one of them.\n";
}

int esegui(const richiesta& r) {
  const std::vector<voce_riferimento> voci = voci_riferimento(testo_riferimento());
  if (r.o.argomento.empty()) {
    elenca(voci, r.uscita);
    return 0;
  }
  const std::optional<voce_riferimento> v = trova_voce(voci, r.o.argomento);
  if (!v) {
    r.errori << "scenario-tool: no entry for " << citato(r.o.argomento)
             << "; 'scenario-tool explain' lists them\n";
    return kStatoSenzaVoce;
  }
  r.uscita << v->testo;
  if (!v->testo.ends_with('\n')) r.uscita << "\n";
  return 0;
}

}  // namespace

const comando& comando_explain() {
  static const comando c{
      .nome = "explain",
      .cartelle = {},
      .argomento = "TOPIC",
      .crea_cartella = false,
      .riassunto = "prints the reference's entry for a fault code, warning class or record",
      .descrizione =
          "Prints the entry of the author's reference for TOPIC: a fault code (`explain 16`), "
          "a warning class (`explain split-number`) or a record keyword (`explain segnale`, "
          "`explain curvas1`), as each diagnostic's help names it. Without TOPIC, lists every "
          "topic. Exit 0, or 1 when TOPIC has no entry.",
      .opzioni = {},
      .accesso = LockKind::shared,
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
