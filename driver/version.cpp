#include "driver/version.h"

namespace lorvenna {

const char* versione() { return LORVENNA_VERSION; }

}  // namespace lorvenna
