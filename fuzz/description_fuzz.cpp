// Feeds arbitrary line and train descriptions through the whole compile, in
// memory. The input is split at its first NUL byte: the line description
// before it, the train description after it. Any crash, sanitizer report or
// escaping exception is a fault: the compile must turn every bad input into
// a code.
#include <cstddef>
#include <cstdint>
#include <string>

#include "compiler/compile_driver.h"
#include "driver/file_names.h"
#include "driver/memory_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t cut = input.find('\0');
  lorvenna::MemoryFileSystem fs;
  const lorvenna::nomi_file nomi = lorvenna::nomi_file_per("", "Prova", "1");
  fs.write(nomi.linea_txt, input.substr(0, cut));
  if (cut != std::string::npos) fs.write(nomi.treno_txt, input.substr(cut + 1));

  lorvenna::modello m;
  m.nome_scenario = "Prova";
  m.numero_treno = "1";
  lorvenna::memorizza_percorso(m, size % 2 == 0 ? 1 : 0, fs, nomi);
  return 0;
}
