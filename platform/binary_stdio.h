// Standard input and output as bytes: a protocol that counts its messages'
// bytes cannot have line ends translated on the way.
#pragma once

namespace lorvenna {

void stdio_binari();

}  // namespace lorvenna
