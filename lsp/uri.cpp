#include "lsp/uri.h"

#include <cctype>
#include <cstdio>

namespace lorvenna {
namespace {

int cifra_esadecimale(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool non_riservato(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::optional<std::string> percorso_da_uri(const std::string& uri) {
  constexpr std::string_view kSchema = "file://";
  if (uri.size() < kSchema.size() || uri.compare(0, kSchema.size(), kSchema) != 0) {
    return std::nullopt;
  }
  std::string percorso;
  for (size_t i = kSchema.size(); i < uri.size(); ++i) {
    if (uri[i] != '%') {
      percorso += uri[i];
      continue;
    }
    if (i + 2 >= uri.size()) return std::nullopt;
    const int alta = cifra_esadecimale(uri[i + 1]);
    const int bassa = cifra_esadecimale(uri[i + 2]);
    if (alta < 0 || bassa < 0) return std::nullopt;
    percorso += static_cast<char>(alta * 16 + bassa);
    i += 2;
  }
  // The system would read the path only up to a NUL, and so another file.
  if (percorso.find('\0') != std::string::npos) return std::nullopt;
  // A host other than the empty one names another machine.
  if (percorso.empty() || percorso[0] != '/') return std::nullopt;
#ifdef _WIN32
  // "/c:/x" is the drive's path "c:/x".
  if (percorso.size() >= 3 && std::isalpha(static_cast<unsigned char>(percorso[1])) &&
      percorso[2] == ':') {
    percorso.erase(0, 1);
  }
#endif
  return percorso;
}

std::string uri_da_percorso(const std::string& percorso) {
  std::string uri = "file://";
  if (percorso.empty() || percorso[0] != '/') uri += '/';
  for (char c : percorso) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '\\') {
      uri += '/';
    } else if (non_riservato(b)) {
      uri += c;
    } else {
      char e[4];
      std::snprintf(e, sizeof e, "%%%02X", b);
      uri += e;
    }
  }
  return uri;
}

}  // namespace lorvenna
