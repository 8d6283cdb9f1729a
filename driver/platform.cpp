#include "driver/platform.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lorvenna {

void piattaforma_console::mostra_attesa() { std::cerr << "Attendere" << std::endl; }

void piattaforma_console::errore(const std::string& a) {
  std::cerr << messaggio_errore(a) << std::endl;
  std::exit(2);
}

std::string cartella_programma() {
#ifdef _WIN32
  wchar_t buffer[32768];
  DWORD n = GetModuleFileNameW(nullptr, buffer, 32768);
  return std::filesystem::path(std::wstring(buffer, n)).parent_path().string();
#else
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
#endif
}

}  // namespace lorvenna
