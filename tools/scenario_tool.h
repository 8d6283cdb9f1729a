// scenario-tool: the companion for scenario authors.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/piattaforma.h"

namespace lorvenna {

// `argomenti` excludes the program name. Returns the exit status.
int esegui_scenario_tool(const std::vector<std::string>& argomenti, FileSystem& fs, piattaforma& p,
                         std::ostream& uscita, std::ostream& errori);

}  // namespace lorvenna
