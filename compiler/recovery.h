// A parse that goes on after a record's fault, for the author's check: each
// fault is told, the record is passed over, and the reading goes on, so that
// one run finds every independent mistake. The compile that writes the
// binary files never recovers: it stops at a fault as it always has.
#pragma once

#include <functional>
#include <string>

#include "compiler/field_reader.h"
#include "compiler/model.h"
#include "compiler/reading_trace.h"
#include "compiler/record_outcome.h"

namespace lorvenna {

// Told of each fault with the model as the fault left it (its code and
// position still set), the reading so far (the records that took cells)
// and where the fault lies. Empty: stop at the fault.
using ascolta_guasti =
    std::function<void(const modello&, const traccia_lettura&, const motivo_lettura&)>;

// Applies one record with `applica`. Without a listener, exactly that. With
// one, a fault of the record (a code its rule leaves, or a field that cannot
// be read) is told, the code cleared, and the rest of the record passed
// over; the reading then goes on with the next record.
template <typename Applica>
esito_record con_recupero(const ascolta_guasti& ascolta, modello& m, traccia_lettura& t,
                          lettore_campi& lettore, const std::string& testo, Applica applica) {
  if (!ascolta) return applica();
  try {
    const esito_record e = applica();
    if (e == esito_record::continua || !m.con_codice()) return e;
    ascolta(m, t, t.motivo);
  } catch (errore_lettura& errore) {
    errore.colloca(lettore.ultimo_campo());
    const auto campi = lettore.campi_record();
    const int riga_record = campi.empty() ? errore.riga() : campi.front().riga;
    m.codice_errore = codice::lettura;
    if (errore.riga() > riga_record) {
      // The record ran out of fields on its own line: what stands on the
      // next is the next record, not a field of this one.
      posizione_campo ultimo = campi.front();
      for (const posizione_campo& c : campi) {
        if (c.riga == riga_record) ultimo = c;
      }
      ascolta(m, t, {testo, riga_record, "the record ends before all of its fields were read", ultimo,
                  campi});
      lettore.torna_al_campo();
    } else {
      ascolta(m, t, {testo, errore.riga(), errore.what(), errore.campo(), campi});
      lettore.salta_riga();
    }
  }
  m.codice_errore = codice::nessuno;
  m.posizione_errore = 0;
  t.motivo = {};
  return esito_record::continua;
}

}  // namespace lorvenna
