#include "check/text_encoding.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "check/bounded_findings.h"
#include "check/text_warnings.h"
#include "encoding/windows1252.h"

namespace lorvenna {
namespace {

enum class forma { utf8, utf16le, utf16be };

struct segno {
  forma f;
  size_t lunghezza;  // of the mark, in bytes; 0 for a text without one
  const char* nome;
};

std::optional<segno> segno_di(std::string_view t, bool utf8) {
  if (t.starts_with("\xEF\xBB\xBF")) return segno{forma::utf8, 3, "UTF-8"};
  if (t.starts_with("\xFF\xFE")) return segno{forma::utf16le, 2, "UTF-16LE"};
  if (t.starts_with("\xFE\xFF")) return segno{forma::utf16be, 2, "UTF-16BE"};
  if (utf8) return segno{forma::utf8, 0, "UTF-8"};
  return std::nullopt;
}

char16_t unita(std::string_view t, size_t i, forma f) {
  const auto a = static_cast<uint8_t>(t[i]);
  const auto b = static_cast<uint8_t>(t[i + 1]);
  return static_cast<char16_t>(f == forma::utf16le ? a | b << 8 : a << 8 | b);
}

// The character at `i`, moving `i` past it; empty when the bytes there form
// none, with `i` moved past the fewest bytes that make the fault, so that
// the reading picks up again at the next character.
std::optional<char32_t> carattere(std::string_view t, size_t& i, forma f) {
  const size_t da = i;
  if (f == forma::utf8) {
    const auto c = decodifica_utf8(t, i);
    if (!c) i = da + 1;
    return c;
  }
  if (i + 2 > t.size()) {
    i = t.size();
    return std::nullopt;
  }
  const char16_t u = unita(t, i, f);
  i += 2;
  if (u < 0xD800 || u > 0xDFFF) return u;
  if (u >= 0xDC00 || i + 2 > t.size()) return std::nullopt;
  const char16_t v = unita(t, i, f);
  if (v < 0xDC00 || v > 0xDFFF) return std::nullopt;
  i += 2;
  return 0x10000 + ((char32_t{u} - 0xD800) << 10) + (v - 0xDC00);
}

std::string in_utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | c >> 6);
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | c >> 12);
    s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | c >> 18);
    s += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string byte_esadecimali(std::string_view b) {
  std::string s;
  for (char c : b) {
    char x[8];
    std::snprintf(x, sizeof x, "%s0x%02X", s.empty() ? "" : " ", static_cast<uint8_t>(c));
    s += x;
  }
  return s;
}

Diagnostic non_convertibile(SourceSpan dove, std::optional<char32_t> c, std::string_view byte,
                            const char* nome) {
  std::string messaggio;
  std::string aiuto;
  if (c) {
    char u[16];
    std::snprintf(u, sizeof u, "U+%04X", static_cast<unsigned>(*c));
    messaggio = "`" + in_utf8(*c) + "` (" + u + ") has no Windows-1252 form";
    aiuto = "write a character that Windows-1252 has in its place";
  } else {
    messaggio =
        std::string("the bytes ") + byte_esadecimali(byte) + " are no " + nome + " character";
    aiuto = std::string("save the text as ") + nome + " again, or as Windows-1252";
  }
  messaggio += "; the check reads `?` in its place";
  return {Severity::error, std::move(dove), kAvvisoCodifica, std::move(messaggio), {}, {aiuto}};
}

}  // namespace

testo_convertito in_windows1252(const std::string& percorso, std::string grezzo, bool utf8) {
  const auto s = segno_di(grezzo, utf8);
  if (!s) return {std::move(grezzo), {}, ""};
  testo_convertito r{"", {}, s->nome};
  // A line of bytes that form no character is one finding with their count.
  trovate_limitate trovate;
  if (s->lunghezza > 0) trovate.aggiungi(avviso_segno(percorso, s->nome));
  r.testo.reserve(grezzo.size());
  const std::string_view t(grezzo);
  int riga = 1;
  int colonna = 0;
  for (size_t i = s->lunghezza; i < t.size();) {
    const size_t da = i;
    const std::optional<char32_t> c = carattere(t, i, s->f);
    std::optional<char> b = c ? byte_windows1252(*c) : std::nullopt;
    ++colonna;
    if (!b) {
      if (!trovate.conta_se_nascosta(percorso, riga, kAvvisoCodifica, Severity::error)) {
        trovate.aggiungi(non_convertibile({percorso, riga, colonna, colonna + 1}, c,
                                          t.substr(da, i - da), s->nome));
      }
      b = '?';
    }
    r.testo += *b;
    if (*b == '\n') {
      ++riga;
      colonna = 0;
    }
  }
  r.trovate = trovate.prendi();
  // A text of ASCII alone reads the same either way: its columns are its bytes.
  if (r.testo.size() == grezzo.size()) r.convertito_da.clear();
  return r;
}

void nota_conversione(std::vector<Diagnostic>& trovate, const std::string& percorso,
                      const std::string& da) {
  for (Diagnostic& d : trovate) {
    if (d.where.file != percorso || d.where.column < 1) continue;
    d.message += " (columns count characters of the text converted from " + da + ")";
  }
}

}  // namespace lorvenna
