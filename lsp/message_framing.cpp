#include "lsp/message_framing.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace lorvenna {
namespace {

// No header the protocol knows comes near this; a longer line is noise.
constexpr size_t kRigaMassima = 1024;

using tipo = messaggio_letto::tipo;

messaggio_letto guasto(std::string motivo) { return {tipo::guasto, {}, std::move(motivo)}; }

bool uguali_senza_maiuscole(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// A header line, without its LF: read to its LF whatever its length, but
// only so much is kept.
struct riga_intestazione {
  std::string testo;
  bool troppo_lunga = false;
  bool alla_fine = false;  // the input ended before its LF
};

riga_intestazione leggi_riga(std::istream& in) {
  riga_intestazione r;
  int c = 0;
  while ((c = in.get()) != std::char_traits<char>::eof() && c != '\n') {
    if (r.testo.size() < kRigaMassima) {
      r.testo.push_back(static_cast<char>(c));
    } else {
      r.troppo_lunga = true;
    }
  }
  r.alla_fine = c == std::char_traits<char>::eof();
  return r;
}

// What a message's header says: its Content-Length, and the fault of its
// last faulty line, if any.
struct intestazione {
  std::optional<size_t> lunghezza;
  std::string errore;
};

// One line "Name: value" of a header, CR taken off and not empty.
void leggi_campo(const std::string& riga, intestazione& h) {
  const size_t due_punti = riga.find(':');
  if (due_punti == std::string::npos) {
    h.errore = "a header line without a colon";
    return;
  }
  std::string_view valore = std::string_view(riga).substr(due_punti + 1);
  while (!valore.empty() && (valore.front() == ' ' || valore.front() == '\t')) {
    valore.remove_prefix(1);
  }
  while (!valore.empty() && (valore.back() == ' ' || valore.back() == '\t')) {
    valore.remove_suffix(1);
  }
  if (!uguali_senza_maiuscole(std::string_view(riga).substr(0, due_punti), "Content-Length")) {
    return;  // Content-Type and any other header say nothing we need
  }
  size_t n = 0;
  const auto [fine, ec] = std::from_chars(valore.data(), valore.data() + valore.size(), n);
  if (ec != std::errc{} || fine != valore.data() + valore.size() || valore.empty()) {
    h.errore = "a Content-Length that is not a number: \"" + std::string(valore) + "\"";
    return;
  }
  h.lunghezza = n;
}

// Reads a header to its empty line. Returns the end of the input, or a
// fault, when the input ends first.
std::optional<messaggio_letto> leggi_intestazione(std::istream& in, intestazione& h) {
  bool letto_qualcosa = false;
  while (true) {
    riga_intestazione riga = leggi_riga(in);
    if (riga.alla_fine) {
      if (!letto_qualcosa && riga.testo.empty()) return messaggio_letto{tipo::fine, {}, {}};
      return guasto("the input ends inside a message's header");
    }
    letto_qualcosa = true;
    if (!riga.testo.empty() && riga.testo.back() == '\r') riga.testo.pop_back();
    if (riga.troppo_lunga) {
      h.errore = "a header line longer than " + std::to_string(kRigaMassima) + " bytes";
      continue;
    }
    if (riga.testo.empty()) return std::nullopt;
    leggi_campo(riga.testo, h);
  }
}

}  // namespace

messaggio_letto lettore_messaggi::leggi() {
  intestazione h;
  if (std::optional<messaggio_letto> finito = leggi_intestazione(in_, h)) return *finito;
  if (!h.errore.empty() && !h.lunghezza) return guasto(h.errore);
  if (!h.lunghezza) return guasto("a message header without Content-Length");
  if (*h.lunghezza > limite_) {
    in_.ignore(static_cast<std::streamsize>(*h.lunghezza));
    return guasto("a message of " + std::to_string(*h.lunghezza) + " bytes, over the limit of " +
                  std::to_string(limite_));
  }
  std::string corpo(*h.lunghezza, '\0');
  in_.read(corpo.data(), static_cast<std::streamsize>(corpo.size()));
  if (static_cast<size_t>(in_.gcount()) != corpo.size()) {
    return guasto("the input ends inside a message's body");
  }
  if (!h.errore.empty()) return guasto(h.errore);
  return {tipo::messaggio, std::move(corpo), {}};
}

bool annidato_oltre(std::string_view testo, size_t limite) {
  size_t profondita = 0;
  bool in_stringa = false;
  for (size_t i = 0; i < testo.size(); ++i) {
    const char c = testo[i];
    if (in_stringa) {
      if (c == '\\') {
        ++i;
      } else if (c == '"') {
        in_stringa = false;
      }
    } else if (c == '"') {
      in_stringa = true;
    } else if (c == '[' || c == '{') {
      if (++profondita > limite) return true;
    } else if ((c == ']' || c == '}') && profondita > 0) {
      --profondita;
    }
  }
  return false;
}

std::string incornicia(std::string_view corpo) {
  return "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + std::string(corpo);
}

}  // namespace lorvenna
