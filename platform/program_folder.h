// Where the program keeps its files: the folder that holds its executable.
#pragma once

#include <string>

namespace lorvenna {

// Throws std::exception when the system cannot say where the executable is.
std::string cartella_programma();

}  // namespace lorvenna
