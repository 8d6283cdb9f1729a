// The thin platform layer of the program: the waiting window and the fatal
// error message. Nothing in the compile depends on it.
#pragma once

#include <string>

namespace lorvenna {

class piattaforma {
 public:
  virtual ~piattaforma() = default;
  // Shows "Attendere" before the work starts.
  virtual void mostra_attesa() = 0;
  // Shows " Errore n. " followed by `a` and ends the process; never returns.
  [[noreturn]] virtual void errore(const std::string& a) = 0;
};

// The message errore shows for code text `a`.
inline std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

// Writes to standard error; errore ends the process with status 2.
class piattaforma_console : public piattaforma {
 public:
  void mostra_attesa() override;
  [[noreturn]] void errore(const std::string& a) override;
};

// The folder that holds the running executable.
std::string cartella_programma();

}  // namespace lorvenna
