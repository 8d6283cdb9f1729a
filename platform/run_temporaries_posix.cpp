#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/run_temporaries.h"

namespace lorvenna {
namespace {

// A fixed table, because the signal handler may neither allocate nor lock:
// a slot is free (0), being filled (1) or holds a path (2).
struct posto {
  std::atomic<int> stato{0};
  char percorso[PATH_MAX];
};
constexpr int kPosti = 64;
posto posti[kPosti];

constexpr int kSegnali[] = {SIGINT, SIGTERM, SIGHUP};

void al_segnale(int segnale) {
  const int errno_prima = errno;
  for (posto& p : posti) {
    if (p.stato.load() == 2) ::unlink(p.percorso);
  }
  ::signal(segnale, SIG_DFL);
  ::raise(segnale);
  errno = errno_prima;
}

sigset_t segnali() {
  sigset_t s;
  sigemptyset(&s);
  for (int segnale : kSegnali) sigaddset(&s, segnale);
  return s;
}

}  // namespace

void note_temporary(const std::string& path) {
  // A path too long for the table could not have been created either.
  if (path.size() >= PATH_MAX) return;
  for (posto& p : posti) {
    int libero = 0;
    if (!p.stato.compare_exchange_strong(libero, 1)) continue;
    std::memcpy(p.percorso, path.c_str(), path.size() + 1);
    p.stato.store(2);
    return;
  }
}

void forget_temporary(const std::string& path) {
  for (posto& p : posti) {
    if (p.stato.load() == 2 && path == p.percorso) {
      p.stato.store(0);
      return;
    }
  }
}

void remove_temporaries_on_interrupt() {
  for (int segnale : kSegnali) {
    struct sigaction prima;
    if (::sigaction(segnale, nullptr, &prima) != 0 || prima.sa_handler == SIG_IGN) continue;
    struct sigaction a {};
    a.sa_handler = al_segnale;
    sigemptyset(&a.sa_mask);
    ::sigaction(segnale, &a, nullptr);
  }
}

static_assert(sizeof(sigset_t) <= 128);

InterruptsHeld::InterruptsHeld() {
  const sigset_t da_tenere = segnali();
  ::pthread_sigmask(SIG_BLOCK, &da_tenere, reinterpret_cast<sigset_t*>(earlier_));
}

InterruptsHeld::~InterruptsHeld() {
  ::pthread_sigmask(SIG_SETMASK, reinterpret_cast<const sigset_t*>(earlier_), nullptr);
}

}  // namespace lorvenna
