// The language server over the real disk, where a partner text may be
// anything a folder can hold, or a name the system refuses to look up.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "compiler/text_limit.h"
#include "encoding/windows1252.h"
#include "lsp/server.h"
#include "lsp/uri.h"
#include "platform/real_file_system.h"
#include "testing/temp_folder.h"
#include "texts/line_table.h"
#include "texts/train_description.h"

namespace lorvenna {
namespace {

using json = nlohmann::json;

// The information the server publishes on an open train text whose line
// text stands at `linea`, made by `prepara`; none means it published nothing.
std::string detto_sul_treno(const std::string& treno, const std::function<void()>& prepara) {
  prepara();
  RealFileSystem disco;
  std::vector<json> inviati;
  server_lsp s(disco, {}, [&](const std::string& c) { inviati.push_back(json::parse(c)); });
  s.ricevi(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})");
  s.ricevi(json{{"jsonrpc", "2.0"},
                {"method", "textDocument/didOpen"},
                {"params",
                 {{"textDocument",
                   {{"uri", uri_da_percorso(treno)},
                    {"languageId", "lorvenna"},
                    {"version", 1},
                    {"text", windows1252_a_utf8(testo_da_tabella(righe_treno()))}}}}}}
               .dump());
  s.pubblica();
  std::string detto;
  for (const json& m : inviati) {
    if (m.value("method", "") != "textDocument/publishDiagnostics") continue;
    for (const json& d : m["params"]["diagnostics"]) detto += d["message"].get<std::string>();
  }
  return detto;
}

TEST(ServerDiskTest, APartnerThatCannotBeReadIsToldWhy) {
  testing::TempFolder cartella;
  const std::string treno = cartella.file("Prova_1-.txt");
  const std::string linea = cartella.file("Prova_linea.txt");
  namespace fs = std::filesystem;
  struct caso {
    const char* cosa;
    std::function<void()> prepara;
    const char* atteso;
  };
  const caso casi[] = {
      {"a FIFO", [&] { ::mkfifo(linea.c_str(), 0644); }, "it is a FIFO"},
      {"a folder", [&] { fs::create_directory(linea); }, "it is a folder"},
      {"a device", [&] { fs::create_symlink("/dev/zero", linea); }, "it is a device"},
      {"a link to itself", [&] { fs::create_symlink("Prova_linea.txt", linea); }, "cannot look up"},
      {"too large",
       [&] {
         testing::write_file(linea, "");
         fs::resize_file(linea, kLimiteTesto.max_bytes + 1);
       },
       "bytes, more than"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.cosa);
    const std::string detto = detto_sul_treno(treno, c.prepara);
    EXPECT_NE(detto.find("Prova_linea.txt cannot be checked"), std::string::npos) << detto;
    EXPECT_NE(detto.find(c.atteso), std::string::npos) << detto;
    fs::remove_all(linea);
  }
}

// Names the system refuses to look up: longer than a name may be, or under
// a file taken for a folder. The server tells them and serves on.
TEST(ServerDiskTest, ANameThatCannotBeLookedUpIsToldNotFatal) {
  testing::TempFolder cartella;
  testing::write_file(cartella.file("file"), "");
  const std::string lungo = cartella.file(std::string(250, 'a') + "_1-.txt");
  const std::string sotto_un_file = cartella.file("file/Prova_1-.txt");
  for (const std::string& treno : {lungo, sotto_un_file}) {
    const std::string detto = detto_sul_treno(treno, [] {});
    EXPECT_NE(detto.find("cannot be checked: cannot look up"), std::string::npos) << detto;
  }
}

}  // namespace
}  // namespace lorvenna
