// The desktop layer on Windows, with the system's own window and message box.
#pragma once

#include <string>

#include "platform/piattaforma.h"

namespace lorvenna {

class piattaforma_win32 : public piattaforma {
 public:
  explicit piattaforma_win32(std::string titolo) : titolo_(std::move(titolo)) {}
  void mostra_attesa() override;
  void errore(const std::string& a) override;
  void segnala_fallimento(const std::string& testo) override;

 private:
  std::string titolo_;
  void* finestra_ = nullptr;  // the window's HWND, once shown
};

}  // namespace lorvenna
