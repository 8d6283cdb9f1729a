// The layer for a run without a desktop: the waiting line and the error
// message go to standard error.
#pragma once

#include <string>

#include "platform/piattaforma.h"

namespace lorvenna {

class piattaforma_console : public piattaforma {
 public:
  void mostra_attesa() override;
  void errore(const std::string& a) override;
  void segnala_fallimento(const std::string& testo) override;
};

}  // namespace lorvenna
