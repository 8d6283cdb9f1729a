#include "platform/console.h"

#include <iostream>

namespace lorvenna {

void piattaforma_console::mostra_attesa() { std::cerr << "Attendere" << std::endl; }

void piattaforma_console::segnala_fallimento(const std::string& testo) { std::cerr << testo; }

void piattaforma_console::errore(const std::string& a) {
  std::cerr << messaggio_errore(a) << std::endl;
}

}  // namespace lorvenna
