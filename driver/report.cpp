#include "driver/report.h"

#include "driver/fault_sentences.h"

namespace lorvenna {
namespace {

// The fault's sentence, and for a reading failure what exactly failed.
void descrivi(std::ostream& os, const modello& m) {
  os << descrizione_errore(m.codice_errore);
  if (m.codice_errore == 25 && !m.motivo_errore.empty()) os << " (" << m.motivo_errore << ")";
}

void riga_codici(std::ostream& os, const modello& m) {
  os << "codice_errore=" << m.codice_errore << " posizione_errore=" << m.posizione_errore << "\n";
}

}  // namespace

int riporta_compilazione(esito_compilazione esito, const modello& m, piattaforma& p,
                         std::ostream* uscita, std::ostream& errori) {
  if (esito == esito_compilazione::errore_1250) p.errore("1250");
  if (esito == esito_compilazione::errore_1251) p.errore("1251");
  if (esito == esito_compilazione::senza_tracciato) {
    errori << "The compile stopped before the track existed (codice_errore=" << m.codice_errore
           << "): ";
    descrivi(errori, m);
    errori << " No binary file was written.\n";
    return kStatoFermato;
  }
  if (uscita != nullptr) riga_codici(*uscita, m);
  if (m.codice_errore == 0) return kStatoCompleto;
  if (uscita == nullptr) riga_codici(errori, m);
  descrivi(errori, m);
  errori << " The binary files were written from what was read before the fault.\n";
  return kStatoConCodice;
}

}  // namespace lorvenna
