// What both description parsers share: finding the general section, passing
// over dash fields before a keyword, and running a table of keyword rules.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "compiler/field_reader.h"
#include "compiler/keywords.h"
#include "compiler/reading_trace.h"
#include "compiler/record_fields.h"
#include "compiler/record_outcome.h"

namespace lorvenna {

// The record whose rule left a code: its keyword's line, its fields, and
// as the field at fault the one the rule explained, or else its position
// (the field after the keyword) where it has one. The explanation is used up.
motivo_lettura record_in_errore(const std::string& testo, int riga, const lettore_campi& r,
                                spiegazione_guasto& spiegata);

// The field after the current record's keyword: its position, in the
// records that have one.
posizione_campo campo_posizione(const lettore_campi& r);

// Reads fields into `campo` up to one that contains "[generale]". False when
// the text ends first; the field that ends it is not looked at.
bool trova_generale(lettore_campi& r, std::string& campo);

// Up to `volte` times, while `campo` contains "-", reads the next field in
// its place. With `ferma_alla_fine`, returns false as soon as a field so read
// ends the text; without, it reads on and a read past the end fails.
bool salta_trattini(lettore_campi& r, std::string& campo, int volte, bool ferma_alla_fine);

// A keyword rule: it matches a field containing `parola` and, when not
// empty, `altra_parola`; with `esatta` the case of the letters must match too.
template <typename Lettura>
struct regola {
  std::string_view parola;
  std::string_view altra_parola;
  esito_record (*azione)(Lettura&);
  bool esatta = false;
  // The keyword as an author writes it, where `parola` is only part of it.
  std::string_view nome = {};
  // The fields the record reads after its keyword, in order.
  std::span<const campo_record> campi = {};
};

template <typename Lettura>
std::string_view nome_di(const regola<Lettura>& r) {
  return r.nome.empty() ? r.parola : r.nome;
}

template <typename Lettura>
bool corrisponde(const regola<Lettura>& r, const std::string& chiave) {
  auto trova = r.esatta ? contiene_esatto : contiene;
  return trova(chiave, r.parola) && (r.altra_parola.empty() || trova(chiave, r.altra_parola));
}

template <typename Lettura, size_t N>
bool riconosciuta(const regola<Lettura> (&regole)[N], const std::string& chiave) {
  for (const regola<Lettura>& r : regole) {
    if (corrisponde(r, chiave)) return true;
  }
  return false;
}

// A field an author meant as a record's keyword: it has a letter and is
// not a section's name in brackets.
bool parola_da_record(const std::string& campo);

// How many single-letter edits turn `a` into `b`, letters compared without
// their case.
size_t distanza(std::string_view a, std::string_view b);

// The keyword nearest to `campo`, when it is near enough to be what was
// meant; empty otherwise.
template <typename Lettura, size_t N>
std::string_view piu_vicina(const regola<Lettura> (&regole)[N], const std::string& campo) {
  std::string_view migliore;
  size_t minima = campo.size() / 3 + 1;
  for (const regola<Lettura>& r : regole) {
    const size_t d = distanza(campo, nome_di(r));
    if (d < minima || (d == minima && migliore.empty() && d <= 2)) {
      minima = d;
      migliore = nome_di(r);
    }
  }
  return migliore;
}

// The first rule matching `chiave`, whose fields the record is read with.
template <typename Lettura, size_t N>
const regola<Lettura>* prima_regola(const regola<Lettura> (&regole)[N], const std::string& chiave) {
  for (const regola<Lettura>& r : regole) {
    if (corrisponde(r, chiave)) return &r;
  }
  return nullptr;
}

// Every rule matching `chiave` runs, in table order, each reading its own
// values from the fields that follow; the first that does not go on ends it.
template <typename Lettura, size_t N>
esito_record applica(const regola<Lettura> (&regole)[N], const std::string& chiave, Lettura& l) {
  for (const regola<Lettura>& r : regole) {
    if (!corrisponde(r, chiave)) continue;
    if (esito_record e = r.azione(l); e != esito_record::continua) return e;
  }
  return esito_record::continua;
}

}  // namespace lorvenna
