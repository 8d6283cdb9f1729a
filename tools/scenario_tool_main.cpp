#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "driver/activity.h"
#include "driver/report.h"
#include "platform/console.h"
#include "platform/memory_reserve.h"
#include "platform/real_file_system.h"
#include "platform/run_temporaries.h"
#include "tools/scenario_tool.h"

#ifdef _WIN32
#include "platform/utf16.h"
#endif

namespace {

int esegui(const std::vector<std::string>& argomenti) {
  if (!lorvenna::keep_memory_for_reports()) {
    std::fputs("scenario-tool: out of memory while starting\n", stderr);
    return lorvenna::kStatoFermato;
  }
  lorvenna::remove_temporaries_on_interrupt();
  try {
    lorvenna::RealFileSystem fs;
    lorvenna::piattaforma_console piattaforma;
    return lorvenna::esegui_scenario_tool(argomenti, fs, piattaforma, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    lorvenna::riporta_memoria_esaurita("scenario-tool", std::cerr);
    return lorvenna::kStatoFermato;
  }
}

}  // namespace

#ifdef _WIN32
// Arguments arrive as UTF-16, whatever the console's code page, so that an
// accented scenario name reaches the compile as the same UTF-8 as elsewhere.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> argomenti;
  for (int i = 1; i < argc; ++i) argomenti.push_back(lorvenna::da_utf16(argv[i]));
  return esegui(argomenti);
}
#else
int main(int argc, char** argv) { return esegui(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
