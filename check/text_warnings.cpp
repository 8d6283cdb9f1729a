#include "check/text_warnings.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "check/bounded_findings.h"
#include "compiler/field_reader.h"
#include "compiler/record_rules.h"
#include "encoding/quoted.h"
#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

bool vuoto(char c) { return c == ' ' || c == '\t'; }
bool separa_parole(char c) { return vuoto(c) || c == ',' || c == '\r' || c == '\n'; }

// A text saved as UTF-16 has a NUL beside every character of the Latin
// alphabet: in every odd position (little-endian) or every even one.
bool sembra_utf16(std::string_view t) {
  if (t.starts_with("\xFF\xFE") || t.starts_with("\xFE\xFF")) return true;
  if (t.size() < 2) return false;
  bool pari = true;
  bool dispari = true;
  for (size_t i = 0; i + 1 < t.size(); i += 2) {
    pari = pari && t[i] == '\0';
    dispari = dispari && t[i + 1] == '\0';
  }
  return pari || dispari;
}

// Where the first character of more than one byte starts, when the whole
// text is well-formed UTF-8 and has one; a text of ASCII alone reads the
// same either way.
std::optional<size_t> primo_utf8(std::string_view t) {
  std::optional<size_t> primo;
  for (size_t i = 0; i < t.size();) {
    const size_t da = i;
    if (!decodifica_utf8(t, i)) return std::nullopt;
    if (!primo && i - da > 1) primo = da;
  }
  return primo;
}

// The span from `da` to `a` (byte offsets) on its line; one byte is one
// character as the compile reads the text.
SourceSpan tratto(const std::string& percorso, std::string_view t, size_t da, size_t a) {
  const int riga = 1 + static_cast<int>(std::count(t.begin(), t.begin() + da, '\n'));
  const size_t a_capo = da == 0 ? std::string_view::npos : t.rfind('\n', da - 1);
  const size_t inizio = a_capo == std::string_view::npos ? 0 : a_capo + 1;
  return {percorso, riga, static_cast<int>(da - inizio) + 1, static_cast<int>(a - inizio) + 1};
}

Diagnostic utf8_letto_come_1252(const std::string& percorso, std::string_view t, size_t dove) {
  size_t da = dove;
  while (da > 0 && !separa_parole(t[da - 1])) --da;
  size_t a = dove;
  while (a < t.size() && !separa_parole(t[a])) ++a;
  const std::string_view parola = t.substr(da, a - da);
  return crea_avviso(
      tratto(percorso, t, da, a), kAvvisoCodifica,
      "this text looks like UTF-8, but it is read as Windows-1252: `" + senza_controlli(parola) +
          "` would be stored as `" + senza_controlli(windows1252_a_utf8(parola)) + "`",
      "convert it to Windows-1252, or give `--encoding utf-8` to have it read as UTF-8");
}

// The line of the field where the compile finds "[generale]", found by the
// compile's own search; empty when it finds none.
std::optional<int> riga_del_generale(std::string_view t) {
  lettore_campi lettore{std::string(t)};
  std::string campo;
  try {
    if (!trova_generale(lettore, campo)) return std::nullopt;
  } catch (const errore_lettura&) {
    return std::nullopt;  // the text ends in blanks first: the compile says so itself
  }
  return lettore.ultimo_campo().riga;
}

// Each line with something on it, without its line end, with its number.
template <typename Fai>
void per_riga(std::string_view t, Fai fai) {
  int numero = 0;
  for (size_t inizio = 0; inizio < t.size();) {
    const size_t a_capo = t.find('\n', inizio);
    const size_t fine = a_capo == std::string_view::npos ? t.size() : a_capo;
    std::string_view riga = t.substr(inizio, fine - inizio);
    if (riga.ends_with('\r')) riga.remove_suffix(1);
    ++numero;
    if (riga.find_first_not_of(" \t") != std::string_view::npos) fai(riga, numero);
    inizio = fine + 1;
  }
}

