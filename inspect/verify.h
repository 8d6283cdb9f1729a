// scenario-tool verify: what can be checked of a compiled scenario from its
// three binary files alone.
#pragma once

#include <ostream>
#include <string>

#include "driver/file_names.h"
#include "platform/file_system.h"

namespace lorvenna {

// Prints each finding on `uscita`. Returns 0 when the files are consistent,
// 1 when they are not; throws FileError when a file cannot be read.
// `scenario` and `treno` are the names in Windows-1252.
int verifica(FileSystem& fs, const file_binari& file, const std::string& scenario,
             const std::string& treno, std::ostream& uscita);

}  // namespace lorvenna
