#include "platform/window_module.h"

#include "platform/file_system.h"

namespace lorvenna {

std::vector<std::string> cartelle_modulo_finestra(const std::string& cartella_programma) {
  std::vector<std::string> cartelle{cartella_programma};
  // Baked in when the build is configured: the install's folder is known
  // then, and a program found elsewhere at run time still looks there.
  const std::string installata = LORVENNA_MODULE_LIBDIR;
  if (!installata.empty() && installata != cartella_programma) cartelle.push_back(installata);
  return cartelle;
}

void* carica_modulo_finestra(const std::vector<std::string>& cartelle,
                             const std::function<void*(const std::string& percorso)>& carica) {
  for (const std::string& cartella : cartelle) {
    if (void* modulo = carica(join_path(cartella, kModuloFinestra))) return modulo;
  }
  return nullptr;
}

}  // namespace lorvenna
