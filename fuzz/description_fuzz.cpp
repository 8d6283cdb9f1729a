// Feeds arbitrary line and train descriptions through the whole compile, in
// memory. The input is split at its first NUL byte: the line description
// before it, the train description after it. Any crash, sanitizer report or
// escaping exception is a fault: the compile must turn every bad input into
// a code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/compile.h"
#include "testing/memory_file_system.h"

namespace {

// A route of a million metres costs a million plan-view steps; numbers of at
// most four digits keep every input to a few thousand metres, so that the
// fuzzer spends its time on the parsers' paths rather than on drawing.
bool numeri_brevi(std::string_view input) {
  int cifre = 0;
  for (char c : input) {
    const bool cifra = c >= '0' && c <= '9';
    if (cifra && (cifre > 0 || c != '0')) ++cifre;
    if (!cifra) cifre = 0;
    if (cifre > 4) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (!numeri_brevi(input)) return -1;
  const size_t cut = input.find('\0');
  lorvenna::MemoryFileSystem fs;
  const lorvenna::testi_descrizione testi{"Prova_linea.txt", "Prova_1-.txt"};
  fs.write(testi.linea, input.substr(0, cut));
  if (cut != std::string::npos) fs.write(testi.treno, input.substr(cut + 1));
  lorvenna::compila({"Prova", "1", size % 2 == 0, testi, {}}, fs);
  return 0;
}
