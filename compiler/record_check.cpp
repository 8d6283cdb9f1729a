#include "compiler/record_check.h"

#include <limits>

namespace lorvenna {
namespace {

SourceSpan in(const std::string& testo, const posizione_campo& c) {
  return {testo, c.riga, c.colonna, c.colonna_fine};
}

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

// The first field the record took from a later line than its keyword's;
// 0 when it kept to its line.
size_t campo_a_capo(const lettore_campi& lettore) {
  const int riga = lettore.campo_del_record(0).riga;
  for (size_t i = 1; i < lettore.campi_letti(); ++i) {
    if (lettore.campo_del_record(i).riga != riga) return i;
  }
  return 0;
}

}  // namespace

void controlla_campi(const std::function<void(Diagnostic)>& avviso, std::string_view nome_record,
                     std::span<const campo_record> campi, lettore_campi& lettore,
                     int32_t lunghezza_percorso, const std::string& testo) {
  size_t letti = lettore.campi_letti();
  if (letti == 0) return;
  const size_t a_capo = campo_a_capo(lettore);
  if (a_capo > 0) {
    const posizione_campo preso = lettore.campo_del_record(a_capo);
    Diagnostic d{Severity::warning,
                 in(testo, lettore.campo_del_record(a_capo - 1)),
                 kAvvisoCampoMancante,
                 "the `" + std::string(nome_record) + "` record ends before its " +
                     nome_campo(campi, a_capo) + ": the compile takes `" +
                     std::string(lettore.testo_campo(a_capo)) + "` on line " +
                     std::to_string(preso.riga) + " in its place",
                 {},
                 {forma(nome_record, campi)}};
    avviso(std::move(d));
    letti = a_capo;
  }
  // A number a blank cut short has been told of already, with what follows
  // it: the values read after it are its consequences.
  const bool spezzato = lettore.numero_spezzato_nel_record();
  const int32_t lunghezza =
      lunghezza_percorso < 0 ? std::numeric_limits<int32_t>::max() : lunghezza_percorso;
  for (size_t i = 1; i < letti && i <= campi.size() && !spezzato; ++i) {
    const campo_record& c = campi[i - 1];
    const std::string_view scritto = lettore.testo_campo(i);
    if (c.tipo == tipo_valore::testo) {
      if (!scritto.empty()) continue;
      avviso(
          {Severity::warning,
           in(testo, lettore.campo_del_record(i)),
           kAvvisoTestoVuoto,
           "the `" + std::string(nome_record) + "` record's " + std::string(c.nome) + " is empty",
           {},
           {"write the " + std::string(c.nome) + " as the record's last field"}});
      continue;
    }
    const std::optional<int32_t> v = numero_di(scritto);
    if (!v) continue;
    if (auto s = valuta_valore(c, *v, lunghezza)) {
      avviso({Severity::warning,
              in(testo, lettore.campo_del_record(i)),
              s->classe,
              std::move(s->perche),
              {},
              {std::move(s->aiuto)}});
    }
  }
  if (a_capo > 0) {
    lettore.torna_al_campo_del_record(a_capo);
    return;
  }
  posizione_campo dove;
  const std::string_view resto = lettore.resto_della_riga(dove);
  if (resto.empty()) return;
  const bool testo_finale =
      !campi.empty() && campi.back().tipo == tipo_valore::testo && letti > campi.size();
  if (testo_finale) {
    avviso({Severity::warning,
            in(testo, dove),
            kAvvisoTestoTagliato,
            "a comma ends the " + std::string(campi.back().nome) + " `" +
                std::string(lettore.testo_campo(letti - 1)) + "`: the compile passes over `" +
                std::string(resto) + "`",
            {},
            {"a " + std::string(campi.back().nome) + " holds no comma"}});
  } else if (!spezzato) {
    avviso({Severity::warning,
            in(testo, dove),
            kAvvisoCampoInPiu,
            "`" + std::string(resto) + "` stands after the last field of the `" +
                std::string(nome_record) + "` record: the compile passes over it",
            {},
            {forma(nome_record, campi)}});
  }
  lettore.salta_riga();
}

}  // namespace lorvenna
