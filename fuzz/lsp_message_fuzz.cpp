// Reads arbitrary bytes as a language client's stream of framed messages.
// Each reading must consume input or end it, and no body may pass the
// limit: a client cannot make the server loop, hang or hold more than it
// allows.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "lsp/message_framing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kLimite = 256;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  lorvenna::lettore_messaggi lettore(in, kLimite);
  for (size_t letture = 0;; ++letture) {
    if (letture > size + 1) std::abort();
    const lorvenna::messaggio_letto m = lettore.leggi();
    if (m.t == lorvenna::messaggio_letto::tipo::fine) return 0;
    if (m.corpo.size() > kLimite) std::abort();
  }
}
