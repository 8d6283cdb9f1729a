#include "platform/window_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/utf16.h"

namespace lorvenna {
namespace {

// The form's measures are in twips, 1440 to the inch.
constexpr int kTwipPerPollice = 1440;
constexpr const wchar_t* kClasse = L"LorvennaForm1";

struct risoluzione {
  int orizzontale;
  int verticale;
};

risoluzione dpi_dello_schermo() {
  HDC schermo = GetDC(nullptr);
  const risoluzione r{GetDeviceCaps(schermo, LOGPIXELSX), GetDeviceCaps(schermo, LOGPIXELSY)};
  ReleaseDC(nullptr, schermo);
  return r;
}

int pixel(int twip, int dpi) { return MulDiv(twip, dpi, kTwipPerPollice); }

void registra_classe(HINSTANCE istanza) {
  WNDCLASSW c{};
  c.lpfnWndProc = DefWindowProcW;
  c.hInstance = istanza;
  c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = kClasse;
  RegisterClassW(&c);
}

}  // namespace

void piattaforma_win32::mostra_attesa() {
  HINSTANCE istanza = GetModuleHandleW(nullptr);
  registra_classe(istanza);
  const risoluzione dpi = dpi_dello_schermo();
  const DWORD stile = WS_OVERLAPPEDWINDOW;
  // The client area is the form's; the frame comes on top of it.
  RECT r{0, 0, pixel(4200, dpi.orizzontale), pixel(2688, dpi.verticale)};
  AdjustWindowRect(&r, stile, FALSE);
  HWND finestra =
      CreateWindowExW(0, kClasse, a_utf16(titolo_).c_str(), stile, CW_USEDEFAULT, CW_USEDEFAULT,
                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, istanza, nullptr);
  if (finestra == nullptr) return;  // no window: the run goes on without one
  HWND etichetta = CreateWindowExW(0, L"STATIC", L"Attendere", WS_CHILD | WS_VISIBLE | SS_LEFT,
                                   pixel(960, dpi.orizzontale), pixel(960, dpi.verticale),
                                   pixel(2652, dpi.orizzontale), pixel(792, dpi.verticale),
                                   finestra, nullptr, istanza, nullptr);
  HFONT carattere = CreateFontW(-MulDiv(24, dpi.verticale, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                                FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
  SendMessageW(etichetta, WM_SETFONT, reinterpret_cast<WPARAM>(carattere), FALSE);
  // Shown modeless and painted at once; no message is handled after this, so
  // the window stays as painted until the process ends.
  ShowWindow(finestra, SW_SHOWNORMAL);
  UpdateWindow(finestra);
  UpdateWindow(etichetta);
  finestra_ = finestra;
}

void piattaforma_win32::errore(const std::string& a) {
  MessageBoxW(static_cast<HWND>(finestra_), a_utf16(messaggio_errore(a)).c_str(),
              a_utf16(titolo_).c_str(), MB_OK);
}

void piattaforma_win32::segnala_fallimento(const std::string& testo) {
  std::fputs(testo.c_str(), stderr);
  MessageBoxW(static_cast<HWND>(finestra_), a_utf16(testo).c_str(), a_utf16(titolo_).c_str(),
              MB_OK | MB_ICONERROR);
}

}  // namespace lorvenna
