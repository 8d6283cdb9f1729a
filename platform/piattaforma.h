// What the program asks of its desktop: the waiting window and the fatal
// error message. Each system supplies one layer behind this interface; the
// compile never touches it.
#pragma once

#include <string>

namespace lorvenna {

class piattaforma {
 public:
  virtual ~piattaforma() = default;
  // Shows "Attendere" before the work starts.
  virtual void mostra_attesa() = 0;
  // Shows " Errore n. " followed by `a` and returns once the user has seen
  // it; the caller ends the run with its status.
  virtual void errore(const std::string& a) = 0;
  // Reports a failure that stopped the run (a file that cannot be written,
  // say) the way the system reports such failures; the caller then ends the
  // run with its status.
  virtual void segnala_fallimento(const std::string& testo) = 0;
};

// The message errore shows for code text `a`.
inline std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

}  // namespace lorvenna
