#include <filesystem>

#include "platform/program_folder.h"

namespace lorvenna {

std::string cartella_programma() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

}  // namespace lorvenna
