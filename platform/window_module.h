// The contract between the program and its desktop module. The module
// exports plain C functions only, so that no C++ object, string or exception
// crosses between its C++ runtime and the program's.
#pragma once

namespace lorvenna {

// The module's file name, looked for in the program's folder.
inline constexpr const char* kModuloFinestra = "lorvenna-window.so";

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
