#include <stdexcept>
#include <string>

#include "platform/program_folder.h"
#include "platform/utf16.h"

namespace lorvenna {

std::string cartella_programma() {
  std::wstring percorso(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, percorso.data(), static_cast<DWORD>(percorso.size()));
  if (n == 0 || n >= percorso.size()) throw std::runtime_error(motivo_di_sistema(GetLastError()));
  percorso.resize(n);
  const size_t fine = percorso.find_last_of(L"\\/");
  return da_utf16(fine == std::wstring::npos ? L"." : percorso.substr(0, fine));
}

}  // namespace lorvenna
