// The user's interrupt (Ctrl-C) as a request to stop, for a program that
// runs until it is told to: it ends its work cleanly instead of being ended
// in the middle of it.
#pragma once

namespace lorvenna {

// From now on, the first interrupt is only noted, and wakes a FolderWatch
// wait; a second one ends the process as it would have ended before (on
// Linux removing its temporaries, see remove_temporaries_on_interrupt). On
// Linux, an interrupt the process was started ignoring stays ignored.
// Calling it again changes nothing.
void catch_interrupts();

// Whether an interrupt has been noted since catch_interrupts.
bool interrupt_requested();

#ifdef _WIN32
// An event set once an interrupt has been noted, for waits to wait on.
void* interrupt_event();
#else
// A descriptor that becomes readable once an interrupt has been noted, for
// waits to poll; it stays readable.
int interrupt_fd();
#endif

}  // namespace lorvenna
