#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

#include "platform/console.h"
#include "platform/desktop.h"
#include "platform/window_module.h"

namespace lorvenna {
namespace {

bool con_display() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

// The desktop layer, drawn by the module through its C functions.
class piattaforma_modulo : public piattaforma {
 public:
  piattaforma_modulo(void* finestra, mostra_attesa_t attesa, mostra_messaggio_t messaggio)
      : finestra_(finestra), attesa_(attesa), messaggio_(messaggio) {}

  void mostra_attesa() override { attesa_(finestra_); }
  void errore(const std::string& a) override { messaggio_(finestra_, messaggio_errore(a).c_str()); }
  // Started from a file manager, the user sees the box; from a terminal,
  // standard error keeps the report as well.
  void segnala_fallimento(const std::string& testo) override {
    std::fputs(testo.c_str(), stderr);
    messaggio_(finestra_, testo.c_str());
  }

 private:
  void* finestra_;
  mostra_attesa_t attesa_;
  mostra_messaggio_t messaggio_;
};

std::unique_ptr<piattaforma> dal_modulo(const std::string& cartella, const std::string& titolo) {
  // The module stays loaded for the life of the process: the layer it makes
  // lives as long.
  void* libreria = carica_modulo_finestra(
      cartelle_modulo_finestra(cartella),
      [](const std::string& modulo) { return ::dlopen(modulo.c_str(), RTLD_NOW | RTLD_LOCAL); });
  if (libreria == nullptr) return nullptr;
  auto apri = reinterpret_cast<apri_finestra_t>(::dlsym(libreria, kApriFinestra));
  auto attesa = reinterpret_cast<mostra_attesa_t>(::dlsym(libreria, kMostraAttesa));
  auto messaggio = reinterpret_cast<mostra_messaggio_t>(::dlsym(libreria, kMostraMessaggio));
  if (apri == nullptr || attesa == nullptr || messaggio == nullptr) return nullptr;
  void* finestra = apri(titolo.c_str());
  if (finestra == nullptr) return nullptr;
  return std::make_unique<piattaforma_modulo>(finestra, attesa, messaggio);
}

}  // namespace

std::unique_ptr<piattaforma> piattaforma_del_sistema(const std::string& cartella,
                                                     const std::string& titolo) {
  if (con_display()) {
    if (auto p = dal_modulo(cartella, titolo)) return p;
  }
  return std::make_unique<piattaforma_console>();
}

}  // namespace lorvenna