bool commento(std::string_view riga) {
  return riga.starts_with('#') || riga.starts_with("//") || riga.starts_with(';');
}

}  // namespace

std::optional<SourceSpan> quasi_generale(const std::string& percorso, std::string_view t) {
  std::optional<SourceSpan> trovata;
  per_riga(t, [&](std::string_view riga, int numero) {
    const size_t primo = riga.find_first_not_of(" \t");
    const size_t ultimo = riga.find_last_not_of(" \t") + 1;
    // The header itself, as the text's last field, is never read: no misspelling.
    const size_t d = distanza(riga.substr(primo, ultimo - primo), "[generale]");
    if (trovata || d == 0 || d > 3) return;
    trovata =
        SourceSpan{percorso, numero, static_cast<int>(primo) + 1, static_cast<int>(ultimo) + 1};
  });
  return trovata;
}

Diagnostic avviso_segno(const std::string& percorso, const std::string& codifica) {
  return crea_avviso({percorso, 0, 0, 0}, kAvvisoSegno,
                     "this text starts with a " + codifica +
                         " byte-order mark: check reads it converted to Windows-1252, and its "
                         "columns count characters of the converted text; `compile` reads it as "
                         "Windows-1252, mark and all",
                     "save it as Windows-1252, without a byte-order mark");
}

std::vector<Diagnostic> avvisi_del_testo(const std::string& percorso, std::string_view t) {
  if (sembra_utf16(t)) {
    // Nothing else of it can be told: every field is read with NULs inside.
    return {
        crea_avviso({percorso, 0, 0, 0}, kAvvisoCodifica,
                    "this text looks like UTF-16, with a NUL byte beside each character, but it "
                    "is read as Windows-1252",
                    "save it as Windows-1252, or as UTF-16 with its byte-order mark, which check "
                    "converts")};
  }
  // A text of comment lines is told in a few of them and their count.
  trovate_limitate avvisi;
  if (const auto dove = primo_utf8(t)) avvisi.aggiungi(utf8_letto_come_1252(percorso, t, *dove));
  const std::optional<int> generale = riga_del_generale(t);
  if (!generale) {
    const std::optional<SourceSpan> quasi = quasi_generale(percorso, t);
    avvisi.aggiungi(crea_avviso(
        quasi.value_or(SourceSpan{percorso, 0, 0, 0}), kAvvisoSenzaGenerale,
        "no field of this text contains `[generale]`: the compile looks "
        "for it from the first field to the last, and reads no record of "
        "the text until it finds it",
        quasi ? "did you mean `[generale]`?" : "start the text with a line `[generale]`"));
    return avvisi.prendi();
  }
  per_riga(t, [&](std::string_view riga, int numero) {
    const size_t primo = riga.find_first_not_of(" \t");
    const char* classe = numero < *generale ? kAvvisoPrimaDelGenerale
                         : numero > *generale && commento(riga.substr(primo)) ? kAvvisoCommento
                                                                              : nullptr;
    // Past the first lines of its class, a line's warning is only counted.
    if (!classe || avvisi.conta_se_nascosta(percorso, numero, classe, Severity::warning)) return;
    const size_t ultimo = riga.find_last_not_of(" \t") + 1;
    const SourceSpan dove{percorso, numero, static_cast<int>(primo) + 1,
                          static_cast<int>(ultimo) + 1};
    if (classe == kAvvisoPrimaDelGenerale) {
      avvisi.aggiungi(crea_avviso(dove, kAvvisoPrimaDelGenerale,
                                  "this line comes before `[generale]`: it is read but ignored "
                                  "until `[generale]`",
                                  "move it after `[generale]`, or remove it"));
    } else {
      avvisi.aggiungi(crea_avviso(dove, kAvvisoCommento,
                                  "this line looks like a comment, but the texts have no "
                                  "comments: its fields are read as fields",
                                  "remove the line"));
    }
  });
  return avvisi.prendi();
}

}  // namespace lorvenna
