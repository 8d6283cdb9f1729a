// Serves arbitrary messages to the language server, one JSON body a line,
// after a client has opened the embedded scenario's two texts: whatever a
// client sends, the server answers or logs it, never crashes.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "encoding/windows1252.h"
#include "lsp/server.h"
#include "testing/memory_file_system.h"
#include "texts/line_description.h"
#include "texts/line_table.h"
#include "texts/train_description.h"

namespace {

std::string apertura(const char* uri, const std::string& testo) {
  return R"({"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":{"uri":")" +
         std::string(uri) + R"(","languageId":"x","version":1,"text":)" +
         nlohmann::json(lorvenna::windows1252_a_utf8(testo)).dump() + "}}}";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lorvenna;
  static const std::string linea = testo_da_tabella(righe_linea());
  static const std::string treno = testo_da_tabella(righe_treno());
  MemoryFileSystem disco;
  disco.write("/s/Prova_linea.txt", linea);
  disco.write("/s/Prova_1-.txt", treno);
  size_t inviati = 0;
  server_lsp s(disco, {}, [&inviati](const std::string&) { ++inviati; });
  s.ricevi(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})");
  s.ricevi(apertura("file:///s/Prova_1-.txt", treno));
  s.ricevi(apertura("file:///s/Prova_linea.txt", linea));
  std::istringstream righe(std::string(reinterpret_cast<const char*>(data), size));
  int messaggi = 0;
  for (std::string corpo; std::getline(righe, corpo) && messaggi < 32; ++messaggi) {
    s.ricevi(corpo);
    s.pubblica();
    if (s.uscito()) break;
  }
  return 0;
}
