// scenario-tool lsp: the language server an editor starts, speaking over
// standard input and output.
#include <filesystem>
#include <system_error>

#include "driver/version.h"
#include "lsp/message_framing.h"
#include "lsp/server.h"
#include "lsp/server_loop.h"
#include "lsp/uri.h"
#include "platform/binary_stdio.h"
#include "platform/program_folder.h"
#include "tools/command_table.h"

namespace lorvenna {
namespace {

namespace fs = std::filesystem;

fs::path da_utf8(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

std::string in_utf8(const fs::path& p) {
  const std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}

std::vector<std::string> elenca(const std::string& cartella) {
  std::vector<std::string> nomi;
  std::error_code e;
  for (fs::directory_iterator i(da_utf8(cartella), e), fine; !e && i != fine; i.increment(e)) {
    nomi.push_back(in_utf8(i->path().filename()));
  }
  return nomi;
}

// The reference the findings' codes link to: beside the program in a
// portable folder, in the source tree for a build, or where an install puts
// its documentation.
std::string riferimento() {
  std::error_code e;
  std::string cartella;
  try {
    cartella = cartella_programma();
  } catch (const std::exception&) {
    return "";
  }
  const fs::path qui = da_utf8(cartella);
  for (const fs::path& p :
       {qui / "reference.md", qui / "docs" / "reference.md",
        qui.parent_path() / "docs" / "reference.md",
        qui.parent_path() / "share" / "doc" / "scenario-tool" / "reference.md"}) {
    if (fs::is_regular_file(p, e)) return uri_da_percorso(in_utf8(fs::absolute(p, e)));
  }
  return "";
}

int esegui(const richiesta& r) {
  stdio_binari();
  std::ostream& uscita = r.uscita;
  server_lsp s(
      r.fs, elenca,
      [&uscita](const std::string& corpo) { uscita << incornicia(corpo) << std::flush; },
      riferimento(), versione());
  return esegui_server(s, r.p.ingresso());
}

}  // namespace

const comando& comando_lsp() {
  static const comando c{
      .nome = "lsp",
      .cartelle = {},
      .crea_cartella = false,
      .riassunto = "serves the check, the reference and the compiled track to an editor",
      .descrizione =
          "Runs a language server (Language Server Protocol 3.17) on standard input and output, "
          "for an editor to start: each description text is checked as it is edited, together "
          "with the other text of its scenario, and the mistakes are shown where they are. It "
          "also shows the reference on a keyword, the cell and what the compile put there on a "
          "position, the outline of stations, signals, slowdowns, speed boards and curves, "
          "completion of the records and their fields. Exit 0 after the editor's shutdown.",
      .opzioni = {},
      .accesso = LockKind::shared,
      .esegui = esegui,
  };
  return c;
}

}  // namespace lorvenna
