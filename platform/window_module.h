// The contract between the program and its desktop module: the module
// exports one C function that opens the display and makes the desktop layer,
// or returns null when no display can be opened.
#pragma once

#include "platform/piattaforma.h"

namespace lorvenna {

// The module's file name, looked for in the program's folder.
#ifdef _WIN32
inline constexpr const char* kModuloFinestra = "lorvenna-window.dll";
#else
inline constexpr const char* kModuloFinestra = "lorvenna-window.so";
#endif

inline constexpr const char* kCreaFinestra = "lorvenna_crea_finestra";

// `titolo` becomes the caption of the window and of the error box.
using crea_finestra_t = piattaforma* (*)(const char* titolo);

}  // namespace lorvenna
