// A platform layer for tests: it counts the waiting windows and keeps what
// the error box and the failure report would show. Commands that serve
// until told to stop end at once: a watch is interrupted before it waits,
// and the standard input is empty.
#pragma once

#include <chrono>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/piattaforma.h"

namespace lorvenna::testing {

class FakePlatform : public piattaforma {
  struct Interrupted : FolderWatch {
    WatchEvent wait(std::chrono::milliseconds) override { return WatchEvent::interrupted; }
  };

 public:
  void mostra_attesa() override { ++waits; }
  void errore(const std::string& a) override { errors += messaggio_errore(a); }
  void segnala_fallimento(const std::string& testo) override { failures += testo; }
  std::unique_ptr<FolderWatch> watch_folder(const std::string&,
                                            const std::vector<std::string>&) override {
    return std::make_unique<Interrupted>();
  }
  std::istream& ingresso() override { return input; }
  std::istringstream input;
  int waits = 0;
  std::string errors;
  std::string failures;
};

}  // namespace lorvenna::testing
