// Memory set aside for the one report a run out of memory still owes: with
// nothing left, even the exception that says so could not be made, and the
// process would abort instead of saying what ran out.
#pragma once

namespace lorvenna {

// Sets the reserve aside and has the first failed allocation release it
// before the failure is thrown, so that the unwinding, the clean-up and the
// report have memory to work with. False when even the reserve could not
// be had: the caller reports that and ends.
bool keep_memory_for_reports();

}  // namespace lorvenna
