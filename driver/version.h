// The version both programs print, set once in the build's project.
#pragma once

namespace lorvenna {

const char* versione();

}  // namespace lorvenna
