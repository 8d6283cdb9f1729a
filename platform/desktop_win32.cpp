#include "platform/desktop.h"
#include "platform/window_win32.h"

namespace lorvenna {

// Windows always has its desktop; the window layer is part of the program.
std::unique_ptr<piattaforma> piattaforma_del_sistema(const std::string&,
                                                     const std::string& titolo) {
  return std::make_unique<piattaforma_win32>(titolo);
}

}  // namespace lorvenna
