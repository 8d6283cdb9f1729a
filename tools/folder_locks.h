// Holding the folders a command works in.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace lorvenna {

// Holds every folder of `cartelle` the `kind` way until the result is
// destroyed, telling `errori` once for each folder that another run keeps it
// waiting. Two paths to one folder hold it once, so that a run never waits
// on itself, and folders are taken in the order of their identities, so that
// two runs holding the same folders never wait on each other in a circle.
std::vector<std::unique_ptr<FolderLock>> blocca_cartelle(FileSystem& fs,
                                                         const std::vector<std::string>& cartelle,
                                                         LockKind kind, std::ostream& errori);

}  // namespace lorvenna
