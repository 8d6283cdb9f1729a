// scenario-tool diff: two compiled scenarios compared record by record.
#pragma once

#include <ostream>

#include "driver/file_names.h"
#include "platform/file_system.h"

namespace lorvenna {

// Prints each difference decoded, at most `limite` lines (0: all). Returns
// 0 when the scenarios are the same, 1 when they differ; throws when a file
// cannot be read or is damaged.
int confronta_scenari(FileSystem& fs, const file_binari& a, const file_binari& b, size_t limite,
                      std::ostream& uscita);

}  // namespace lorvenna
