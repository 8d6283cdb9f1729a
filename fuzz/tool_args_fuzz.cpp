// Runs scenario-tool on arbitrary arguments (the input split at NUL bytes),
// over an empty folder held in memory. Every input must end in a status: a
// usage error, a stopped compile or a finished one, never a crash.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "testing/fake_platform.h"
#include "testing/memory_file_system.h"
#include "tools/scenario_tool.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> argomenti;
  size_t inizio = 0;
  while (inizio <= input.size()) {
    const size_t fine = std::min(input.find('\0', inizio), input.size());
    argomenti.push_back(input.substr(inizio, fine - inizio));
    inizio = fine + 1;
  }
  lorvenna::MemoryFileSystem fs;
  lorvenna::testing::FakePlatform p;
  std::ostringstream uscita, errori;
  try {
    lorvenna::esegui_scenario_tool(argomenti, fs, p, uscita, errori);
  } catch (const std::string&) {
    // The fake error box ends the run by throwing its message.
  }
  return 0;
}
