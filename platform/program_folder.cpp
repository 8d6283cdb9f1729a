#include "platform/program_folder.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lorvenna {

std::string cartella_programma() {
#ifdef _WIN32
  wchar_t buffer[32768];
  DWORD n = GetModuleFileNameW(nullptr, buffer, 32768);
  return std::filesystem::path(std::wstring(buffer, n)).parent_path().string();
#else
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
#endif
}

}  // namespace lorvenna
