#include "platform/utf16.h"

namespace lorvenna {

std::wstring a_utf16(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string da_utf16(const std::wstring& utf16) {
  if (utf16.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::string motivo_di_sistema(DWORD errore) {
  wchar_t* testo = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, errore, 0, reinterpret_cast<wchar_t*>(&testo), 0, nullptr);
  std::wstring motivo = n > 0 ? std::wstring(testo, n) : L"error " + std::to_wstring(errore);
  if (testo != nullptr) LocalFree(testo);
  while (!motivo.empty() && (motivo.back() == L'\n' || motivo.back() == L'\r' ||
                             motivo.back() == L'.' || motivo.back() == L' ')) {
    motivo.pop_back();
  }
  return da_utf16(motivo);
}

}  // namespace lorvenna
