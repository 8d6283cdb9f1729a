// What the program asks of its desktop: the waiting window, the fatal error
// message, the watch on a folder that an author edits, and the input an
// editor speaks to the language server on. Each system supplies one layer
// behind this interface; the compile never touches it.
#pragma once

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "platform/folder_watch.h"

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
  // Watches the files `names` in `folder` for an author's edits (see
  // lorvenna::watch_folder): the system's watch, unless a test gives its own.
  virtual std::unique_ptr<FolderWatch> watch_folder(const std::string& folder,
                                                    const std::vector<std::string>& names) {
    return lorvenna::watch_folder(folder, names);
  }
  // The process's standard input, unless a test gives its own.
  virtual std::istream& ingresso() { return std::cin; }
};

// The message errore shows for code text `a`.
inline std::string messaggio_errore(const std::string& a) { return " Errore n. " + a; }

}  // namespace lorvenna
