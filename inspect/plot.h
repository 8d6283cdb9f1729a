// scenario-tool plot: a compiled scenario drawn as one SVG picture.
#pragma once

#include <string>

#include "driver/file_names.h"
#include "platform/file_system.h"

namespace lorvenna {

// The route in plan, to scale, with its stations and marks, and under it a
// strip chart along the route of the gradient, the line speed and the
// station areas. Throws when a file cannot be read or is damaged.
std::string disegna_scenario(FileSystem& fs, const file_binari& file);

}  // namespace lorvenna
