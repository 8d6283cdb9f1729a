// A parse that goes on after a record's fault, for the author's check: each
// fault is told, the record is passed over, and the reading goes on, so that
// one run finds every independent mistake. The compile that writes the
// binary files never recovers: it stops at a fault as it always has.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/diagnostic.h"
#include "compiler/field_reader.h"
#include "compiler/model.h"
#include "compiler/reading_trace.h"
#include "compiler/record_check.h"
#include "compiler/record_outcome.h"
#include "compiler/record_rules.h"

namespace lorvenna {

// Told of each fault with the model as the fault left it (its code and
// position still set), the reading so far (the records that took cells)
// and where the fault lies. Empty: stop at the fault.
// `avviso` hears what the compile passes over in silence (a field where a
// record was expected that names none), as a warning at its field.
// A record read without fault, as an editor shows it: its keyword's name,
// the fields its rule describes, and each field read (the keyword first)
// with where it stands.
struct record_letto {
  std::string_view nome;
  std::span<const campo_record> campi;
  const std::string& testo;
  std::vector<posizione_campo> posizioni;
  std::vector<std::string_view> valori;
};

// `letto` hears each record read without fault, for an editor's outline and
// hovers.
struct ascolta_guasti {
  std::function<void(const modello&, const traccia_lettura&, const motivo_lettura&)> guasto;
  std::function<void(Diagnostic)> avviso;
  std::function<void(const record_letto&)> letto;
  explicit operator bool() const { return static_cast<bool>(guasto); }
};

// A line that starts with a number where a record's keyword was expected:
// its keyword was left out, and the compile passes over its fields.
inline bool senza_parola(const ascolta_guasti& ascolta, const std::string& campo,
                         lettore_campi& lettore, const std::string& testo) {
  const bool cifra = campo.find_first_of("0123456789") != std::string::npos;
  if (!cifra || !lettore.primo_della_riga()) return false;
  const posizione_campo c = lettore.ultimo_campo();
  Diagnostic d{Severity::warning,
               nel_testo(testo, c),
               kAvvisoParolaIgnota,
               "`" + campo +
                   "` stands where a record's keyword is expected: the compile passes over the "
                   "fields of this line",
               {},
               {}};
  d.help.push_back("a record starts with its keyword and a comma, such as `pendenza, " + campo +
                   "`");
  ascolta.avviso(std::move(d));
  lettore.salta_riga();
  return true;
}

// A field read where a record's keyword was expected that no rule takes:
// the compile passes over it, and over each field after it, one at a
// time. A field with no letter (a number, a dash) or a section's name is
// ordinary; anything else is told with the keyword nearest to it, and the
// check passes over the rest of its line.
template <typename Lettura, size_t N>
bool parola_ignota(const ascolta_guasti& ascolta, const regola<Lettura> (&regole)[N],
                   const std::string& campo, lettore_campi& lettore, const std::string& testo) {
  if (!ascolta.avviso || riconosciuta(regole, campo)) return false;
  if (!parola_da_record(campo)) return senza_parola(ascolta, campo, lettore, testo);
  const posizione_campo c = lettore.ultimo_campo();
  Diagnostic d{
      Severity::warning,
      nel_testo(testo, c),
      kAvvisoParolaIgnota,
      "`" + campo + "` names no record: the compile passes over it and the fields after it",
      {},
      {}};
  const std::string_view vicina = piu_vicina(regole, campo);
  if (!vicina.empty()) d.help.push_back("did you mean `" + std::string(vicina) + "`?");
  ascolta.avviso(std::move(d));
  lettore.salta_riga();
  return true;
}

// A record read without fault, looked at with its rule's fields while a
// check listens.
template <typename Lettura, size_t N>
void controlla_record(const ascolta_guasti& ascolta, const regola<Lettura> (&regole)[N],
                      const std::string& chiave, lettore_campi& lettore, const modello& m,
                      const std::string& testo, stato_controlli& stato) {
  if (!ascolta.avviso) return;
  const regola<Lettura>* r = prima_regola(regole, chiave);
  if (r == nullptr) return;
  if (ascolta.letto) {
    record_letto letto{nome_di(*r), r->campi, testo, lettore.campi_record(), {}};
    for (size_t i = 0; i < letto.posizioni.size(); ++i)
      letto.valori.push_back(lettore.testo_campo(i));
    ascolta.letto(letto);
  }
  const int32_t lunghezza = m.tracciato_creato() ? m.dati_generali[kVoceTreno].fine : -1;
  controlla_campi(ascolta.avviso, nome_di(*r), r->campi, lettore, lunghezza, testo, stato);
}

// A record's keyword field, looked at before the record is read while a
// check listens.
template <typename Lettura, size_t N>
void controlla_parola(const ascolta_guasti& ascolta, const regola<Lettura> (&regole)[N],
                      const std::string& chiave, const lettore_campi& lettore,
                      const std::string& testo) {
  if (!ascolta.avviso) return;
  const regola<Lettura>* r = prima_regola(regole, chiave);
  if (r == nullptr) return;
  controlla_virgola(ascolta.avviso, nome_di(*r), chiave, lettore.ultimo_campo(), testo);
}

// What a text's reading noted in passing, told as warnings once the text
// is read.
inline void avvisa_numeri_spezzati(const ascolta_guasti& ascolta, const std::string& testo,
                                   const std::vector<numero_spezzato>& spezzati) {
  for (const numero_spezzato& n : spezzati) {
    const bool cifra = !n.seguito.empty() && n.seguito[0] >= '0' && n.seguito[0] <= '9';
    Diagnostic d{
        Severity::warning,
        nel_testo(testo, n.campo),
        kAvvisoNumeroSpezzato,
        "a blank ends the number " + n.numero + ": `" + n.seguito + "` is read as the next field",
        {},
        {}};
    d.help.push_back(cifra ? "write the number without blanks: " + n.numero + n.seguito
                           : "a number holds digits only; put a comma before `" + n.seguito +
                                 "` if it is meant as a field of its own");
    ascolta.avviso(std::move(d));
  }
}

// Reads a whole text with `leggi`, as con_riga does. While a check listens,
// the numbers a blank cut short are noted and told once the text is read,
// however the reading ends.
template <typename Leggi>
esito_record leggi_tutto(const ascolta_guasti& ascolta, lettore_campi& lettore,
                         const std::string& testo, Leggi leggi) {
  std::vector<numero_spezzato> spezzati;
  if (ascolta.avviso) lettore.nota_numeri_spezzati(&spezzati);
  const auto avvisa = [&] {
    if (ascolta.avviso) avvisa_numeri_spezzati(ascolta, testo, spezzati);
  };
  try {
    const esito_record e = con_riga(lettore, leggi);
    avvisa();
    return e;
  } catch (const errore_lettura&) {
    avvisa();
    throw;
  }
}

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
    ascolta.guasto(m, t, t.motivo);
    lettore.salta_riga();
  } catch (errore_lettura& errore) {
    errore.colloca(lettore.ultimo_campo());
    const auto campi = lettore.campi_record();
    const int riga_record = campi.empty() ? errore.riga() : campi.front().riga;
    m.codice_errore = codice::lettura;
    m.valori_errore.lettura = errore.tipo();
    if (errore.riga() > riga_record) {
      // The record ran out of fields on its own line: what stands on the
      // next is the next record, not a field of this one.
      posizione_campo ultimo = campi.front();
      for (const posizione_campo& c : campi) {
        if (c.riga == riga_record) ultimo = c;
      }
      m.valori_errore.lettura = tipo_lettura::record_troncato;
      ascolta.guasto(m, t,
                     {testo,
                      riga_record,
                      "the record ends before all of its fields were read",
                      ultimo,
                      campi,
                      {}});
      lettore.torna_al_campo();
    } else {
      ascolta.guasto(m, t, {testo, errore.riga(), errore.what(), errore.campo(), campi, {}});
      lettore.salta_riga();
    }
  }
  togli_codice(m);
  t.motivo = {};
  t.spiegata = {};
  return esito_record::continua;
}

}  // namespace lorvenna
