// A platform layer for tests: it counts the waiting windows and, instead of
// ending the process, throws the message the error box would show.
#pragma once

#include <string>

#include "platform/piattaforma.h"

namespace lorvenna::testing {

class FakePlatform : public piattaforma {
 public:
  void mostra_attesa() override { ++waits; }
  // Throws the message as a std::string.
  [[noreturn]] void errore(const std::string& a) override { throw messaggio_errore(a); }
  void segnala_fallimento(const std::string& testo) override { failures += testo; }
  int waits = 0;
  std::string failures;
};

}  // namespace lorvenna::testing
