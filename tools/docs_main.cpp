// scenario-tool-docs: writes scenario-tool's manual page and bash completion,
// both made from its command table, for the build to install.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "check/reference.h"
#include "driver/version.h"
#include "tools/command_table.h"
#include "tools/manual_page.h"
#include "tools/shell_completion.h"

namespace {

bool scrivi(const char* percorso, const std::string& testo) {
  std::ofstream file(percorso, std::ios::binary | std::ios::trunc);
  file << testo;
  file.close();
  if (file) return true;
  std::cerr << "scenario-tool-docs: cannot write " << percorso << ": " << std::strerror(errno)
            << "\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: scenario-tool-docs MANUAL_PAGE COMPLETION INSTALLED_REFERENCE\n";
    return 64;
  }
  using namespace lorvenna;
  std::vector<std::string> argomenti;
  for (const voce_riferimento& v : voci_riferimento(testo_riferimento())) {
    argomenti.push_back(v.argomento);
  }
  const bool scritte = scrivi(argv[1], pagina_manuale(comandi(), versione(), argv[3])) &&
                       scrivi(argv[2], completamento_bash(comandi(), argomenti));
  return scritte ? 0 : 1;
}
