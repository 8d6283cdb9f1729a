#include "driver/report.h"

#include <string>

#include "compiler/fault_catalogue.h"
#include "encoding/quoted.h"

namespace lorvenna {
namespace {

// The fault's sentence, and for a reading failure what exactly failed.
void descrivi(std::ostream& os, const modello& m, const motivo_lettura& r) {
  os << descrizione_errore(m.codice_errore);
  if (m.codice_errore != codice::lettura || r.motivo.empty()) return;
  os << " (" << percorso_citato(r.testo) << ": ";
  if (r.riga > 0) os << "line " << r.riga << ": ";
  os << r.motivo << ")";
}

void riga_codici(std::ostream& os, const modello& m) {
  os << "codice_errore=" << m.codice_errore << " posizione_errore=" << m.posizione_errore << "\n";
}

// The message box shows the code's digits alone; the run ends after it.
int mostra_fatale(piattaforma& p, codice c) {
  p.errore(std::to_string(numero(c)));
  return kStatoFermato;
}

}  // namespace

int riporta_compilazione(const compilazione& c, piattaforma& p, std::ostream* uscita,
                         std::ostream& errori) {
  const esito_compilazione esito = c.esito;
  const modello& m = c.m;
  if (esito == esito_compilazione::errore_1250) return mostra_fatale(p, codice::marca_occupata);
  if (esito == esito_compilazione::errore_1251) {
    return mostra_fatale(p, codice::codice_scenario_occupato);
  }
  if (esito == esito_compilazione::senza_tracciato) {
    errori << "The compile stopped before the track existed (codice_errore=" << m.codice_errore
           << "): ";
    descrivi(errori, m, c.traccia.motivo);
    errori << " No binary file was written.\n";
    return kStatoFermato;
  }
  if (uscita != nullptr) riga_codici(*uscita, m);
  if (!m.con_codice()) return kStatoCompleto;
  if (uscita == nullptr) riga_codici(errori, m);
  descrivi(errori, m, c.traccia.motivo);
  errori << " The binary files were written from what was read before the fault.\n";
  return kStatoConCodice;
}

}  // namespace lorvenna
