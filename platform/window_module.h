// The contract between the program and its desktop module. The module
// exports plain C functions only, so that no C++ object, string or exception
// crosses between its C++ runtime and the program's.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lorvenna {

// The module's file name, looked for in the folders below.
inline constexpr const char* kModuloFinestra = "lorvenna-window.so";

// The folders the module is looked for in, in this order: the program's own
// folder, so that a portable folder always uses the module it carries; then
// the library folder of the install the program was built for, where a
// program installed into a system folder finds it.
std::vector<std::string> cartelle_modulo_finestra(const std::string& cartella_programma);

// Tries `carica` on the module's path in each folder in turn and returns the
// first handle it gives, or null when no folder has a module it can load.
void* carica_modulo_finestra(const std::vector<std::string>& cartelle,
                             const std::function<void*(const std::string& percorso)>& carica);

// Opens the display and returns the module's handle, or null when no display
// can be opened. `titolo` becomes the caption of the window and of each box.
inline constexpr const char* kApriFinestra = "lorvenna_finestra_apri";
using apri_finestra_t = void* (*)(const char* titolo);

// Shows the waiting window and returns once it is painted.
inline constexpr const char* kMostraAttesa = "lorvenna_finestra_attesa";
using mostra_attesa_t = void (*)(void* finestra);

// Shows `testo` in a modal box with one OK button; returns once it is closed.
inline constexpr const char* kMostraMessaggio = "lorvenna_finestra_messaggio";
using mostra_messaggio_t = void (*)(void* finestra, const char* testo);

}  // namespace lorvenna
