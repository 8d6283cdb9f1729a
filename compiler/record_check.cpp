#include "compiler/record_check.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace lorvenna {
namespace {

// "a `pendenza` record has 2 fields after its keyword: position, gradient"
std::string forma(std::string_view nome_record, std::span<const campo_record> campi) {
  std::string s = "a `" + std::string(nome_record) + "` record has " +
                  std::to_string(campi.size()) + (campi.size() == 1 ? " field" : " fields") +
                  " after its keyword: ";
  for (size_t i = 0; i < campi.size(); ++i) {
    if (i > 0) s += ", ";
    s += campi[i].nome;
  }
  return s;
}

std::string nome_campo(std::span<const campo_record> campi, size_t i) {
  return i >= 1 && i <= campi.size() ? std::string(campi[i - 1].nome) : "next field";
}

bool cifre(std::string_view s, size_t da, size_t a) {
  return s.size() >= da && s.size() <= a &&
         std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// With fields after the record's last, the field where one more comma than
// meant most likely went in: an empty one, or the first half of a number
// written with a thousands comma (`69,750`); 0 for none.
size_t virgola_in_piu(const lettore_campi& lettore, std::span<const campo_record> campi,
                      size_t letti, bool& migliaia) {
  for (size_t i = 1; i < letti; ++i) {
    // A speed board's empty speeds are how a side shows none.
    const bool vuoto_ammesso =
        i <= campi.size() && campi[i - 1].tipo == tipo_valore::velocita_cartello;
    if (lettore.testo_campo(i).empty() && !vuoto_ammesso) {
      migliaia = false;
      return i;
    }
  }
  for (size_t i = 1; i + 1 < letti; ++i) {
    const bool metri = i <= campi.size() && (campi[i - 1].tipo == tipo_valore::posizione ||
                                             campi[i - 1].tipo == tipo_valore::metri ||
                                             campi[i - 1].tipo == tipo_valore::lunghezza);
    if (metri && cifre(lettore.testo_campo(i), 1, 3) && cifre(lettore.testo_campo(i + 1), 3, 3)) {
      migliaia = true;
      return i;
    }
  }
  return 0;
}

// A comment marker in a name: the texts have none, so it and what follows
// become part of the name.
void commento_nel_testo(const std::function<void(Diagnostic)>& avviso, std::string_view nome,
                        std::string_view scritto, const posizione_campo& c,
                        const std::string& testo) {
  size_t i = scritto.find("//");
  if (i == std::string_view::npos) i = scritto.find(" #");
  if (i == std::string_view::npos || i == 0) return;
  while (scritto[i] == ' ') ++i;
  const int colonna = c.colonna + static_cast<int>(i);
  avviso(crea_avviso({testo, c.riga, colonna, c.colonna_fine}, kAvvisoCommento,
                     "`" + std::string(scritto.substr(i)) + "` is read as part of the " +
                         std::string(nome) + ": the texts have no comments",
                     "remove it: a text has no place for notes"));
}

// Records written in order of a field: one before the previous, or one
// that the previous record's length reaches past (told at that length,
// which is the likelier slip).
void in_ordine(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
               std::span<const campo_record> campi, const lettore_campi& lettore, size_t i,
               int32_t v, const std::string& testo, stato_controlli& stato) {
  const std::string nome(campi[i - 1].nome);
  // The record's line, counted on from the last field read.
  stato_controlli::ultimo questo{v, v, lettore.riga(), {}};
  if (i < campi.size() && campi[i].tipo == tipo_valore::lunghezza &&
      i + 1 < lettore.campi_letti()) {
    const int32_t l = numero_di(lettore.testo_campo(i + 1)).value_or(0);
    questo.fine = int64_t{v} + std::max(l, 0);
    questo.campo_lunghezza = lettore.campo_del_record(i + 1);
  }
  auto [voce, nuova] = stato.ultimi.try_emplace(nome_record, questo);
  if (nuova) return;
  const stato_controlli::ultimo prima = std::exchange(voce->second, questo);
  const std::string record = "`" + std::string(nome_record) + "`";
  if (v <= prima.inizio) {
    avviso(crea_avviso(nel_testo(testo, lettore.campo_del_record(i)), kAvvisoFuoriOrdine,
                       nome + " " + std::to_string(v) + " m does not come after the previous " +
                           record + " record's, " + std::to_string(prima.inizio) + " m on line " +
                           std::to_string(prima.riga) +
                           ": the compile takes the records in the order written",
                       "write the " + record + " records in increasing order of " + nome));
  } else if (v < prima.fine && prima.campo_lunghezza.riga > 0) {
    avviso(crea_avviso(nel_testo(testo, prima.campo_lunghezza), kAvvisoFuoriOrdine,
                       "the " + record + " record from " + std::to_string(prima.inizio) + " m, " +
                           std::to_string(prima.fine - prima.inizio) +
                           " m long, runs past the next one's start, " + std::to_string(v) +
                           " m on line " + std::to_string(questo.riga),
                       "from " + std::to_string(prima.inizio) + " m it may be at most " +
                           std::to_string(v - prima.inizio) + " m long"));
  }
}

void controlla_valori(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                      std::span<const campo_record> campi, const lettore_campi& lettore,
                      size_t letti, int32_t lunghezza, const std::string& testo,
                      stato_controlli& stato) {
  std::optional<int32_t> precedente;
  for (size_t i = 1; i < letti && i <= campi.size(); ++i) {
    const campo_record& c = campi[i - 1];
    const std::string_view scritto = lettore.testo_campo(i);
    // Where the field stands is worked out only for a warning.
    const auto dove = [&] { return lettore.campo_del_record(i); };
    if (c.tipo == tipo_valore::testo) {
      if (scritto.empty()) {
        avviso(crea_avviso(
            nel_testo(testo, dove()), kAvvisoTestoVuoto,
            "the `" + std::string(nome_record) + "` record's " + std::string(c.nome) + " is empty",
            "write the " + std::string(c.nome) + " as the record's last field"));
      }
      if (scritto.find_first_of("/#") != std::string_view::npos) {
        commento_nel_testo(avviso, c.nome, scritto, dove(), testo);
      }
      continue;
    }
    const std::optional<int32_t> v = numero_di(scritto);
    if (!v) continue;
    if (auto s = valuta_valore(c, *v, lunghezza)) {
      avviso(crea_avviso(nel_testo(testo, dove()), s->classe, std::move(s->perche),
                         std::move(s->aiuto)));
    } else if (c.dopo_il_precedente && precedente && *v < *precedente && *v != 0) {
      avviso(crea_avviso(nel_testo(testo, dove()), kAvvisoFuoriOrdine,
                         std::string(c.nome) + " " + std::to_string(*v) + " m comes before the " +
                             std::string(campi[i - 2].nome) + ", " + std::to_string(*precedente) +
                             " m",
                         "write the " + std::string(campi[i - 2].nome) + " first, then the " +
                             std::string(c.nome)));
    }
    if (c.crescente) in_ordine(avviso, nome_record, campi, lettore, i, *v, testo, stato);
    precedente = v;
  }
}

// Fields after the record's last on its line. Right after a number they
// most likely belong to it: cut by a blank (`81 50`) or by a decimal comma
// (`0,5`); told there, else where they stand.
void campo_in_piu(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                  std::span<const campo_record> campi, const lettore_campi& lettore, size_t letti,
                  std::string_view resto, const posizione_campo& dove_resto, bool dopo_virgola,
                  const std::string& testo) {
  const std::string ultimo(lettore.testo_campo(letti - 1));
  const posizione_campo campo_ultimo = lettore.campo_del_record(letti - 1);
  const bool numero = letti > 1 && cifre(ultimo, 1, 10);
  const bool cifre_dopo = cifre(resto, 1, 10);
  if (resto.starts_with("//") || resto.starts_with('#') || resto.starts_with(';')) {
    avviso(
        crea_avviso(nel_testo(testo, dove_resto), kAvvisoCommento,
                    "`" + std::string(resto) +
                        "` looks like a comment, but the texts have none: the compile reads it as "
                        "fields and passes over them",
                    "remove it: a text has no place for notes"));
    return;
  }
  if (numero && !dopo_virgola) {
    avviso(crea_avviso(nel_testo(testo, campo_ultimo), kAvvisoNumeroSpezzato,
                       "a blank ends the number " + ultimo + ": `" + std::string(resto) +
                           "` after the record's last field is passed over",
                       cifre_dopo
                           ? "write the number without blanks: " + ultimo + std::string(resto)
                           : forma(nome_record, campi)));
    return;
  }
  // A decimal comma has no blank after it; a field of its own mostly has.
  if (numero && cifre_dopo && dove_resto.colonna == campo_ultimo.colonna_fine + 1) {
    avviso(crea_avviso(nel_testo(testo, campo_ultimo), kAvvisoCampoInPiu,
                       "`" + ultimo + "," + std::string(resto) + "` is read as " + ultimo +
                           ", and `" + std::string(resto) +
                           "` after the record's last field is passed over",
                       "numbers are whole: a comma always ends a field"));
    return;
  }
  avviso(crea_avviso(nel_testo(testo, dove_resto), kAvvisoCampoInPiu,
                     "`" + std::string(resto) + "` stands after the last field of the `" +
                         std::string(nome_record) + "` record: the compile passes over it",
                     forma(nome_record, campi)));
}

// A record cut short by its line's end, whose next field the compile takes
// from the line below.
void campo_a_capo(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                  std::span<const campo_record> campi, const lettore_campi& lettore, size_t a_capo,
                  const std::string& testo) {
  const posizione_campo preso = lettore.campo_del_record(a_capo);
  avviso(crea_avviso(nel_testo(testo, lettore.campo_del_record(a_capo - 1)), kAvvisoCampoMancante,
                     "the `" + std::string(nome_record) + "` record ends before its " +
                         nome_campo(campi, a_capo) + ": the compile takes `" +
                         std::string(lettore.testo_campo(a_capo)) + "` on line " +
                         std::to_string(preso.riga) + " in its place",
                     forma(nome_record, campi)));
}

// A comma too many at field `in_piu`: an empty field, or a thousands
// separator when `migliaia`.
void virgola_di_troppo(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                       std::span<const campo_record> campi, const lettore_campi& lettore,
                       size_t in_piu, bool migliaia, std::string_view resto,
                       const std::string& testo) {
  const posizione_campo c = lettore.campo_del_record(in_piu);
  const std::string nome = nome_campo(campi, in_piu);
  if (migliaia) {
    const std::string uno(lettore.testo_campo(in_piu));
    const std::string due(lettore.testo_campo(in_piu + 1));
    avviso(crea_avviso(nel_testo(testo, c), kAvvisoCampoInPiu,
                       "`" + uno + "," + due + "` is read as two fields, " + uno + " and " + due +
                           ", and `" + std::string(resto) +
                           "` after the record's last is passed over",
                       "write a number without a thousands separator: " + uno + due));
  } else {
    avviso(crea_avviso(nel_testo(testo, c), kAvvisoCampoInPiu,
                       "the " + nome + " is empty and read as 0, and `" + std::string(resto) +
                           "` after the record's last field is passed over",
                       "one comma too many: " + forma(nome_record, campi)));
  }
}

// A text field cut short by a comma it holds.
void testo_tagliato(const std::function<void(Diagnostic)>& avviso,
                    std::span<const campo_record> campi, const lettore_campi& lettore, size_t letti,
                    std::string_view resto, const posizione_campo& dove_resto,
                    const std::string& testo) {
  const posizione_campo nome = lettore.campo_del_record(letti - 1);
  avviso(crea_avviso({testo, nome.riga, nome.colonna, dove_resto.colonna_fine},
                     kAvvisoTestoTagliato,
                     "a comma ends the " + std::string(campi.back().nome) + " `" +
                         std::string(lettore.testo_campo(letti - 1)) +
                         "`: the compile passes over `" + std::string(resto) + "`",
                     "a " + std::string(campi.back().nome) + " holds no comma"));
}

}  // namespace

void controlla_campi(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                     std::span<const campo_record> campi, lettore_campi& lettore,
                     int32_t lunghezza_percorso, const std::string& testo, stato_controlli& stato) {
  size_t letti = lettore.campi_letti();
  if (letti == 0) return;
  const size_t a_capo = lettore.primo_campo_a_capo();
  if (a_capo > 0) {
    campo_a_capo(avviso, nome_record, campi, lettore, a_capo, testo);
    letti = a_capo;
  }
  // A number a blank cut short has been told of already, with what follows
  // it: the values read after it are its consequences.
  const bool spezzato = lettore.numero_spezzato_nel_record();
  posizione_campo dove_resto;
  bool dopo_virgola = false;
  const std::string_view resto =
      a_capo > 0 ? std::string_view() : lettore.resto_della_riga(dove_resto, dopo_virgola);
  bool migliaia = false;
  const size_t in_piu =
      resto.empty() || spezzato ? 0 : virgola_in_piu(lettore, campi, letti, migliaia);
  const int32_t lunghezza =
      lunghezza_percorso < 0 ? std::numeric_limits<int32_t>::max() : lunghezza_percorso;
  if (!spezzato && in_piu == 0) {
    controlla_valori(avviso, nome_record, campi, lettore, letti, lunghezza, testo, stato);
  }
  if (a_capo > 0) {
    lettore.torna_al_campo_del_record(a_capo);
    return;
  }
  if (resto.empty()) return;
  const bool testo_finale =
      !campi.empty() && campi.back().tipo == tipo_valore::testo && letti > campi.size();
  if (testo_finale) {
    testo_tagliato(avviso, campi, lettore, letti, resto, dove_resto, testo);
  } else if (in_piu > 0) {
    virgola_di_troppo(avviso, nome_record, campi, lettore, in_piu, migliaia, resto, testo);
  } else if (!spezzato) {
    campo_in_piu(avviso, nome_record, campi, lettore, letti, resto, dove_resto, dopo_virgola,
                 testo);
  }
  lettore.salta_riga();
}

void controlla_virgola(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                       const std::string& campo, const posizione_campo& dove,
                       const std::string& testo) {
  // Semicolons where commas were meant make the whole record one field.
  if (const size_t punto = campo.find(';'); punto != std::string::npos) {
    // Told at what was meant as the first field, right after it.
    size_t dopo = campo.find_first_not_of(" \t", punto + 1);
    if (dopo == std::string::npos) dopo = punto;
    size_t fine = campo.find_first_of("; \t", dopo + 1);
    if (fine == std::string::npos) fine = campo.size();
    const int colonna = dove.colonna + static_cast<int>(dopo);
    avviso(crea_avviso({testo, dove.riga, colonna, dove.colonna + static_cast<int>(fine)},
                       kAvvisoVirgolaMancante,
                       "`;` separates nothing: `" + campo.substr(dopo, fine - dopo) +
                           "` and what follows are read as part of the keyword",
                       "separate the fields with commas"));
    return;
  }
  // The numbers at the field's end, from the first of them: a keyword's own
  // digit (`ripetizione segnali 4 codici`) has a word after it.
  size_t inizio = campo.size();
  for (size_t i = campo.size(); i > 0;) {
    size_t parola = i;
    while (parola > 0 && campo[parola - 1] != ' ' && campo[parola - 1] != '\t') --parola;
    if (parola == i || !numero_di(std::string_view(campo).substr(parola, i - parola))) break;
    inizio = parola;
    i = parola;
    while (i > 0 && (campo[i - 1] == ' ' || campo[i - 1] == '\t')) --i;
    if (i == 0) return;  // numbers alone: no keyword at all
  }
  if (inizio == campo.size()) return;
  size_t fine = campo.find_first_of(" \t", inizio);
  if (fine == std::string::npos) fine = campo.size();
  const std::string numero = campo.substr(inizio, fine - inizio);
  const int colonna = dove.colonna + static_cast<int>(inizio);
  avviso(crea_avviso({testo, dove.riga, colonna, colonna + static_cast<int>(numero.size())},
                     kAvvisoVirgolaMancante,
                     "no comma after the keyword: `" + campo.substr(inizio) +
                         "` is read as part of it, and each field after it one place on",
                     "write `" + std::string(nome_record) + ", " + numero + "`"));
}

}  // namespace lorvenna
