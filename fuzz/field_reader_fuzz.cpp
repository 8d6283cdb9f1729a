// Reads arbitrary text with the field reader alone. The first byte chooses,
// bit by bit, whether each read takes a text or a number field. Every read
// must either return a field that moved the reader on or fail with
// errore_lettura; the line it reports never goes backwards.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "compiler/failure.h"
#include "compiler/field_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return -1;
  const uint8_t scelte = data[0];
  lorvenna::lettore_campi r(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  int riga = 1;
  for (int i = 0; !r.alla_fine(); ++i) {
    try {
      if ((scelte >> (i % 8)) & 1) {
        r.leggi_numero();
      } else {
        r.leggi_testo();
      }
    } catch (const lorvenna::errore_lettura& e) {
      if (e.riga() < riga) std::abort();
      return 0;
    }
    if (r.riga() < riga) std::abort();
    riga = r.riga();
    if (static_cast<size_t>(i) > size) std::abort();  // a read that consumed nothing
  }
  return 0;
}
