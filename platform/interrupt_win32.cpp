#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "platform/interrupt.h"
#include "platform/utf16.h"

namespace lorvenna {
namespace {

std::atomic<bool> richiesto{false};
HANDLE evento = nullptr;

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI al_controllo(DWORD tipo) {
  if (tipo != CTRL_C_EVENT && tipo != CTRL_BREAK_EVENT) return FALSE;
  // The user insists: the system's handler ends the process.
  if (richiesto.exchange(true)) return FALSE;
  SetEvent(evento);
  return TRUE;
}

}  // namespace

void catch_interrupts() {
  if (evento != nullptr) return;
  evento = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (evento == nullptr) {
    throw std::runtime_error("cannot catch interrupts: " + motivo_di_sistema(GetLastError()));
  }
  SetConsoleCtrlHandler(al_controllo, TRUE);
}

bool interrupt_requested() { return richiesto.load(); }

void* interrupt_event() { return evento; }

}  // namespace lorvenna
