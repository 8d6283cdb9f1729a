#include "driver/activity.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <utility>

#include "encoding/quoted.h"

namespace lorvenna {
namespace {

// The innermost step of the thread's run. A step is undone as the exception
// unwinds it, so the innermost step that was unwound is kept aside for the
// report.
thread_local const in_corso* innermost = nullptr;
thread_local const char* ultimo_cosa = nullptr;
// Copied, since the name's string is gone once the step is unwound.
thread_local char ultimo_file[512];

}  // namespace

in_corso::in_corso(const char* cosa, std::string file)
    : fuori_(innermost), cosa_(cosa), file_(std::move(file)) {
  innermost = this;
  ultimo_cosa = nullptr;
}

in_corso::~in_corso() {
  // Unwinding: remember the deepest step that did not end normally.
  if (std::uncaught_exceptions() > 0 && ultimo_cosa == nullptr) {
    ultimo_cosa = cosa_;
    const size_t n = std::min(file_.size(), sizeof ultimo_file - 1);
    std::memcpy(ultimo_file, file_.data(), n);
    ultimo_file[n] = '\0';
  }
  innermost = fuori_;
}

void riporta_memoria_esaurita(const char* programma, std::ostream& errori) {
  errori << programma << ": out of memory";
  if (ultimo_cosa != nullptr) {
    errori << " while " << ultimo_cosa;
    if (ultimo_file[0] != '\0') {
      // Quoting asks for a little memory; the reserve released for this
      // report leaves room for it.
      try {
        errori << " " << percorso_citato(ultimo_file);
      } catch (const std::bad_alloc&) {
      }
    }
  }
  errori << "\n";
}

}  // namespace lorvenna
