#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/interrupt.h"

namespace lorvenna {
namespace {

std::atomic<bool> richiesto{false};
// The self-pipe: the handler writes one byte that no one reads, so that a
// poll started before or after the interrupt sees it.
int da_leggere = -1;
int da_scrivere = -1;
// How SIGINT was handled before, for the second interrupt.
struct sigaction prima {};

void al_segnale(int segnale) {
  const int errno_prima = errno;
  if (richiesto.exchange(true)) {
    // The user insists: end as before. The signal is held while its
    // handler runs, so the raised one is taken by the earlier handler on
    // return.
    ::sigaction(segnale, &prima, nullptr);
    ::raise(segnale);
  } else {
    const char uno = 1;
    [[maybe_unused]] const ssize_t scritti = ::write(da_scrivere, &uno, 1);
  }
  errno = errno_prima;
}

}  // namespace

void catch_interrupts() {
  if (da_leggere >= 0) return;
  int estremi[2];
  if (::pipe(estremi) != 0) {
    throw std::runtime_error(std::string("cannot catch interrupts: ") + std::strerror(errno));
  }
  for (int fd : estremi) {
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
  }
  da_leggere = estremi[0];
  da_scrivere = estremi[1];
  if (::sigaction(SIGINT, nullptr, &prima) != 0 || prima.sa_handler == SIG_IGN) return;
  struct sigaction a {};
  a.sa_handler = al_segnale;
  // A file operation under way goes on rather than failing with EINTR.
  a.sa_flags = SA_RESTART;
  sigemptyset(&a.sa_mask);
  ::sigaction(SIGINT, &a, nullptr);
}

bool interrupt_requested() { return richiesto.load(); }

int interrupt_fd() { return da_leggere; }

}  // namespace lorvenna
