// How large a description text may be. The longest route's texts take a few
// megabytes; anything far larger is no description, and is refused from its
// size instead of filling memory. README.md states the same figure.
#pragma once

#include "platform/file_system.h"

namespace lorvenna {

inline constexpr ReadLimit kLimiteTesto{uint64_t{64} << 20, "a description text"};

}  // namespace lorvenna
