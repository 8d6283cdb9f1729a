// Chooses the program's platform layer: the desktop window when a display can
// be opened, the console otherwise.
#pragma once

#include <memory>
#include <string>

#include "platform/piattaforma.h"

namespace lorvenna {

// Loads the desktop module (from `cartella`, the program's folder, first; see
// window_module.h) only when the system has a display to show it on, so that
// a run without one never loads the toolkit's libraries. Falls back to the console layer, silently,
// when there is no display, no module, or a display that cannot be opened.
std::unique_ptr<piattaforma> piattaforma_del_sistema(const std::string& cartella,
                                                     const std::string& titolo);

}  // namespace lorvenna
