// Windows speaks UTF-16; the program's paths and names are UTF-8 strings.
// These convert at the edge, so that a folder with non-ASCII letters works.
#pragma once

#include <windows.h>

#include <string>

namespace lorvenna {

std::wstring a_utf16(const std::string& utf8);
std::string da_utf16(const std::wstring& utf16);
// The system's sentence for an error code from GetLastError.
std::string motivo_di_sistema(DWORD errore);

}  // namespace lorvenna
