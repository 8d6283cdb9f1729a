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

}  // namespace

messaggio_letto lettore_messaggi::leggi() {
  std::optional<size_t> lunghezza;
  bool letto_qualcosa = false;
  std::string errore;
  while (true) {
    std::string riga;
    // A line is read to its LF whatever its length, but only so much is kept.
    bool troppo_lunga = false;
    int c = 0;
    while ((c = in_.get()) != std::char_traits<char>::eof() && c != '\n') {
      if (riga.size() < kRigaMassima) {
        riga.push_back(static_cast<char>(c));
      } else {
        troppo_lunga = true;
      }
    }
    if (c == std::char_traits<char>::eof()) {
      if (!letto_qualcosa && riga.empty()) return {tipo::fine, {}, {}};
      return guasto("the input ends inside a message's header");
    }
    letto_qualcosa = true;
    if (!riga.empty() && riga.back() == '\r') riga.pop_back();
    if (troppo_lunga) {
      errore = "a header line longer than " + std::to_string(kRigaMassima) + " bytes";
      continue;
    }
    if (riga.empty()) break;
    const size_t due_punti = riga.find(':');
    if (due_punti == std::string::npos) {
      errore = "a header line without a colon";
      continue;
    }
    std::string_view valore = std::string_view(riga).substr(due_punti + 1);
    while (!valore.empty() && (valore.front() == ' ' || valore.front() == '\t')) {
      valore.remove_prefix(1);
    }
    while (!valore.empty() && (valore.back() == ' ' || valore.back() == '\t')) {
      valore.remove_suffix(1);
    }
    if (!uguali_senza_maiuscole(std::string_view(riga).substr(0, due_punti), "Content-Length")) {
      continue;  // Content-Type and any other header say nothing we need
    }
    size_t n = 0;
    const auto [fine, ec] = std::from_chars(valore.data(), valore.data() + valore.size(), n);
    if (ec != std::errc{} || fine != valore.data() + valore.size() || valore.empty()) {
      errore = "a Content-Length that is not a number: \"" + std::string(valore) + "\"";
      continue;
    }
    lunghezza = n;
  }
  if (!errore.empty() && !lunghezza) return guasto(errore);
  if (!lunghezza) return guasto("a message header without Content-Length");
  if (*lunghezza > limite_) {
    in_.ignore(static_cast<std::streamsize>(*lunghezza));
    return guasto("a message of " + std::to_string(*lunghezza) + " bytes, over the limit of " +
                  std::to_string(limite_));
  }
  std::string corpo(*lunghezza, '\0');
  in_.read(corpo.data(), static_cast<std::streamsize>(corpo.size()));
  if (static_cast<size_t>(in_.gcount()) != corpo.size()) {
    return guasto("the input ends inside a message's body");
  }
  if (!errore.empty()) return guasto(errore);
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
