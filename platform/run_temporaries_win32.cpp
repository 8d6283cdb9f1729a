// A Windows process ended from outside gets no chance to clean up; the
// temporaries it leaves are removed by the next run in the folder.
#include "platform/run_temporaries.h"

namespace lorvenna {

void note_temporary(const std::string&) {}
void forget_temporary(const std::string&) {}
void remove_temporaries_on_interrupt() {}

InterruptsHeld::InterruptsHeld() : earlier_{} {}
InterruptsHeld::~InterruptsHeld() = default;

}  // namespace lorvenna
