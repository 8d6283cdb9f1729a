// The temporaries this process has made and not yet renamed or removed, so
// that a run interrupted by the user or the system removes them as it ends.
#pragma once

#include <cstddef>
#include <string>

namespace lorvenna {

void note_temporary(const std::string& path);
void forget_temporary(const std::string& path);

// From now on, an interrupt, a termination or a hang-up removes the noted
// temporaries and then ends the process as the signal would have. A signal
// the process was started ignoring stays ignored.
void remove_temporaries_on_interrupt();

// Holds interrupts back while it lives, so that a set of renames and the
// putting back of a failed one are not cut in half; one that arrived
// meanwhile takes effect when it dies.
class InterruptsHeld {
 public:
  InterruptsHeld();
  ~InterruptsHeld();
  InterruptsHeld(const InterruptsHeld&) = delete;
  InterruptsHeld& operator=(const InterruptsHeld&) = delete;

 private:
  // The signal mask before, as the system keeps it.
  alignas(std::max_align_t) unsigned char earlier_[128];
};

}  // namespace lorvenna
