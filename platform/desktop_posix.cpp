#include <dlfcn.h>

#include <cstdlib>

#include "platform/console.h"
#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/window_module.h"

namespace lorvenna {
namespace {

bool con_display() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

piattaforma* dal_modulo(const std::string& cartella, const std::string& titolo) {
  const std::string modulo = join_path(cartella, kModuloFinestra);
  // The module stays loaded for the life of the process: the layer it makes
  // lives as long.
  void* libreria = ::dlopen(modulo.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (libreria == nullptr) return nullptr;
  auto crea = reinterpret_cast<crea_finestra_t>(::dlsym(libreria, kCreaFinestra));
  return crea == nullptr ? nullptr : crea(titolo.c_str());
}

}  // namespace

std::unique_ptr<piattaforma> piattaforma_del_sistema(const std::string& cartella,
                                                     const std::string& titolo) {
  if (con_display()) {
    if (piattaforma* p = dal_modulo(cartella, titolo)) return std::unique_ptr<piattaforma>(p);
  }
  return std::make_unique<piattaforma_console>();
}

}  // namespace lorvenna
