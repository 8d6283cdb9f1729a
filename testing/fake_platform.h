// A platform layer for tests: it counts the waiting windows and keeps what
// the error box and the failure report would show.
#pragma once

#include <string>

#include "platform/piattaforma.h"

namespace lorvenna::testing {

class FakePlatform : public piattaforma {
 public:
  void mostra_attesa() override { ++waits; }
  void errore(const std::string& a) override { errors += messaggio_errore(a); }
  void segnala_fallimento(const std::string& testo) override { failures += testo; }
  int waits = 0;
  std::string errors;
  std::string failures;
};

}  // namespace lorvenna::testing
